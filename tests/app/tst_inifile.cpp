#include "app/inifile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <climits>
#include <memory>

using namespace zev;

class IniFileTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void readString_data();
    void readString();
    void readInt_data();
    void readInt();
    void write_data();
    void write();
    void writtenValueReadsBack();
    void lastLineForms_data();
    void lastLineForms();
    void documentMatchesOneWriteAtATime_data();
    void documentMatchesOneWriteAtATime();
    void documentWritesNothingBeforeCommit();
    void readOnlyFileOrFolderFailsAndKeepsFile_data();
    void readOnlyFileOrFolderFailsAndKeepsFile();
    void unreadableWriteIsRefused_data();
    void unreadableWriteIsRefused();

private:
    QString writeFile(const QByteArray& bytes);
    QByteArray fileBytes() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void IniFileTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath("myini.ini");
}

QString IniFileTest::writeFile(const QByteArray& bytes) {
    QFile file(m_path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return m_path;
}

QByteArray IniFileTest::fileBytes() const {
    QFile file(m_path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void IniFileTest::readString_data() {
    QTest::addColumn<QByteArray>("content"); // "<none>" for no file
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected"); // the default is "dflt"

    QTest::newRow("no file") << QByteArray("<none>") << "open"
                             << "com"
                             << "dflt";
    QTest::newRow("names ignore case") << QByteArray("[OPEN]\r\nCoM=3\r\n") << "open"
                                       << "com"
                                       << "3";
    QTest::newRow("blanks around names and value")
        << QByteArray("  [ open ]  \r\n  com  =  3  \r\n") << "Open"
        << "COM"
        << "3";
    QTest::newRow("blanks around the names asked for")
        << QByteArray("[open]\r\ncom=3\r\n") << " open\t"
        << "\fcom "
        << "3";
    QTest::newRow("first of duplicate keys") << QByteArray("[a]\r\nk=1\r\nk=2\r\n") << "a"
                                             << "k"
                                             << "1";
    QTest::newRow("first of duplicate sections")
        << QByteArray("[a]\r\nx=1\r\n[A]\r\nk=2\r\n") << "a"
        << "k"
        << "dflt";
    QTest::newRow("key of another section") << QByteArray("[b]\r\nk=1\r\n[a]\r\n") << "a"
                                            << "k"
                                            << "dflt";
    QTest::newRow("key before any section") << QByteArray("k=1\r\n[a]\r\n") << "a"
                                            << "k"
                                            << "dflt";
    QTest::newRow("garbage lines around")
        << QByteArray("[a]\r\nthis is garbage\r\n=nokey\r\n\x80\xff junk\r\nk=5\r\n[broken\r\n")
        << "a"
        << "k"
        << "5";
    QTest::newRow("comment is no key") << QByteArray("[a]\r\n;k=9\r\nk=5\r\n") << "a"
                                       << "k"
                                       << "5";
    QTest::newRow("LF and no final break") << QByteArray("[a]\nk=v") << "a"
                                           << "k"
                                           << "v";
    QTest::newRow("empty value is a value") << QByteArray("[a]\r\nk=\r\n") << "a"
                                            << "k"
                                            << "";
    QTest::newRow("value holding =") << QByteArray("[a]\r\nk=x=y\r\n") << "a"
                                     << "k"
                                     << "x=y";
    QTest::newRow("UTF-8 value") << QByteArray("[a]\r\nk=型号\r\n") << "a"
                                 << "k"
                                 << "型号";
    QTest::newRow("GBK value") << QByteArray("[a]\r\nk=\xd0\xcd\xba\xc5\r\n") << "a"
                               << "k"
                               << "型号";
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[a]\r\nk=1\r\n") << "a"
                                     << "k"
                                     << "1";
}

void IniFileTest::readString() {
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    if (content != "<none>")
        writeFile(content);
    const IniFile ini(m_path);
    QCOMPARE(ini.readString(section, key, "dflt"), expected);
}

void IniFileTest::readInt_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected"); // the default is 7

    QTest::newRow("decimal") << QByteArray("12") << 12;
    QTest::newRow("negative") << QByteArray("-1") << -1;
    QTest::newRow("plus sign") << QByteArray("+5") << 5;
    QTest::newRow("blanks") << QByteArray("  42  ") << 42;
    QTest::newRow("largest") << QByteArray("2147483647") << INT_MAX;
    QTest::newRow("smallest") << QByteArray("-2147483648") << INT_MIN;
    QTest::newRow("too large") << QByteArray("2147483648") << 7;
    QTest::newRow("huge") << QByteArray("99999999999999999999999") << 7;
    QTest::newRow("word") << QByteArray("abc") << 7;
    QTest::newRow("digits then text") << QByteArray("12abc") << 7;
    QTest::newRow("fraction") << QByteArray("1.5") << 7;
    QTest::newRow("empty") << QByteArray("") << 7;
}

void IniFileTest::readInt() {
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    writeFile("[list1]\r\nlistcount=" + value + "\r\n");
    QCOMPARE(IniFile(m_path).readInt("list1", "listcount", 7), expected);
}

void IniFileTest::write_data() {
    QTest::addColumn<QByteArray>("before"); // "<none>" for no file
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("new file") << QByteArray("<none>") << "open"
                              << "com"
                              << "1" << QByteArray("[open]\r\ncom=1\r\n");
    QTest::newRow("replaces the key, keeps other bytes")
        << QByteArray("; h\xff\xfe\r\n[OPEN]\r\nCom=3\r\ngarbage \x80\x81\r\n[x]\r\ny=\xc3\x28\r\n")
        << "open"
        << "com"
        << "2"
        << QByteArray(
               "; h\xff\xfe\r\n[OPEN]\r\nCom=2\r\ngarbage \x80\x81\r\n[x]\r\ny=\xc3\x28\r\n");
    QTest::newRow("new key after the section's last line")
        << QByteArray("[a]\r\nk=1\r\n\r\n[b]\r\nz=0\r\n") << "A"
        << "n"
        << "2" << QByteArray("[a]\r\nk=1\r\nn=2\r\n\r\n[b]\r\nz=0\r\n");
    QTest::newRow("new key in a section ending the file without a break")
        << QByteArray("[a]\r\nk=1") << "a"
        << "n"
        << "2" << QByteArray("[a]\r\nk=1\r\nn=2\r\n");
    QTest::newRow("new section after a file without final break")
        << QByteArray("[a]\r\nk=1") << "b"
        << "n"
        << "2" << QByteArray("[a]\r\nk=1\r\n[b]\r\nn=2\r\n");
    QTest::newRow("LF file stays LF") << QByteArray("[a]\nk=1\n") << "b"
                                      << "n"
                                      << "2" << QByteArray("[a]\nk=1\n[b]\nn=2\n");
    QTest::newRow("first of duplicate keys") << QByteArray("[a]\r\nk=1\r\nk=2\r\n") << "a"
                                             << "K"
                                             << "3" << QByteArray("[a]\r\nk=3\r\nk=2\r\n");
    QTest::newRow("empty value") << QByteArray("[a]\r\nk=1\r\n") << "a"
                                 << "k"
                                 << "" << QByteArray("[a]\r\nk=\r\n");
}

void IniFileTest::write() {
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    if (before != "<none>")
        writeFile(before);
    IniFile ini(m_path);
    const Status status = ini.writeString(section, key, value);
    QVERIFY2(status.ok(), qPrintable(status.message()));
    QCOMPARE(fileBytes(), after);
}

void IniFileTest::writtenValueReadsBack() {
    writeFile("[list1]\r\nother=\xfe\xff\r\n");
    IniFile ini(m_path);
    QVERIFY(ini.writeString("list1", "combo0", "400-470MHz 型号").ok());
    QVERIFY(ini.writeInt("list1", "listcount", -1).ok());
    const IniFile reread(m_path);
    QCOMPARE(reread.readString("LIST1", "COMBO0", QString()), QString("400-470MHz 型号"));
    QCOMPARE(reread.readInt("list1", "listcount", 5), -1);
    QVERIFY(fileBytes().contains("other=\xfe\xff\r\n"));
}

// However the file's last line ends, a key written after it is a line of its own.
void IniFileTest::lastLineForms_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("no line break") << QByteArray("a=1\r\n[list1]") << "list1"
                                   << QByteArray("a=1\r\n[list1]\r\nlistcount=7\r\n");
    QTest::newRow("LF") << QByteArray("a=1\n[list1]\n") << "list1"
                        << QByteArray("a=1\n[list1]\nlistcount=7\n");
    QTest::newRow("bare CR") << QByteArray("a=1\r\n[list1]\r") << "list1"
                             << QByteArray("a=1\r\n[list1]\r\nlistcount=7\r\n");
    QTest::newRow("CR LF") << QByteArray("a=1\r\n[list1]\r\n") << "list1"
                           << QByteArray("a=1\r\n[list1]\r\nlistcount=7\r\n");
    QTest::newRow("CR inside and at the end")
        << QByteArray("[list1]\rk=v\r") << "list1" << QByteArray("[list1]\rk=v\r\nlistcount=7\r\n");
    QTest::newRow("bare CR, new section")
        << QByteArray("[open]\r") << "list1" << QByteArray("[open]\r\n[list1]\r\nlistcount=7\r\n");
    QTest::newRow("bare CR in an LF file")
        << QByteArray("[open]\ncom=2\n[list1]\r") << "list1"
        << QByteArray("[open]\ncom=2\n[list1]\r\nlistcount=7\r\n");
}

void IniFileTest::lastLineForms() {
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QByteArray, after);
    writeFile(before);
    IniFile ini(m_path);
    QVERIFY(ini.writeInt(section, "listcount", 7).ok());
    QCOMPARE(fileBytes(), after);
    QCOMPARE(IniFile(m_path).readInt(section, "listcount", 0), 7);
}

