#include "tst_mainwindow_support.h"

#include "chanfile/channelfile.h"
#include "jobs/writelog.h"
#include "pdftext.h"
#include "writedialog.h"
#include "writehistorydialog.h"

#include <QAction>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDateEdit>
#include <QDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableWidget>

using namespace zevtest;
using zev::WriteOutcome;
using zev::WriteRecord;

// File > Write history…: the log's writes, narrowed by date and device, and for one of them its
// plan or backup opened, or its receipt printed.
class WriteHistoryTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void listsNewestFirst();
    void filtersByDateAndDevice_data();
    void filtersByDateAndDevice();
    void buttonsFollowTheLine_data();
    void buttonsFollowTheLine();
    void openPlanAsksAboutTheUnsavedPlan();
    void openBackupOpensIt();
    void receiptPdfHasTheFooter();
    void receiptOfAChangedFileIsRefused();
    void printReceiptAsksForAPrinter();

private:
    // The window with the log of three writes: on 1, 5 and 9 March, to two devices.
    void start();
    zev::WriteHistoryDialog* openHistory();
    void select(int row);
    QStringList shownTimes() const;
    QPushButton* button(const char* name) const;

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<zev::MainWindow> m_window;
    QByteArray m_oldStateHome;
    QList<WriteRecord> m_records;
    QString m_plan;   // the plan file of the first write, as written
    QString m_backup; // the backup of the last write
};

