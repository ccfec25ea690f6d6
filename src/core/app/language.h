#pragma once

#include <QString>

#include <optional>

namespace zev {

enum class Language { Chinese, English };

// The pack file name without folder and suffix: "chinese" or "english".
QString packName(Language language);
// The language of the pack named name; nullopt for any other name.
std::optional<Language> languageOfPack(const QString& name);

} // namespace zev
