#pragma once

#include "app/language.h"

#include <QStringList>

#include <optional>

class QProcessEnvironment;

namespace zev {
struct Wording;
}

namespace zev::cli {

// The language a locale name such as zh_CN.UTF-8, en_GB or C names: Chinese for zh, English for
// en, C and POSIX; nullopt for any other language.
std::optional<Language> localeLanguage(const QString& name);

// The language the environment asks messages in, as gettext reads it: the first entry of the
// colon list LANGUAGE that names Chinese or English, else the first of LC_ALL, LC_MESSAGES and
// LANG that is set (Chinese for a Chinese locale, English for any other); nullopt when none is.
std::optional<Language> environmentLanguage(const QProcessEnvironment& environment);

struct LanguageChoice {
    Language language = Language::Chinese;
    QStringList notes; // one line each for stderr: why the choice is not what was asked
};

// The language asked for, else the one the program would start in (its install.Log; Chinese
// when that cannot be read).
LanguageChoice chooseLanguage(std::optional<Language> requested);

// chooseLanguage, with the language's pack applied to the wording. Without a pack the wording
// keeps its built-in Chinese words.
LanguageChoice applyLanguage(std::optional<Language> requested, Wording& wording);

} // namespace zev::cli
