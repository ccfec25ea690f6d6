#include "clilanguage.h"

#include "app/installlog.h"
#include "app/languagepack.h"
#include "app/planlanguage.h"
#include "app/programdirectory.h"

namespace zev::cli {

LanguageChoice applyLanguage(std::optional<Language> requested, Wording& wording) {
    LanguageChoice choice;
    const ProgramFiles files = ProgramFiles::forThisRun();
    if (requested) {
        choice.language = *requested;
    } else if (const Result<Language> installed =
                   detectInstallLanguage(files.folderOf(installLogFileName()));
               installed) {
        choice.language = installed.value();
    } else {
        choice.language = Language::Chinese;
        choice.notes.append(installed.message() + QStringLiteral("; using Chinese"));
    }
    const QString name = packName(choice.language);
    const QString directory = files.folderOf(packFileName(name));
    if (const std::optional<LanguagePack> pack = LanguagePack::load(directory, name))
        applyPackToWording(*pack, wording);
    else
        choice.notes.append(QStringLiteral("no language pack %1.qm in %2; using the built-in "
                                           "Chinese words")
                                .arg(name, directory));
    return choice;
}

} // namespace zev::cli
