#include "app/installlog.h"
#include "app/languagepack.h"
#include "app/programdirectory.h"
#include "app/settings.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

using namespace zev;

// Where the settings, installer log and packs of a run are found, for the layouts the program
// meets: its build folder, an installation under a prefix, and a folder it cannot write.
class ProgramFilesTest : public QObject {
    Q_OBJECT
private slots:
    void locate_data();
    void locate();
    void configHomeFollowsEnvironment_data();
    void configHomeFollowsEnvironment();
    void prepareSettingsFolderMakesMissingFolders();
    void thisRunSeesTheFolderAndEnvironment();
};

namespace {

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

void ProgramFilesTest::locate_data() {
    QTest::addColumn<QStringList>("files"); // relative to the prefix, program in bin/
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QString>("settings"); // "bin/" or "config/"
    QTest::addColumn<QString>("logFolder");
    QTest::addColumn<QString>("packFolder");

    const QStringList built = {"bin/zev4800", "bin/chinese.qm", "bin/english.qm",
                               "bin/install.Log"};
    const QStringList installed = {"bin/zev4800", "share/zev4800/chinese.qm",
                                   "share/zev4800/english.qm", "share/zev4800/install.Log"};
    QTest::newRow("build folder") << built << true << "bin/"
                                  << "bin/"
                                  << "bin/";
    QTest::newRow("build folder, unwritable") << built << false << "config/"
                                              << "bin/"
                                              << "bin/";
    QTest::newRow("installed") << installed << true << "config/"
                               << "share/zev4800/"
                               << "share/zev4800/";
    QTest::newRow("installed, unwritable") << installed << false << "config/"
                                           << "share/zev4800/"
                                           << "share/zev4800/";
    QTest::newRow("installed, log beside the program")
        << (installed + QStringList{"bin/install.Log"}) << true << "config/"
        << "bin/"
        << "share/zev4800/";
    // With packs beside it, the program keeps its own folder even when a prefix holds packs too.
    QTest::newRow("packs in both") << (built + installed) << true << "bin/"
                                   << "bin/"
                                   << "bin/";
    QTest::newRow("one pack beside the program")
        << QStringList{"bin/english.qm", "share/zev4800/chinese.qm"} << true << "bin/"
        << "bin/"
        << "share/zev4800/";
    // Nothing anywhere: the files are missing beside the program, where they are reported.
    QTest::newRow("nothing") << QStringList{"bin/zev4800"} << true << "bin/"
                             << "bin/"
                             << "bin/";
    QTest::newRow("nothing, unwritable") << QStringList{"bin/zev4800"} << false << "config/"
                                         << "bin/"
                                         << "bin/";
}

void ProgramFilesTest::locate() {
    QFETCH(QStringList, files);
    QFETCH(bool, writable);
    QFETCH(QString, settings);
    QFETCH(QString, logFolder);
    QFETCH(QString, packFolder);
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    const QString root = prefix.path() + QLatin1Char('/');
    for (const QString& file : files)
        touch(root + file);
    QDir().mkpath(root + "bin");

    const ProgramFiles located = ProgramFiles::locate(root + "bin", root + "config", writable);

    QCOMPARE(located.programDirectory(), root + "bin/");
    QCOMPARE(located.sharedDirectory(), root + "share/zev4800/");
    const QString settingsFolder = settings == "bin/" ? root + "bin/" : root + "config/zev4800/";
    QCOMPARE(located.settingsFile(), settingsFolder + settingsFileName());
    QCOMPARE(located.folderOf(installLogFileName()), root + logFolder);
    QCOMPARE(located.folderOf(packFileName("chinese")), root + packFolder);
}

void ProgramFilesTest::configHomeFollowsEnvironment_data() {
    QTest::addColumn<QString>("xdgConfigHome"); // "-": unset
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("expected");
    QTest::newRow("set") << "/tmp/conf"
                         << "/home/ann"
                         << "/tmp/conf/";
    QTest::newRow("trailing slash") << "/tmp/conf/"
                                    << "/home/ann"
                                    << "/tmp/conf/";
    QTest::newRow("unset") << "-"
                           << "/home/ann"
                           << "/home/ann/.config/";
    QTest::newRow("empty") << ""
                           << "/home/ann"
                           << "/home/ann/.config/";
    QTest::newRow("relative is ignored") << "conf"
                                         << "/home/ann"
                                         << "/home/ann/.config/";
}

void ProgramFilesTest::configHomeFollowsEnvironment() {
    QFETCH(QString, xdgConfigHome);
    QFETCH(QString, home);
    QFETCH(QString, expected);
    QProcessEnvironment environment;
    environment.insert("HOME", home);
    if (xdgConfigHome != "-")
        environment.insert("XDG_CONFIG_HOME", xdgConfigHome);
    QCOMPARE(configHome(environment), expected);
}

void ProgramFilesTest::prepareSettingsFolderMakesMissingFolders() {
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    const QString root = prefix.path() + QLatin1Char('/');
    const ProgramFiles located = ProgramFiles::locate(root + "bin", root + "config/deeper", false);
    located.prepareSettingsFolder();
    QVERIFY(QFileInfo(root + "config/deeper/zev4800").isDir());

    IniFile settings(located.settingsFile());
    QVERIFY(saveSettings(settings, AppSettings{}).ok());
    QVERIFY(QFileInfo::exists(root + "config/deeper/zev4800/myini.ini"));
}

// The folder's own permission bits decide, even for root, who may write anywhere.
void ProgramFilesTest::thisRunSeesTheFolderAndEnvironment() {
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    const QString root = prefix.path() + QLatin1Char('/');
    touch(root + "bin/chinese.qm");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + "config"));

    QCOMPARE(ProgramFiles::forThisRun(root + "bin").settingsFile(), root + "bin/myini.ini");
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ExeOwner;
    QVERIFY(QFile::setPermissions(root + "bin", readOnly));
    const QString settings = ProgramFiles::forThisRun(root + "bin").settingsFile();
    QFile::setPermissions(root + "bin", readOnly | QFile::WriteOwner);
    QCOMPARE(settings, root + "config/zev4800/myini.ini");
}

QTEST_GUILESS_MAIN(ProgramFilesTest)
#include "tst_programfiles.moc"
