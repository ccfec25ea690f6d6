#include "app/installlog.h"
#include "programrun.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zev;

class InstallLogTest : public QObject {
    Q_OBJECT
private slots:
    void detect_data();
    void detect();
    void missingLogNamesPathAndReason();
    void builtLogMatchesConfiguredLanguage();
};

void InstallLogTest::detect_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected"); // "english", "chinese" or the error message

    const QByteArray title("Title: ZEV4800 Programming Software");
    QTest::newRow("CR LF") << "Log start\r\n" + title + "\r\nmore\r\n"
                           << "english";
    QTest::newRow("LF") << "Log start\n" + title + "\n"
                        << "english";
    QTest::newRow("CR") << "Log start\r" + title + "\r"
                        << "english";
    QTest::newRow("no final break") << "Log start\r\n" + title << "english";
    QTest::newRow("CR CR is two breaks") << "Log start\r\r" + title + "\r\n"
                                         << "chinese";
    QTest::newRow("LF CR is two breaks") << "Log start\n\r" + title + "\r\n"
                                         << "chinese";
    QTest::newRow("on first line only") << title + "\r\nother\r\n"
                                        << "chinese";
    QTest::newRow("trailing blank") << "Log start\r\n" + title + " \r\n"
                                    << "chinese";
    QTest::newRow("other case") << QByteArray(
                                       "Log start\r\ntitle: zev4800 programming software\r\n")
                                << "chinese";
    QTest::newRow("Chinese title")
        << QByteArray("Log start\r\nTitle: ZEV4800 编程软件\r\n") << "chinese";
    QTest::newRow("empty second line") << QByteArray("Log start\r\n\r\n") << "chinese";
    QTest::newRow("one line with break")
        << QByteArray("Log start\r\n") << "List index out of bounds (1)";
    QTest::newRow("one line") << title << "List index out of bounds (1)";
    QTest::newRow("empty file") << QByteArray() << "List index out of bounds (1)";
}

void InstallLogTest::detect() {
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QFile file(dir.filePath("install.Log"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    const Result<Language> language = detectInstallLanguage(dir.path() + "/");
    const QString outcome = language.ok() ? packName(language.value()) : language.message();
    QCOMPARE(outcome, expected);
}

void InstallLogTest::missingLogNamesPathAndReason() {
    QTemporaryDir dir;
    const Result<Language> language = detectInstallLanguage(dir.path() + "/");
    QVERIFY(!language.ok());
    QCOMPARE(language.message(), QString("Cannot open file \"%1/install.Log\". No such file or "
                                         "directory")
                                     .arg(dir.path()));
}

void InstallLogTest::builtLogMatchesConfiguredLanguage() {
    if (qEnvironmentVariableIsEmpty("ZEV_BIN_DIR"))
        QSKIP("ZEV_BIN_DIR is not set");
    const Result<Language> language = detectInstallLanguage(testsupport::binaryFolder());
    QVERIFY2(language.ok(), qPrintable(language.message()));
    QCOMPARE(packName(language.value()), QString(ZEV_CONFIGURED_INSTALL_LANGUAGE));
}

QTEST_GUILESS_MAIN(InstallLogTest)
#include "tst_installlog.moc"
