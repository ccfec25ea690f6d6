#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

// The build installed into a temporary DESTDIR under the prefix /usr, as a package would carry
// it: every file in its place, the desktop integration files valid and consistent with each
// other, and the installed programs finding their shared files and keeping settings in the
// user's configuration folder.
class InstallTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void installedFiles_data();
    void installedFiles();
    void installLogNamesTheInstalledProgram();
    void desktopEntryOpensChannelFiles();
    void mimeTypeRecognisesChannelFiles();
    void metainfoDescribesTheDesktopEntry();
    void manPages_data();
    void manPages();
    void installedCliUsesSharedFiles();
    void installedProgramKeepsSettingsInConfigHome();

private:
    QString installed(const QString& path) const { return m_root + path; }

    QTemporaryDir m_destdir;
    QTemporaryDir m_home;
    QString m_root; // DESTDIR + prefix + "/"
};

namespace {

const QString appId = QStringLiteral("org.zev4800.ZEV4800");
const QString mimeType = QStringLiteral("application/x-zev4800-plan");

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run run(const QString& program, const QStringList& arguments,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        result.err = "did not finish: " + program.toLocal8Bit();
        return result;
    }
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Sets an environment variable for one test, so that the programs later tests start do not see it.
class EnvironmentChange {
public:
    EnvironmentChange(const char* name, const QByteArray& value)
        : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        qputenv(name, value);
    }
    ~EnvironmentChange() {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    EnvironmentChange(const EnvironmentChange&) = delete;
    EnvironmentChange& operator=(const EnvironmentChange&) = delete;

private:
    const char* m_name;
    bool m_wasSet;
    QByteArray m_old;
};

// The value of key in a desktop file's main group.
QString desktopValue(const QByteArray& entry, const QString& key) {
    for (const QString& line : QString::fromUtf8(entry).split('\n')) {
        if (line.startsWith(key + '='))
            return line.mid(key.size() + 1).trimmed();
    }
    return QString();
}

} // namespace

void InstallTest::initTestCase() {
    QVERIFY(m_destdir.isValid());
    QVERIFY(m_home.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DESTDIR", m_destdir.path());
    const Run install =
        run(ZEV_CMAKE, {"--install", ZEV_BUILD_DIR, "--prefix", "/usr"}, environment);
    QVERIFY2(install.exitCode == 0, install.err.constData());
    m_root = m_destdir.path() + "/usr/";
}

void InstallTest::installedFiles_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("program");
    for (const char* program : {"zev4800", "zev4800-cli", "rh4800-sim"})
        QTest::newRow(program) << QString("bin/") + program << true;
    for (const char* shared : {"chinese.qm", "english.qm", "chinese_messages.qm", "install.Log"})
        QTest::newRow(shared) << QString("share/zev4800/") + shared << false;
    QTest::newRow("desktop entry") << "share/applications/" + appId + ".desktop" << false;
    QTest::newRow("icon") << "share/icons/hicolor/scalable/apps/" + appId + ".svg" << false;
    QTest::newRow("metainfo") << "share/metainfo/" + appId + ".metainfo.xml" << false;
    QTest::newRow("mime type") << "share/mime/packages/zev4800.xml" << false;
    QTest::newRow("udev rule") << "lib/udev/rules.d/60-zev4800.rules" << false;
    QTest::newRow("copyright") << "share/doc/zev4800/copyright" << false;
    for (const char* page : {"zev4800", "zev4800-cli", "rh4800-sim"})
        QTest::newRow(qPrintable(QString("man %1").arg(page)))
            << QString("share/man/man1/%1.1").arg(page) << false;
    QTest::newRow("bash completion") << "share/bash-completion/completions/zev4800-cli" << false;
    QTest::newRow("zsh completion") << "share/zsh/vendor-completions/_zev4800-cli" << false;
    QTest::newRow("fish completion") << "share/fish/vendor_completions.d/zev4800-cli.fish" << false;
}

