#pragma once

#include <QString>

class QProcessEnvironment;

namespace zev {

// The folder of the program file with a trailing "/": settings, installer log and language packs
// live beside the program, never in the working directory.
QString programDirectory();

// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config; with a trailing "/".
QString configHome(const QProcessEnvironment& environment);

// Where one run of the program finds its installer log and language packs and keeps its
// settings. Run from its build folder, everything stays beside the program. Installed (the packs
// are not beside the program but in <bin>/../share/zev4800/), or in a folder it cannot write, the
// settings go to the user's configuration folder instead.
class ProgramFiles {
public:
    // programFolderWritable: whether programDirectory may be written, as the settings file
    // would need it.
    static ProgramFiles locate(const QString& programDirectory, const QString& configHome,
                               bool programFolderWritable);
    // This run: programDirectory (empty: the folder of the program file) and the environment.
    static ProgramFiles forThisRun(const QString& programDirectory = QString());

    QString programDirectory() const; // with a trailing "/"
    QString sharedDirectory() const;  // <bin>/../share/zev4800/
    QString settingsFile() const;     // full path of myini.ini

    // The folder (with a trailing "/") that holds fileName: beside the program first, then the
    // shared folder; beside the program when neither holds it, so a missing file is reported
    // where the program first looked.
    QString folderOf(const QString& fileName) const;

    // Makes the settings file's folder when it is missing. A folder that cannot be made shows as
    // the failure of the settings' save.
    void prepareSettingsFolder() const;

private:
    QString m_programDirectory;
    QString m_sharedDirectory;
    QString m_settingsFile;
};

} // namespace zev
