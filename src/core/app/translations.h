#pragma once

#include "app/language.h"

#include <QString>

#include <memory>
#include <vector>

class QTranslator;

namespace zev {

// The file beside the program that holds the program's own messages (the texts outside the
// numbered pack texts) for a pack: name + "_messages.qm".
QString messagesFileName(const QString& packName);

// Qt's own texts (dialog buttons, file dialogs, serial port errors) and the program's messages,
// installed on the application for one language while this object holds them. English installs
// nothing: the sources are English.
class Translations {
public:
    Translations();
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // Replaces whatever is installed by the translations of language: Qt's catalogues from Qt's
    // translations folder and directory + messagesFileName(). A catalogue that is missing is
    // left out.
    void install(const QString& directory, Language language);
    void remove();

private:
    std::vector<std::unique_ptr<QTranslator>> m_translators;
};

} // namespace zev