void InstallTest::installedFiles() {
    QFETCH(QString, path);
    QFETCH(bool, program);
    const QFileInfo file(installed(path));
    QVERIFY2(file.isFile() && file.size() > 0, qPrintable(path));
    QCOMPARE(file.isExecutable(), program);
    // The packs are the built ones, byte for byte.
    if (path.endsWith(".qm"))
        QCOMPARE(readFile(file.filePath()), readFile(ZEV_BUILD_DIR "/bin/" + file.fileName()));
    // The completions are the built ones, byte for byte.
    if (path.contains("completion")) {
        const QString built =
            file.fileName() == "zev4800-cli" ? "zev4800-cli.bash" : file.fileName();
        QCOMPARE(readFile(file.filePath()), readFile(ZEV_BUILD_DIR "/completions/" + built));
    }
    if (path.endsWith(".svg"))
        QVERIFY(QSvgRenderer(file.filePath()).isValid());
    if (path.endsWith(".rules")) {
        // Each cable is kept from ModemManager and marked; the marked port, and not the USB
        // device, is given to the person at the seat.
        const QByteArray rule = readFile(file.filePath());
        for (const char* chip : {"0403:6001", "067b:2303", "1a86:7523", "10c4:ea60"}) {
            const QStringList ids = QString(chip).split(':');
            QVERIFY2(rule.contains(QString("ATTRS{idVendor}==\"%1\", ATTRS{idProduct}==\"%2\", "
                                           "ENV{ID_MM_DEVICE_IGNORE}=\"1\", "
                                           "ENV{ZEV4800_CABLE}=\"1\"\n")
                                       .arg(ids[0], ids[1])
                                       .toLatin1()),
                     chip);
        }
        QVERIFY(rule.contains("\nSUBSYSTEM==\"tty\", ENV{ZEV4800_CABLE}==\"1\", "
                              "TAG+=\"uaccess\"\n"));
        QCOMPARE(rule.count("uaccess\""), 1);
        // The mark and the tag come before the end label that the first lines jump to.
        QVERIFY(rule.indexOf("TAG+=") < rule.indexOf("LABEL=\"zev4800_end\""));
    }
    if (path.endsWith("copyright")) {
        // Debian's machine-readable form, the whole work under the GPL 3 or later.
        const QByteArray copyright = readFile(file.filePath());
        QVERIFY(copyright.startsWith(
            "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"));
        QVERIFY(copyright.contains("\n\nFiles: *\nCopyright: "));
        QCOMPARE(copyright.count("\nLicense: GPL-3.0-or-later\n"), 2);
        QVERIFY(copyright.contains("\"/usr/share/common-licenses/GPL-3\""));
    }
}

// The start-up language is read from the second line: the installed log keeps the built one's
// lines and line breaks, and names where the program now is.
void InstallTest::installLogNamesTheInstalledProgram() {
    const QList<QByteArray> built = readFile(ZEV_BUILD_DIR "/bin/install.Log").split('\n');
    const QList<QByteArray> log = readFile(installed("share/zev4800/install.Log")).split('\n');
    QCOMPARE(log.size(), built.size());
    for (qsizetype i = 0; i < log.size(); ++i) {
        if (built[i].startsWith("Destination: "))
            QCOMPARE(log[i], QByteArray("Destination: /usr/bin\r"));
        else
            QCOMPARE(log[i], built[i]);
    }
}

void InstallTest::desktopEntryOpensChannelFiles() {
    const QString path = installed("share/applications/" + appId + ".desktop");
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (!validator.isEmpty()) {
        const Run validation = run(validator, {path});
        QVERIFY2(validation.exitCode == 0, validation.out + validation.err);
        QVERIFY2(!validation.out.contains("error"), validation.out.constData());
    }
    const QByteArray entry = readFile(path);
    QCOMPARE(desktopValue(entry, "Exec"), QString("zev4800 %f"));
    QVERIFY(QFileInfo::exists(installed("bin/zev4800")));
    QVERIFY(QFileInfo::exists(installed("share/icons/hicolor/scalable/apps/") +
                              desktopValue(entry, "Icon") + ".svg"));
    QVERIFY(desktopValue(entry, "MimeType").split(';').contains(mimeType));
}

void InstallTest::mimeTypeRecognisesChannelFiles() {
    // Only the installed definitions and Qt's own: a type the XML fails to declare stays unknown.
    const EnvironmentChange dataHome("XDG_DATA_HOME", QFile::encodeName(m_home.filePath("data")));
    const EnvironmentChange dataDirs("XDG_DATA_DIRS", QFile::encodeName(installed("share")));
    const QMimeDatabase database;
    QCOMPARE(database.mimeTypeForFile(ZEV_SOURCE_DIR "/docs/demo.z81").name(), mimeType);
    // Without the extension, by its first line.
    const QString unnamed = m_home.filePath("plan");
    QVERIFY(QFile::copy(ZEV_SOURCE_DIR "/docs/demo.z81", unnamed));
    QCOMPARE(database.mimeTypeForFile(unnamed, QMimeDatabase::MatchContent).name(), mimeType);
    QVERIFY(database.mimeTypeForName(mimeType).inherits("text/plain"));
}

