#include "chanfile/backups.h"

#include "files.h"
#include "programrun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace zev;
using namespace testsupport;

class BackupsTest : public QObject {
    Q_OBJECT
private slots:
    void namedByTimeAndDevice();
    void savedNeverOverAnother();
    void onlyTheNewestAreKept();
    void pruningLeavesEveryOtherFile_data();
    void pruningLeavesEveryOtherFile();
    void newBackupIsNeverPruned();
    void backupNeverFollowsALink_data();
    void backupNeverFollowsALink();
    void failedBackupLeavesNothing();
    void unwritableFolderFails();
};

namespace {

Plan plan(const QString& band) {
    Plan file;
    file.band = band;
    file.options = resetOptionIndices;
    return file;
}

QStringList backupNames(const QString& directory) {
    return QDir(directory).entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
}

const QDateTime moment(QDate(2026, 12, 10), QTime(14, 35, 1));

// The plan in the file; an empty one when it cannot be read.
Plan loaded(const QString& path) {
    const Result<Plan> file = loadChannelFile(path);
    if (!file)
        qWarning() << file.message();
    return file ? file.value() : Plan{};
}

// count backups that the program made, one a day from first on.
bool makeBackups(const QString& folder, const QDateTime& first, int count) {
    for (int day = 0; day < count; ++day) {
        const Result<QString> saved =
            backups::save(folder, plan("136-174MHz"), {}, "ttyUSB0", first.addDays(day));
        if (!saved) {
            qWarning() << saved.message();
            return false;
        }
    }
    return true;
}

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
    qputenv("XDG_DATA_HOME", "/somewhere/data");
    QCOMPARE(backups::defaultDirectory(), QStringLiteral("/somewhere/data/zev4800/backups"));
}

// Two writes in the same second keep two backups; the folder is made when missing. Each opens
// as a channel file and is recognised as a backup.
void BackupsTest::savedNeverOverAnother() {
    QTemporaryDir dir;
    const QString folder = dir.filePath("deep/backups");
    const Result<QString> first =
        backups::save(folder, plan("136-174MHz"), {}, "/dev/ttyUSB0", moment);
    const Result<QString> second =
        backups::save(folder, plan("400-470MHz"), {}, "/dev/ttyUSB0", moment);
    QVERIFY2(first.ok() && second.ok(), qPrintable(first.message() + second.message()));
    QCOMPARE(first.value(), folder + "/20261210-143501-ttyUSB0.z81");
    QCOMPARE(second.value(), folder + "/20261210-143501-ttyUSB0-2.z81");
    QCOMPARE(loaded(first.value()), plan("136-174MHz"));
    QCOMPARE(loaded(second.value()), plan("400-470MHz"));
    QVERIFY(backups::isBackupFile(first.value()));
    QVERIFY(backups::isBackupFile(second.value()));
    // The 29 lines of a saved plan, then the line that names the backup.
    QVERIFY(saveChannelFile(dir.filePath("saved.z81"), plan("136-174MHz"), {}).ok());
    QCOMPARE(readFile(first.value()), readFile(dir.filePath("saved.z81")) +
                                          "ZEV4800 BACKUP 20261210-143501-ttyUSB0.z81\r\n");
}

void BackupsTest::onlyTheNewestAreKept() {
    QTemporaryDir dir;
    const QString folder = dir.path();
    // 100 backups, one a day, and a file of the user's own.
    QVERIFY(makeBackups(folder, moment.addDays(-100), backups::KeptCount));
    QVERIFY(saveChannelFile(folder + "/mine.z81", plan("136-174MHz"), {}).ok());
    const QString oldest = backups::fileName(moment.addDays(-100), "ttyUSB0");
    QVERIFY(backupNames(folder).contains(oldest));

    const Result<QString> saved = backups::save(folder, plan("136-174MHz"), {}, "ttyUSB0", moment);
    QVERIFY(saved.ok());
    const QStringList names = backupNames(folder);
    QCOMPARE(names.size(), backups::KeptCount + 1);
    QVERIFY(!names.contains(oldest));
    QVERIFY(names.contains(backups::fileName(moment.addDays(-99), "ttyUSB0")));
    QVERIFY(names.contains(QFileInfo(saved.value()).fileName()));
    QVERIFY(names.contains("mine.z81"));
}

// Beside 100 backups, a file the program did not make as a backup of that folder stays when
// the next backup is made, however old its name says it is; the oldest true backup goes.
void BackupsTest::pruningLeavesEveryOtherFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::newRow("the user's plan named by date") << "20200101-120000-field-day-plan.z81"
                                                   << "plan";
    QTest::newRow("backup of an earlier version") << "20200101-120000-ttyUSB0.z81"
                                                  << "plan";
    QTest::newRow("a backup copied under another name") << "20200101-120000-ttyUSB0.z81"
                                                        << "copy";
    QTest::newRow("a backup with a line added") << "20200101-120000-ttyUSB0.z81"
                                                << "appended";
    QTest::newRow("a link to a backup elsewhere") << "20200101-120000-ttyUSB0.z81"
                                                  << "link";
    QTest::newRow("a folder") << "20200101-120000-ttyUSB0.z81"
                              << "folder";
    QTest::newRow("a pipe") << "20200101-120000-ttyUSB0.z81"
                            << "fifo";
}