// Many writes to one document and one commit leave the file exactly as one write at a time does.
void IniFileTest::documentMatchesOneWriteAtATime_data() {
    QTest::addColumn<QByteArray>("before"); // "<none>" for no file

    QTest::newRow("no file") << QByteArray("<none>");
    QTest::newRow("hand-made") << QByteArray(
        "\xEF\xBB\xBF; made by hand \xff\r\n[OPEN]\r\nCom=3\r\n\r\n"
        "[LIST1]\r\nListCount=5\r\ngarbage \x80\r\ncombo1=\xd0\xcd\r\n\r\n"
        "[list1]\r\ncombo0=second section\r\n[x]\r\ny=1");
    QTest::newRow("LF") << QByteArray("[list1]\ncombo2=c\n\n[ports]\ncom1=/dev/ttyS0\n");
    QTest::newRow("ends in bare CR") << QByteArray("[list1]\ncombo0=a\r");
}

void IniFileTest::documentMatchesOneWriteAtATime() {
    QFETCH(QByteArray, before);
    struct Write {
        QString section, key, value;
    };
    const QList<Write> writes{
        {"open", "com", "2"},        {"list1", "listnow", "1"},         {"list1", "listcount", "2"},
        {"list1", "combo0", "型号"}, {"list1", "COMBO1", "400-470MHz"}, {"list1", "combo2", ""},
        {"new", "k", "v"},           {"list1", "combo3", "x"},          {"open", "com", "4"}};
    if (before != "<none>")
        writeFile(before);
    IniFile oneAtATime(m_path);
    for (const Write& write : writes)
        QVERIFY(oneAtATime.writeString(write.section, write.key, write.value).ok());
    const QByteArray expected = fileBytes();

    if (before != "<none>")
        writeFile(before);
    else
        QVERIFY(QFile::remove(m_path));
    IniDocument document = IniDocument::read(m_path);
    for (const Write& write : writes)
        QVERIFY(document.writeString(write.section, write.key, write.value).ok());
    QCOMPARE(document.readString("LIST1", "Combo0", QString()), QString("型号"));
    QVERIFY(document.commit().ok());
    QCOMPARE(fileBytes(), expected);
    QCOMPARE(IniFile(m_path).readString("list1", "combo1", QString()), QString("400-470MHz"));
}