void InstallTest::metainfoDescribesTheDesktopEntry() {
    const QString path = installed("share/metainfo/" + appId + ".metainfo.xml");
    const QString validator = QStandardPaths::findExecutable("appstreamcli");
    if (!validator.isEmpty()) {
        const Run validation = run(validator, {"validate", "--no-net", path});
        QVERIFY2(validation.exitCode == 0, validation.out + validation.err);
    }
    const QByteArray metainfo = readFile(path);
    QVERIFY(metainfo.contains("<id>" + appId.toLatin1() + "</id>"));
    QVERIFY(metainfo.contains("<launchable type=\"desktop-id\">" + appId.toLatin1() +
                              ".desktop</launchable>"));
    QVERIFY(metainfo.contains("<mediatype>" + mimeType.toLatin1() + "</mediatype>"));
    QVERIFY(!metainfo.contains('@')); // every placeholder filled in
    QVERIFY(metainfo.contains("<project_license>GPL-3.0-or-later</project_license>"));
    QVERIFY(metainfo.contains("<metadata_license>CC0-1.0</metadata_license>"));
    // The version built has its release, and the screenshot is the README's.
    QVERIFY(metainfo.contains("<release version=\"" ZEV_VERSION "\""));
    const QRegularExpression image("<screenshot type=\"default\">\\s*<caption>[^<]+</caption>"
                                   "\\s*<image>https://[^<]+/(docs/screenshot\\.png)</image>");
    const QRegularExpressionMatch shown = image.match(QString::fromUtf8(metainfo));
    QVERIFY2(shown.hasMatch(), metainfo.constData());
    QVERIFY(
        readFile(ZEV_SOURCE_DIR "/README.md").contains("](" + shown.captured(1).toUtf8() + ")"));
    // The licence text itself stands beside the sources.
    const QByteArray licence = readFile(ZEV_SOURCE_DIR "/LICENSE");
    QVERIFY(licence.contains("GNU GENERAL PUBLIC LICENSE\n                       Version 3"));
}

void InstallTest::manPages_data() {
    QTest::addColumn<QString>("program");
    for (const char* program : {"zev4800", "zev4800-cli", "rh4800-sim"})
        QTest::newRow(program) << program;
}

// Each page formats cleanly and names every long option the program's --help lists.
void InstallTest::manPages() {
    QFETCH(QString, program);
    const QString page = installed("share/man/man1/" + program + ".1");
    const QByteArray text = readFile(page);
    QVERIFY(text.startsWith(".TH " + program.toUpper().toLatin1() + " 1 "));
    QVERIFY(!text.contains('@'));
    const QString groff = QStandardPaths::findExecutable("groff");
    if (!groff.isEmpty()) {
        const Run format = run(groff, {"-t", "-man", "-ww", "-z", "-Tutf8", page});
        QCOMPARE(format.exitCode, 0);
        QCOMPARE(format.err, QByteArray());
    }
    const Run help = run(installed("bin/" + program), {"--help"});
    QCOMPARE(help.exitCode, 0);
    const QRegularExpression longOption("--[a-z][a-z-]*");
    QStringList options;
    for (const auto& match : longOption.globalMatch(QString::fromLocal8Bit(help.out)))
        options.append(match.captured());
    QVERIFY(options.contains("--help"));
    for (const QString& option : options) {
        QString troff = option;
        troff.replace('-', "\\-");
        QVERIFY2(text.contains(troff.toLatin1()), qPrintable(program + " " + option));
    }
}

// Installed, the packs and install.Log are only in share/zev4800: the CLI finds them there and
// reads a plan exactly as the build does.
void InstallTest::installedCliUsesSharedFiles() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", m_home.filePath("home"));
    environment.insert("XDG_CONFIG_HOME", m_home.filePath("config"));
    const QStringList arguments = {"show", ZEV_SOURCE_DIR "/docs/demo.z81"};
    const Run fromInstall = run(installed("bin/zev4800-cli"), arguments, environment);
    QVERIFY2(fromInstall.exitCode == 0, fromInstall.err.constData());
    QCOMPARE(fromInstall.err, QByteArray()); // no note about a missing pack or log
    const Run fromBuild = run(ZEV_BUILD_DIR "/bin/zev4800-cli", arguments, environment);
    QCOMPARE(fromInstall.out, fromBuild.out);
}

void InstallTest::installedProgramKeepsSettingsInConfigHome() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("HOME", m_home.filePath("home"));
    const QString configHome = m_home.filePath("settings");
    environment.insert("XDG_CONFIG_HOME", configHome);
    const QString picture = m_home.filePath("window.png");
    const Run program =
        run(installed("bin/zev4800"), {"--screenshot", picture, ZEV_SOURCE_DIR "/docs/demo.z81"},
            environment);
    QVERIFY2(program.exitCode == 0, program.err.constData());
    QVERIFY(QFileInfo::exists(picture));

    const QByteArray settings = readFile(configHome + "/zev4800/myini.ini");
    QVERIFY2(settings.contains("[open]\r\ncom=1\r\n"), settings.constData());
    QVERIFY(!QFileInfo::exists(installed("bin/myini.ini")));
    QVERIFY(!QFileInfo::exists(installed("share/zev4800/myini.ini")));
}

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