void BackupsTest::pruningLeavesEveryOtherFile() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString folder = dir.filePath("backups");
    const QString elsewhere = dir.filePath("elsewhere");
    QVERIFY(makeBackups(folder, moment.addDays(-100), backups::KeptCount));
    const QString path = folder + "/" + name;
    // A true backup of another folder, under the name the file is given here.
    const Result<QString> foreign = backups::save(elsewhere, plan("400-470MHz"), {}, "ttyUSB0",
                                                  QDateTime(QDate(2020, 1, 1), QTime(12, 0)));
    QVERIFY(foreign.ok());
    const QByteArray backupBytes = readFile(foreign.value());
    if (kind == "plan")
        QVERIFY(saveChannelFile(path, plan("400-470MHz"), {}).ok());
    else if (kind == "copy")
        QVERIFY(writeFile(
            path, readFile(folder + "/" + backups::fileName(moment.addDays(-90), "ttyUSB0"))));
    else if (kind == "appended")
        QVERIFY(writeFile(path, backupBytes + "CH17 |\r\n"));
    else if (kind == "link")
        QVERIFY(QFile::link(foreign.value(), path));
    else if (kind == "folder")
        QVERIFY(QDir().mkpath(path));
    else if (kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const QFileInfo before(path);
    const QByteArray bytes = before.isFile() ? readFile(path) : QByteArray();
    QVERIFY(!backups::isBackupFile(path));

    const Result<QString> saved = backups::save(folder, plan("136-174MHz"), {}, "ttyUSB0", moment);
    QVERIFY2(saved.ok(), qPrintable(saved.message()));
    const QFileInfo after(path);
    QVERIFY(after.exists() || after.isSymLink());
    QCOMPARE(after.isSymLink(), before.isSymLink());
    QCOMPARE(after.isDir(), before.isDir());
    if (after.isFile())
        QCOMPARE(readFile(path), bytes);
    QCOMPARE(readFile(foreign.value()), backupBytes);
    const QStringList names = backupNames(folder);
    QVERIFY(!names.contains(backups::fileName(moment.addDays(-100), "ttyUSB0")));
    QVERIFY(names.contains(backups::fileName(moment.addDays(-99), "ttyUSB0")));
    QVERIFY(names.contains(QFileInfo(saved.value()).fileName()));
}

// With 100 later-dated backups in the folder (a clock set back, backups from another machine)
// the one just made stays, and the oldest of the others goes.
void BackupsTest::newBackupIsNeverPruned() {
    QTemporaryDir dir;
    QVERIFY(makeBackups(dir.path(), moment.addDays(1), backups::KeptCount));
    const Result<QString> saved =
        backups::save(dir.path(), plan("400-470MHz"), {}, "ttyUSB0", moment);
    QVERIFY(saved.ok());
    QCOMPARE(saved.value(), dir.filePath(backups::fileName(moment, "ttyUSB0")));
    QCOMPARE(loaded(saved.value()), plan("400-470MHz"));
    const QStringList names = backupNames(dir.path());
    QCOMPARE(names.size(), backups::KeptCount);
    QVERIFY(!names.contains(backups::fileName(moment.addDays(1), "ttyUSB0")));
    QVERIFY(names.contains(backups::fileName(moment.addDays(2), "ttyUSB0")));
}

// A link with the next backup's name, leading out of the folder: the backup takes another name
// in the folder, and nothing is written where the link leads.
void BackupsTest::backupNeverFollowsALink_data() {
    QTest::addColumn<bool>("targetExists");
    QTest::newRow("dangling link") << false;
    QTest::newRow("link to a file") << true;
}

void BackupsTest::backupNeverFollowsALink() {
    QFETCH(bool, targetExists);
    QTemporaryDir dir;
    const QString folder = dir.filePath("backups");
    QVERIFY(QDir().mkpath(folder));
    const QString target = dir.filePath("target.z81");
    if (targetExists)
        QVERIFY(writeFile(target, "the user's file"));
    const QString link = folder + "/" + backups::fileName(moment, "ttyUSB0");
    QVERIFY(QFile::link(target, link));

    const Result<QString> saved = backups::save(folder, plan("136-174MHz"), {}, "ttyUSB0", moment);
    QVERIFY2(saved.ok(), qPrintable(saved.message()));
    QCOMPARE(saved.value(), folder + "/20261210-143501-ttyUSB0-2.z81");
    QCOMPARE(loaded(saved.value()), plan("136-174MHz"));
    QVERIFY(QFileInfo(saved.value()).isFile() && !QFileInfo(saved.value()).isSymLink());
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFileInfo::exists(target), targetExists);
    if (targetExists)
        QCOMPARE(readFile(target), QByteArray("the user's file"));
}

// A backup that cannot be written whole leaves no file behind.
void BackupsTest::failedBackupLeavesNothing() {
    QTemporaryDir dir;
    const QString folder = dir.filePath("backups");
    QVERIFY(QDir().mkpath(folder));
    const QString message = inChild([&] {
        signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead of killing the process
        const rlimit limit{300, 300};
        setrlimit(RLIMIT_FSIZE, &limit);
        return backups::save(folder, plan("136-174MHz"), {}, "ttyUSB0", moment).message();
    });
    QCOMPARE(message, "File too large: " + folder + "/" + backups::fileName(moment, "ttyUSB0"));
    QCOMPARE(backupNames(folder), QStringList());
}

void BackupsTest::unwritableFolderFails() {
    QTemporaryDir dir;
    QVERIFY(QFile(dir.filePath("file")).open(QIODevice::WriteOnly));
    const Result<QString> saved =
        backups::save(dir.filePath("file/backups"), plan("136-174MHz"), {}, "ttyUSB0", moment);
    QVERIFY(!saved.ok());
    QVERIFY2(saved.message().contains(dir.filePath("file/backups")), qPrintable(saved.message()));
}

QTEST_GUILESS_MAIN(BackupsTest)
#include "tst_backups.moc"