void IniFileTest::documentWritesNothingBeforeCommit() {
    const QByteArray original("[open]\r\ncom=3\r\n");
    writeFile(original);
    IniDocument document = IniDocument::read(m_path);
    QVERIFY(document.writeInt("open", "com", 1).ok());
    QVERIFY(!document.writeString("list1", "combo0", "a\nb").ok());
    QCOMPARE(fileBytes(), original);
    QCOMPARE(document.readInt("open", "com", 0), 1);
    QCOMPARE(document.readString("list1", "combo0", "none"), QString("none"));
}

void IniFileTest::readOnlyFileOrFolderFailsAndKeepsFile_data() {
    QTest::addColumn<bool>("folderReadOnly");
    QTest::addColumn<bool>("fileExists");
    QTest::newRow("read-only file") << false << true;
    QTest::newRow("read-only folder with file") << true << true;
    QTest::newRow("read-only folder without file") << true << false;
}

void IniFileTest::readOnlyFileOrFolderFailsAndKeepsFile() {
    QFETCH(bool, folderReadOnly);
    QFETCH(bool, fileExists);
    const QByteArray original("[open]\r\ncom=3\r\n");
    if (fileExists)
        writeFile(original);
    const QFile::Permissions readOnly =
        QFile::ReadOwner | QFile::ReadUser | QFile::ExeOwner | QFile::ExeUser;
    const QString folder = m_dir->path();
    if (folderReadOnly)
        QVERIFY(QFile::setPermissions(folder, readOnly));
    else
        QVERIFY(QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ReadUser));

    IniFile ini(m_path);
    const Status status = ini.writeInt("open", "com", 2);
    QFile::setPermissions(folder, readOnly | QFile::WriteOwner | QFile::WriteUser);
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);

    QVERIFY(!status.ok());
    QCOMPARE(status.message(), QString("Unable to write to %1").arg(m_path));
    QCOMPARE(fileBytes(), fileExists ? original : QByteArray("<missing>"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), fileExists ? 1 : 0);
}

void IniFileTest::unreadableWriteIsRefused_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("line break in value") << "combo0"
                                         << "b\r\n[open]\r\ncom=4";
    QTest::newRow("key read as ; comment") << " ;combo1"
                                           << "b";
    QTest::newRow("key read as # comment") << "#combo1"
                                           << "b";
    QTest::newRow("key read as section header") << "[open"
                                                << "b";
}

void IniFileTest::unreadableWriteIsRefused() {
    QFETCH(QString, key);
    QFETCH(QString, value);
    const QByteArray original("[list1]\r\ncombo0=a\r\n");
    writeFile(original);
    IniFile ini(m_path);
    const Status status = ini.writeString("list1", key, value);
    QVERIFY(!status.ok());
    QVERIFY2(status.message().contains(m_path), qPrintable(status.message()));
    QCOMPARE(fileBytes(), original);
}

QTEST_GUILESS_MAIN(IniFileTest)
#include "tst_inifile.moc"
