#include "chanfile/backups.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zev;

class BackupsTest : public QObject {
    Q_OBJECT
private slots:
    void namedByTimeAndDevice();
    void savedNeverOverAnother();
    void onlyTheNewestAreKept();
    void unwritableFolderFails();
};

namespace {

ChannelFile plan(const QString& band) {
    ChannelFile file;
    file.band = band;
    file.options = resetOptionIndices;
    return file;
}

QStringList backupNames(const QString& directory) {
    return QDir(directory).entryList(QDir::Files, QDir::Name);
}

const QDateTime moment(QDate(2026, 12, 10), QTime(14, 35, 1));

} // namespace

void BackupsTest::namedByTimeAndDevice() {
    QCOMPARE(backups::fileName(moment, "/dev/ttyUSB0"),
             QStringLiteral("20261210-143501-ttyUSB0.z81"));
    QCOMPARE(backups::fileName(moment, "/dev/pts/7"), QStringLiteral("20261210-143501-pts-7.z81"));
    // A stable by-id name is kept under the node it stands for.
    QTemporaryDir byId;
    const QString cable = byId.filePath("usb-FTDI_FT232R_USB_UART_A10KX-if00-port0");
    QVERIFY(QFile::link("/dev/null", cable));
    QCOMPARE(backups::fileName(moment, cable), QStringLiteral("20261210-143501-null.z81"));
    QVERIFY(backups::isBackupName("20261210-143501-ttyUSB0.z81"));
    QVERIFY(backups::isBackupName("20261210-143501-ttyUSB0-2.z81"));
    QVERIFY(!backups::isBackupName("my plan.z81"));
    QVERIFY(!backups::isBackupName("20261210-143501-ttyUSB0.z81.tmp"));
    qputenv("XDG_DATA_HOME", "/somewhere/data");
    QCOMPARE(backups::defaultDirectory(), QStringLiteral("/somewhere/data/zev4800/backups"));
}

// Two writes in the same second keep two backups; the folder is made when missing.
void BackupsTest::savedNeverOverAnother() {
    QTemporaryDir dir;
    const QString folder = dir.filePath("deep/backups");
    const Result<QString> first = backups::save(folder, plan("136-174MHz"), "/dev/ttyUSB0", moment);
    const Result<QString> second =
        backups::save(folder, plan("400-470MHz"), "/dev/ttyUSB0", moment);
    QVERIFY2(first.ok() && second.ok(), qPrintable(first.message() + second.message()));
    QCOMPARE(first.value(), folder + "/20261210-143501-ttyUSB0.z81");
    QCOMPARE(second.value(), folder + "/20261210-143501-ttyUSB0-2.z81");
    QCOMPARE(loadChannelFile(first.value()).value().band, QStringLiteral("136-174MHz"));
    QCOMPARE(loadChannelFile(second.value()).value().band, QStringLiteral("400-470MHz"));
}

void BackupsTest::onlyTheNewestAreKept() {
    QTemporaryDir dir;
    const QString folder = dir.path();
    // 100 backups, one a day, and a file of the user's own.
    for (int day = 0; day < backups::KeptCount; ++day)
        QVERIFY(
            saveChannelFile(folder + "/" + backups::fileName(moment.addDays(-100 + day), "ttyUSB0"),
                            plan("136-174MHz"))
                .ok());
    QVERIFY(saveChannelFile(folder + "/mine.z81", plan("136-174MHz")).ok());
    const QString oldest = backups::fileName(moment.addDays(-100), "ttyUSB0");
    QVERIFY(backupNames(folder).contains(oldest));

    const Result<QString> saved = backups::save(folder, plan("136-174MHz"), "ttyUSB0", moment);
    QVERIFY(saved.ok());
    const QStringList names = backupNames(folder);
    QCOMPARE(names.size(), backups::KeptCount + 1);
    QVERIFY(!names.contains(oldest));
    QVERIFY(names.contains(backups::fileName(moment.addDays(-99), "ttyUSB0")));
    QVERIFY(names.contains(QFileInfo(saved.value()).fileName()));
    QVERIFY(names.contains("mine.z81"));
}

void BackupsTest::unwritableFolderFails() {
    QTemporaryDir dir;
    QVERIFY(QFile(dir.filePath("file")).open(QIODevice::WriteOnly));
    const Result<QString> saved =
        backups::save(dir.filePath("file/backups"), plan("136-174MHz"), "ttyUSB0", moment);
    QVERIFY(!saved.ok());
    QVERIFY2(saved.message().contains(dir.filePath("file/backups")), qPrintable(saved.message()));
}

QTEST_GUILESS_MAIN(BackupsTest)
#include "tst_backups.moc"
