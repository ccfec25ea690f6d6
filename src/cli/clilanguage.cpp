#include "clilanguage.h"

#include "app/installlog.h"
#include "app/languagepack.h"
#include "app/planlanguage.h"
#include "app/programdirectory.h"
#include "clitext.h"

#include <QProcessEnvironment>

namespace zev::cli {

std::optional<Language> localeLanguage(const QString& name) {
    // The language part ends where the territory, code set or modifier begins.
    qsizetype end = 0;
    while (end < name.size() && !QStringLiteral("_.@").contains(name.at(end)))
        ++end;
    const QStringView language = QStringView(name).left(end);
    if (language == QLatin1String("zh"))
        return Language::Chinese;
    if (language == QLatin1String("en") || language == QLatin1String("C") ||
        language == QLatin1String("POSIX"))
        return Language::English;
    return std::nullopt;
}

std::optional<Language> environmentLanguage(const QProcessEnvironment& environment) {
    for (const QString& entry :
         environment.value(QStringLiteral("LANGUAGE")).split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (const std::optional<Language> language = localeLanguage(entry))
            return language;
    // A locale of a language without a pack gets English, the other language of the program.
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const QString locale = environment.value(QLatin1String(variable)); !locale.isEmpty())
            return localeLanguage(locale).value_or(Language::English);
    return std::nullopt;
}

LanguageChoice chooseLanguage(std::optional<Language> requested) {
    LanguageChoice choice;
    if (requested) {
        choice.language = *requested;
    } else if (const Result<Language> installed =
                   detectInstallLanguage(ProgramFiles::forThisRun().folderOf(installLogFileName()));
               installed) {
        choice.language = installed.value();
    } else {
        choice.language = Language::Chinese;
        choice.notes.append(CliText::tr("%1; using Chinese").arg(installed.message()));
    }
    return choice;
}

LanguageChoice applyLanguage(std::optional<Language> requested, Wording& wording) {
    LanguageChoice choice = chooseLanguage(requested);
    const QString name = packName(choice.language);
    const QString directory = ProgramFiles::forThisRun().folderOf(packFileName(name));
    if (const std::optional<LanguagePack> pack = LanguagePack::load(directory, name))
        applyPackToWording(*pack, wording);
    else
        choice.notes.append(
            CliText::tr("no language pack %1.qm in %2; using the built-in Chinese words")
                .arg(name, directory));
    return choice;
}

} // namespace zev::cli
