#include "app/programdirectory.h"

#include "app/inifile.h"
#include "app/language.h"
#include "app/languagepack.h"
#include "app/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>

namespace zev {

namespace {

QString withSlash(QString folder) {
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

bool holdsPack(const QString& folder) {
    for (const Language language : {Language::Chinese, Language::English}) {
        if (QFileInfo::exists(folder + packFileName(packName(language))))
            return true;
    }
    return false;
}

} // namespace

QString programDirectory() {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

QString configHome(const QProcessEnvironment& environment) {
    // Relative values are invalid and to be ignored.
    const QString configured = environment.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (QDir::isAbsolutePath(configured))
        return withSlash(QDir::cleanPath(configured));
    QString home = environment.value(QStringLiteral("HOME"));
    if (home.isEmpty())
        home = QDir::homePath();
    return withSlash(QDir::cleanPath(home + QStringLiteral("/.config")));
}

ProgramFiles ProgramFiles::locate(const QString& programDirectory, const QString& configHome,
                                  bool programFolderWritable) {
    ProgramFiles files;
    files.m_programDirectory = withSlash(programDirectory);
    files.m_sharedDirectory =
        withSlash(QDir::cleanPath(files.m_programDirectory + QStringLiteral("../share/zev4800")));
    const bool installed =
        !holdsPack(files.m_programDirectory) && holdsPack(files.m_sharedDirectory);
    const QString settingsFolder = installed || !programFolderWritable
                                       ? withSlash(configHome) + QStringLiteral("zev4800/")
                                       : files.m_programDirectory;
    files.m_settingsFile = settingsFolder + settingsFileName();
    return files;
}

ProgramFiles ProgramFiles::forThisRun(const QString& programDirectory) {
    const QString folder =
        withSlash(programDirectory.isEmpty() ? zev::programDirectory() : programDirectory);
    return locate(folder, configHome(QProcessEnvironment::systemEnvironment()),
                  hasWriteBit(QFileInfo(folder)));
}

QString ProgramFiles::programDirectory() const {
    return m_programDirectory;
}

QString ProgramFiles::sharedDirectory() const {
    return m_sharedDirectory;
}

QString ProgramFiles::settingsFile() const {
    return m_settingsFile;
}

QString ProgramFiles::folderOf(const QString& fileName) const {
    if (!QFileInfo::exists(m_programDirectory + fileName) &&
        QFileInfo::exists(m_sharedDirectory + fileName))
        return m_sharedDirectory;
    return m_programDirectory;
}

void ProgramFiles::prepareSettingsFolder() const {
    QDir().mkpath(QFileInfo(m_settingsFile).path());
}

} // namespace zev
