#pragma once

#include "app/language.h"

#include <QStringList>

#include <optional>

namespace zev {
struct Wording;
}

namespace zev::cli {

struct LanguageChoice {
    Language language = Language::Chinese;
    QStringList notes; // one line each for stderr: why the choice is not what was asked
};

// The language the program would start in (its install.Log; Chinese when that cannot be read)
// unless one is requested, with its pack applied to the wording. Without a pack the wording keeps
// its built-in Chinese words.
LanguageChoice applyLanguage(std::optional<Language> requested, Wording& wording);

} // namespace zev::cli