namespace {

const QString firstDevice = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0");
const QString secondDevice = QStringLiteral("/dev/ttyUSB1");

zev::Plan workedExample() {
    zev::Plan plan;
    plan.band = QStringLiteral("136-174MHz");
    plan.setChannel(3, {"145.12500", "67.0", "145.12500", "D023N", "High", "ON", "ON"});
    plan.options = {2, 1, 4, 0, 1, 1, 1};
    return plan;
}

// Noon UTC: the same day in the local time of any test machine but the date line's.
QDateTime marchAtNoon(int day) {
    return QDateTime(QDate(2026, 3, day), QTime(12, 0, 0, 250), Qt::UTC);
}

QString sha256(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

} // namespace

void WriteHistoryTest::initTestCase() {
    quietOffscreenWarnings();
    QVERIFY2(testsupport::runProgram("pdftotext", {"-v"}).exitCode == 0,
             "pdftotext (poppler-utils) is missing");
}

void WriteHistoryTest::init() {
    m_oldStateHome = qgetenv("XDG_STATE_HOME");
    start();
}

void WriteHistoryTest::cleanup() {
    m_window.reset();
    m_folder.reset();
    qputenv("XDG_STATE_HOME", m_oldStateHome);
}

void WriteHistoryTest::start() {
    m_folder = std::make_unique<ProgramFolder>();
    m_folder->writeInstallLog(true);
    qputenv("XDG_STATE_HOME", (m_folder->path() + "state").toLocal8Bit());
    m_window = startProgram(*m_folder);
    QVERIFY(m_window);

    m_plan = m_folder->path() + "fire brigade.z81";
    const zev::Plan plan = workedExample();
    QVERIFY(zev::saveChannelFile(m_plan, plan,
                                 m_window->workspace().plan.wording().selectorTexts(plan.options)));
    m_backup = m_folder->path() + "20260309-120000-ttyUSB1.z81";
    zev::Plan radioBefore;
    radioBefore.band = QStringLiteral("400-470MHz");
    QVERIFY(zev::saveChannelFile(m_backup, radioBefore,
                                 m_window->workspace().plan.wording().selectorTexts({})));

    WriteRecord first;
    first.time = marchAtNoon(1);
    first.port = "COM1";
    first.device = firstDevice;
    first.planFile = m_plan;
    first.planSha256 = sha256(testsupport::readFile(m_plan));
    first.band = plan.band;
    first.outcome = WriteOutcome::Verified;
    WriteRecord second = first;
    second.time = marchAtNoon(5);
    second.device = secondDevice;
    second.planFile = zev::writelog::windowPlanFile();
    second.outcome = WriteOutcome::Written;
    WriteRecord third = first;
    third.time = marchAtNoon(9);
    third.planFile = m_folder->path() + "deleted since.z81";
    third.backupPath = m_backup;
    third.outcome = WriteOutcome::Failed;
    third.reason = "The radio does not hold what was written:\nCH03 RX Freq";
    m_records = {first, second, third};
    for (const WriteRecord& record : m_records)
        QVERIFY(zev::writelog::append(zev::writelog::defaultPath(), record));
}

zev::WriteHistoryDialog* WriteHistoryTest::openHistory() {
    control<QAction>(m_window.get(), "WriteHistoryItem")->trigger();
    zev::WriteHistoryDialog* dialog = m_window->writeHistoryDialog();
    if (!dialog || !dialog->isVisible() || dialog->objectName() != "WriteHistoryDialog")
        return nullptr;
    return dialog;
}

QPushButton* WriteHistoryTest::button(const char* name) const {
    return m_window->writeHistoryDialog()->findChild<QPushButton*>(QLatin1String(name));
}

void WriteHistoryTest::select(int row) {
    m_window->writeHistoryDialog()->findChild<QTableWidget*>("WriteHistoryTable")->selectRow(row);
}

// The log's times of the lines shown, top to bottom.
QStringList WriteHistoryTest::shownTimes() const {
    auto* table = m_window->writeHistoryDialog()->findChild<QTableWidget*>("WriteHistoryTable");
    QStringList times;
    for (int row = 0; row < table->rowCount(); ++row)
        times << table->item(row, 0)->toolTip();
    return times;
}

void WriteHistoryTest::listsNewestFirst() {
    QVERIFY(openHistory());
    QCOMPARE(shownTimes(), (QStringList{"2026-03-09T12:00:00.250Z", "2026-03-05T12:00:00.250Z",
                                        "2026-03-01T12:00:00.250Z"}));
    auto* table = m_window->writeHistoryDialog()->findChild<QTableWidget*>("WriteHistoryTable");
    QCOMPARE(table->item(0, 0)->text(),
             marchAtNoon(9).toLocalTime().toString("yyyy-MM-dd HH:mm:ss"));
    QCOMPARE(table->item(0, 2)->text(), firstDevice);
    QCOMPARE(table->item(0, 3)->text(), QStringLiteral("failed"));
    QCOMPARE(table->item(1, 3)->text(), QStringLiteral("written, not verified"));
    QCOMPARE(table->item(2, 3)->text(), QStringLiteral("written and verified"));
    QCOMPARE(table->item(1, 5)->text(), QStringLiteral("(window)"));
    QCOMPARE(table->item(2, 6)->toolTip(), m_records.first().planSha256);
    QCOMPARE(table->item(0, 8)->text(),
             QStringLiteral("The radio does not hold what was written:; CH03 RX Freq"));
    // A write made while the history is open shows once the write dialog closes.
    WriteRecord later = m_records.first();
    later.time = marchAtNoon(20);
    QVERIFY(zev::writelog::append(zev::writelog::defaultPath(), later));
    emit m_window->writeDialog()->closed();
    QCOMPARE(shownTimes().first(), QStringLiteral("2026-03-20T12:00:00.250Z"));
}

void WriteHistoryTest::filtersByDateAndDevice_data() {
    QTest::addColumn<int>("from"); // a day of March; 0 leaves the filter as it opens
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("device"); // empty: all devices
    QTest::addColumn<QList<int>>("days");
    QTest::newRow("as it opens") << 0 << 0 << "" << QList<int>{9, 5, 1};
    QTest::newRow("from a day of writing") << 5 << 0 << "" << QList<int>{9, 5};
    QTest::newRow("to a day of writing") << 0 << 5 << "" << QList<int>{5, 1};
    QTest::newRow("a day between") << 6 << 8 << "" << QList<int>{};
    QTest::newRow("one device") << 0 << 0 << firstDevice << QList<int>{9, 1};
    QTest::newRow("one device from a day") << 2 << 0 << firstDevice << QList<int>{9};
    QTest::newRow("the other device") << 0 << 0 << secondDevice << QList<int>{5};
}

void WriteHistoryTest::filtersByDateAndDevice() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, device);
    QFETCH(QList<int>, days);
    zev::WriteHistoryDialog* dialog = openHistory();
    QVERIFY(dialog);
    auto* fromEdit = dialog->findChild<QDateEdit*>("FromDateEdit");
    auto* toEdit = dialog->findChild<QDateEdit*>("ToDateEdit");
    auto* devices = dialog->findChild<QComboBox*>("DeviceFilter");
    // As it opens: the dates span the log, every device.
    QCOMPARE(fromEdit->date(), marchAtNoon(1).toLocalTime().date());
    QCOMPARE(devices->currentIndex(), 0);
    QCOMPARE(devices->count(), 3);
    if (from)
        fromEdit->setDate(QDate(2026, 3, from));
    if (to)
        toEdit->setDate(QDate(2026, 3, to));
    if (!device.isEmpty())
        devices->setCurrentIndex(devices->findText(device));
    QStringList expected;
    for (int day : days)
        expected << zev::writelog::timeText(marchAtNoon(day));
    QCOMPARE(shownTimes(), expected);
}

void WriteHistoryTest::buttonsFollowTheLine_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("plan");   // Open plan and the receipt
    QTest::addColumn<bool>("backup"); // Open backup
    QTest::newRow("none selected") << -1 << false << false;
    QTest::newRow("plan file gone, backup there") << 0 << false << true;
    QTest::newRow("plan of the window") << 1 << false << false;
    QTest::newRow("plan file there, no backup") << 2 << true << false;
}

