#pragma once

#include "app/textids.h"

#include <QString>

#include <array>
#include <optional>

namespace zev {

// The file of the pack called name: name + ".qm".
QString packFileName(const QString& name);

// The texts of one language pack file: a Qt Linguist id-based translation (lrelease -idbased)
// whose ids are the text numbers 1 to 81.
class LanguagePack {
public:
    // directory + packFileName(name). nullopt when the file is missing or is not a translation
    // file.
    static std::optional<LanguagePack> load(const QString& directory, const QString& name);

    // Null when the pack lacks the id. A text is cut at its first NUL and kept within 253 bytes
    // in the GBK code page, never splitting a character.
    QString text(int id) const;

private:
    LanguagePack() = default;
    std::array<QString, TextId::Last + 1> m_texts;
};

} // namespace zev
