#include "app/settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zev;

namespace {
const QString defaultModel = QStringLiteral("136-174MHz");
}

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void load_data();
    void load();
    void saveWritesExactlyTheKeysInOrder();
    void saveKeepsWhatItDoesNotKnow();
    void saveEmptyListAndNoSelection();
    void savedSettingsLoadBack();
    void saveReportsUnwritableFile();
    void saveIsAllOrNothing_data();
    void saveIsAllOrNothing();
    void portDevices_data();
    void portDevices();
    void appearance_data();
    void appearance();

private:
    void writeFile(const QByteArray& bytes);
    QByteArray fileBytes() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void SettingsTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(settingsFileName());
}

void SettingsTest::writeFile(const QByteArray& bytes) {
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray SettingsTest::fileBytes() const {
    QFile file(m_path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void SettingsTest::load_data() {
    QTest::addColumn<QByteArray>("content"); // "<none>" for no file
    QTest::addColumn<int>("port");
    QTest::addColumn<QStringList>("bands");
    QTest::addColumn<int>("current");

    QTest::newRow("no file") << QByteArray("<none>") << 1 << QStringList{defaultModel} << 0;
    QTest::newRow("listcount 2, combo1 missing")
        << QByteArray("[list1]\r\nlistcount=2\r\ncombo0=400-470MHz\r\ncombo2=350-390MHz\r\n") << 1
        << QStringList{"400-470MHz", defaultModel, "350-390MHz"} << 0;
    QTest::newRow("empty list") << QByteArray("[list1]\r\nlistcount=-1\r\nlistnow=-1\r\n") << 1
                                << QStringList{} << -1;
    QTest::newRow("listnow beyond the end")
        << QByteArray("[list1]\r\nlistcount=1\r\nlistnow=2\r\ncombo0=a\r\ncombo1=b\r\n") << 1
        << QStringList{"a", "b"} << -1;
    QTest::newRow("listnow selects")
        << QByteArray("[LIST1]\r\nLISTCOUNT=1\r\nListNow=1\r\nCOMBO0=a\r\nCombo1=b\r\n") << 1
        << QStringList{"a", "b"} << 1;
    QTest::newRow("duplicates kept, keys past listcount ignored")
        << QByteArray("[list1]\r\nlistcount=1\r\ncombo0=a\r\ncombo1=a\r\ncombo2=c\r\n") << 1
        << QStringList{"a", "a"} << 0;
    QTest::newRow("listcount not a number")
        << QByteArray("[list1]\r\nlistcount=two\r\ncombo0=a\r\n") << 1 << QStringList{"a"} << 0;
    QTest::newRow("com 3") << QByteArray("[open]\r\ncom=3\r\n") << 3 << QStringList{defaultModel}
                           << 0;
    QTest::newRow("com 9") << QByteArray("[open]\r\ncom=9\r\n") << 1 << QStringList{defaultModel}
                           << 0;
    QTest::newRow("com 0") << QByteArray("[open]\r\ncom=0\r\n") << 1 << QStringList{defaultModel}
                           << 0;
    QTest::newRow("com -4") << QByteArray("[open]\r\ncom=-4\r\n") << 1 << QStringList{defaultModel}
                            << 0;
    QTest::newRow("huge listcount is capped")
        << QByteArray("[list1]\r\nlistcount=2000000000\r\ncombo0=a\r\n") << 1
        << (QStringList{"a"} + QStringList(MaxModelCount - 1, defaultModel)) << 0;
}

void SettingsTest::load() {
    QFETCH(QByteArray, content);
    QFETCH(int, port);
    QFETCH(QStringList, bands);
    QFETCH(int, current);
    if (content != "<none>")
        writeFile(content);
    const AppSettings settings = loadSettings(IniFile(m_path));
    QCOMPARE(settings.port, port);
    QCOMPARE(settings.bands, bands);
    QCOMPARE(settings.currentModel, current);
    if (content == "<none>")
        QVERIFY(!QFile::exists(m_path)); // loading never creates the file
}

void SettingsTest::saveWritesExactlyTheKeysInOrder() {
    IniFile ini(m_path);
    const Status status = saveSettings(ini, AppSettings{2, {"136-174MHz", "400-470MHz"}, 1});
    QVERIFY2(status.ok(), qPrintable(status.message()));
    QCOMPARE(fileBytes(), QByteArray("[open]\r\ncom=2\r\n[list1]\r\nlistnow=1\r\nlistcount=1\r\n"
                                     "combo0=136-174MHz\r\ncombo1=400-470MHz\r\n"));
}

void SettingsTest::saveKeepsWhatItDoesNotKnow() {
    writeFile("; hand-made\r\n[ports]\r\ncom1=/dev/ttyACM0\r\n[List1]\r\nlistcount=3\r\n"
              "combo3=old\xff\r\n[open]\r\nCOM=4\r\n");
    IniFile ini(m_path);
    QVERIFY(saveSettings(ini, AppSettings{1, {"a"}, 0}).ok());
    QCOMPARE(fileBytes(), QByteArray("; hand-made\r\n[ports]\r\ncom1=/dev/ttyACM0\r\n[List1]\r\n"
                                     "listcount=0\r\ncombo3=old\xff\r\nlistnow=0\r\ncombo0=a\r\n"
                                     "[open]\r\nCOM=1\r\n"));
}

void SettingsTest::saveEmptyListAndNoSelection() {
    IniFile ini(m_path);
    QVERIFY(saveSettings(ini, AppSettings{3, {}, 0}).ok());
    QCOMPARE(fileBytes(),
             QByteArray("[open]\r\ncom=3\r\n[list1]\r\nlistnow=-1\r\nlistcount=-1\r\n"));
    const AppSettings loaded = loadSettings(ini);
    QCOMPARE(loaded.bands, QStringList());
    QCOMPARE(loaded.currentModel, -1);
}

void SettingsTest::savedSettingsLoadBack() {
    const AppSettings saved{4, {"136-174MHz", "型号 A", "136-174MHz"}, 2};
    IniFile ini(m_path);
    QVERIFY(saveSettings(ini, saved).ok());
    const AppSettings loaded = loadSettings(IniFile(m_path));
    QCOMPARE(loaded.port, saved.port);
    QCOMPARE(loaded.bands, saved.bands);
    QCOMPARE(loaded.currentModel, saved.currentModel);
}

void SettingsTest::saveReportsUnwritableFile() {
    const QByteArray original("[open]\r\ncom=2\r\n");
    writeFile(original);
    QVERIFY(QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ReadUser));
    IniFile ini(m_path);
    const Status status = saveSettings(ini, AppSettings{3, {"a"}, 0});
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(status.message(), QString("Unable to write to %1").arg(m_path));
    QCOMPARE(fileBytes(), original);
}

// A model that cannot be stored fails the save before anything reaches the file.
void SettingsTest::saveIsAllOrNothing_data() {
    QTest::addColumn<QByteArray>("original"); // "<none>" for no file
    QTest::newRow("file") << QByteArray("[open]\r\ncom=2\r\n[list1]\r\nlistcount=0\r\n");
    QTest::newRow("no file") << QByteArray("<none>");
}

void SettingsTest::saveIsAllOrNothing() {
    QFETCH(QByteArray, original);
    if (original != "<none>")
        writeFile(original);
    IniFile ini(m_path);
    const Status status = saveSettings(ini, AppSettings{3, {"a", "b\r\n[open]"}, 0});
    QVERIFY(!status.ok());
    QVERIFY2(status.message().contains(m_path), qPrintable(status.message()));
    QCOMPARE(fileBytes(), original == "<none>" ? QByteArray("<missing>") : original);
}

void SettingsTest::portDevices_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("devices");
    QTest::newRow("defaults") << QByteArray("[open]\r\ncom=2\r\n")
                              << QStringList{"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyUSB2",
                                             "/dev/ttyUSB3"};
    QTest::newRow("one overridden")
        << QByteArray("[PORTS]\r\nCom2=/dev/pts/7\r\n")
        << QStringList{"/dev/ttyUSB0", "/dev/pts/7", "/dev/ttyUSB2", "/dev/ttyUSB3"};
}

void SettingsTest::portDevices() {
    QFETCH(QByteArray, content);
    QFETCH(QStringList, devices);
    writeFile(content);
    const std::array<QString, 4> loaded = loadPortDevices(IniFile(m_path));
    QCOMPARE(QStringList(loaded.begin(), loaded.end()), devices);
    QCOMPARE(fileBytes(), content); // never written
}

void SettingsTest::appearance_data() {
    QTest::addColumn<QByteArray>("before"); // the file's [view] lines, "" for none
    QTest::addColumn<Appearance>("loaded");
    QTest::addColumn<Appearance>("saved");
    QTest::addColumn<QByteArray>("after"); // the [view] lines after the save
    QTest::newRow("none, system stays unwritten")
        << QByteArray() << Appearance::System << Appearance::System << QByteArray();
    QTest::newRow("none, dark written") << QByteArray() << Appearance::System << Appearance::Dark
                                        << QByteArray("[view]\r\nappearance=dark\r\n");
    QTest::newRow("dark back to system")
        << QByteArray("[view]\r\nappearance=dark\r\n") << Appearance::Dark << Appearance::System
        << QByteArray("[view]\r\nappearance=system\r\n");
    QTest::newRow("hand-written, any case")
        << QByteArray("[VIEW]\r\nAppearance=Light\r\n") << Appearance::Light << Appearance::Light
        << QByteArray("[VIEW]\r\nAppearance=light\r\n");
    QTest::newRow("unknown follows the system")
        << QByteArray("[view]\r\nappearance=sepia\r\n") << Appearance::System << Appearance::System
        << QByteArray("[view]\r\nappearance=system\r\n");
}

// The appearance lives in [view]; System, the default, is written only over a stored one.
void SettingsTest::appearance() {
    QFETCH(QByteArray, before);
    QFETCH(Appearance, loaded);
    QFETCH(Appearance, saved);
    QFETCH(QByteArray, after);
    const QByteArray rest("[open]\r\ncom=2\r\n[list1]\r\nlistnow=0\r\nlistcount=0\r\n"
                          "combo0=136-174MHz\r\n");
    writeFile(rest + before);
    IniFile ini(m_path);
    AppSettings settings = loadSettings(ini);
    QCOMPARE(settings.appearance, loaded);
    settings.appearance = saved;
    QVERIFY(saveSettings(ini, settings).ok());
    QCOMPARE(fileBytes(), rest + after);
    QCOMPARE(loadSettings(ini).appearance, saved);
}

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