void WriteHistoryTest::buttonsFollowTheLine() {
    QFETCH(int, row);
    QFETCH(bool, plan);
    QFETCH(bool, backup);
    QVERIFY(openHistory());
    if (row >= 0)
        select(row);
    QCOMPARE(button("OpenPlanButton")->isEnabled(), plan);
    QCOMPARE(button("PrintReceiptButton")->isEnabled(), plan);
    QCOMPARE(button("ExportReceiptButton")->isEnabled(), plan);
    QCOMPARE(button("OpenBackupButton")->isEnabled(), backup);
}

// Open plan is Open with the file chosen: a modified plan is asked about first, Cancel keeps it.
void WriteHistoryTest::openPlanAsksAboutTheUnsavedPlan() {
    zev::PlanModel& model = m_window->workspace().plan;
    model.setChannel(9, {"146.00000", "OFF", "146.00000", "OFF", "Low", "ON", "ON"});
    QVERIFY(QTest::qWaitFor([&] { return m_window->isPlanModified(); }));
    const zev::Plan edited = m_window->workspace().currentPlan();
    int asked = 0;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    m_window->unsavedPlanAnswer = [&] {
        ++asked;
        return answer;
    };
    QVERIFY(openHistory());
    select(2);
    QTest::mouseClick(button("OpenPlanButton"), Qt::LeftButton);
    QCOMPARE(asked, 1);
    QCOMPARE(m_window->workspace().currentPlan(), edited);

    answer = QMessageBox::Discard;
    QTest::mouseClick(button("OpenPlanButton"), Qt::LeftButton);
    QCOMPARE(asked, 2);
    QCOMPARE(m_window->workspace().currentPlan(), workedExample());
    QVERIFY(!m_window->isPlanModified());
}

void WriteHistoryTest::openBackupOpensIt() {
    QVERIFY(openHistory());
    select(0);
    QTest::mouseClick(button("OpenBackupButton"), Qt::LeftButton);
    QCOMPARE(m_window->workspace().currentPlan().band, QStringLiteral("400-470MHz"));
}

// The receipt: the sheet of the plan written, with the date, device, result and plan hash below.
void WriteHistoryTest::receiptPdfHasTheFooter() {
    const QString pdf = m_folder->path() + "receipt.pdf";
    QList<zev::FileDialogKind> asked;
    m_window->fileNameProvider = [&](zev::FileDialogKind kind) {
        asked << kind;
        return pdf;
    };
    QVERIFY(openHistory());
    select(2);
    QTest::mouseClick(button("ExportReceiptButton"), Qt::LeftButton);
    QCOMPARE(asked, QList<zev::FileDialogKind>{zev::FileDialogKind::Pdf});
    const testsupport::PdfContent receipt = testsupport::readPdf(pdf);
    QVERIFY(receipt.read);
    QCOMPARE(receipt.pages, 1);
    const QString text = receipt.text.simplified();
    QVERIFY2(text.contains("03 145.12500 67.0 145.12500 D023N High ON ON"), qPrintable(text));
    QVERIFY2(text.contains("Written: 2026-03-01 12:00:00 UTC"), qPrintable(text));
    QVERIFY(text.contains("Device: " + firstDevice));
    QVERIFY(text.contains("Result: written and verified"));
    QVERIFY(text.contains("Plan SHA-256: " + m_records.first().planSha256));
}

void WriteHistoryTest::receiptOfAChangedFileIsRefused() {
    QVERIFY(testsupport::writeFile(
        m_plan, QByteArray(testsupport::readFile(m_plan)).replace("145.12500", "145.13750")));
    const QString pdf = m_folder->path() + "receipt.pdf";
    m_window->fileNameProvider = [&](zev::FileDialogKind) { return pdf; };
    QVERIFY(openHistory());
    select(2);
    MessageBoxAnswerer boxes;
    QTest::mouseClick(button("ExportReceiptButton"), Qt::LeftButton);
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen.first().icon, QMessageBox::Critical);
    QVERIFY2(boxes.seen.first().text.startsWith(m_plan + " does not hold the plan written at "
                                                         "2026-03-01T12:00:00.250Z"),
             qPrintable(boxes.seen.first().text));
    QVERIFY(!QFile::exists(pdf));
}

void WriteHistoryTest::printReceiptAsksForAPrinter() {
    QVERIFY(openHistory());
    select(2);
    QString seen;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            seen = dialog->objectName();
            dialog->reject();
        }
    });
    QTest::mouseClick(button("PrintReceiptButton"), Qt::LeftButton);
    QCOMPARE(seen, QStringLiteral("PrintSheetDialog"));
}

QTEST_MAIN(WriteHistoryTest)
#include "tst_writehistory.moc"
