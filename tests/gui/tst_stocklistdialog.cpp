#include "tst_mainwindow_support.h"

#include "planmodel.h"
#include "stocklistdialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTableWidget>

using namespace zevtest;
using zev::MainWindow;
using zev::Plan;
using zev::PlanModel;
using zev::StockListDialog;

namespace {

QString previewRow(const QTableWidget& preview, int row) {
    QStringList cells;
    for (int column = 0; column < preview.columnCount(); ++column)
        cells << (preview.item(row, column) ? preview.item(row, column)->text() : QString());
    return cells.join('|');
}

QString rowText(const Plan& plan, int row) {
    const zev::ChannelRow& cells = plan.channel(row);
    return QStringList(cells.begin(), cells.end()).join('|');
}

void trigger(MainWindow& window, const char* item) {
    control<QAction>(&window, item)->trigger();
    QCoreApplication::processEvents();
}

// What the stock dialog is to do once it is up: choose a list and a first entry, then answer.
struct DialogChoice {
    int list = 0;
    int firstEntry = 1;
    bool accept = true;
};

// Works the stock dialog as it comes up, as a user would, and remembers that it came.
class StockDialogDriver : public QObject {
public:
    explicit StockDialogDriver(DialogChoice choice) : m_choice(choice) {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &StockDialogDriver::drive);
        m_timer.start();
    }
    int seen = 0;

private:
    void drive() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<StockListDialog*>(widget);
            if (!dialog || !dialog->isVisible() || dialog->property("drivenByTest").toBool())
                continue;
            dialog->setProperty("drivenByTest", true);
            ++seen;
            dialog->lists()->setCurrentRow(m_choice.list);
            dialog->firstEntry()->setValue(m_choice.firstEntry);
            QDialogButtonBox* buttons = dialog->buttons();
            QAbstractButton* answer =
                buttons->button(m_choice.accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
            QTimer::singleShot(0, answer, &QAbstractButton::click);
        }
    }

    DialogChoice m_choice;
    QTimer m_timer;
};

} // namespace

// File > New from stock list: the dialog's lists and preview, and the plan it puts in place.
class StockListDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }
    void previewFollowsTheChoice();
    void replacesThePlanAsOneStep_data();
    void replacesThePlanAsOneStep();
};

// Chosen by keyboard alone, under a German number format: the 16 rows, the first entry for the
// long lists only, and the channels outside the band named.
void StockListDialogTest::previewFollowsTheChoice() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
    StockListDialog dialog(zev::englishWords(), QStringLiteral("136-174MHz"));
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* lists = dialog.findChild<QListWidget*>("StockLists");
    auto* first = dialog.findChild<QSpinBox*>("StockFirstEntry");
    auto* preview = dialog.findChild<QTableWidget*>("StockPreview");
    auto* note = dialog.findChild<QLabel*>("StockNote");
    auto* buttons = dialog.findChild<QDialogButtonBox*>("StockButtons");
    QVERIFY(lists && first && preview && note && buttons);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    QCOMPARE(lists->count(), 7);
    QCOMPARE(QApplication::focusWidget(), lists);

    // PMR446 fills the plan from its first channel; every channel is outside a VHF band.
    QCOMPARE(lists->currentItem()->text(), QStringLiteral("PMR446 (Europe, 16 channels)"));
    QVERIFY(!first->isEnabled());
    QCOMPARE(preview->rowCount(), 16);
    QCOMPARE(previewRow(*preview, 0), QStringLiteral("PMR1|446,00625|446,00625|outside"));
    QCOMPARE(previewRow(*preview, 15), QStringLiteral("PMR16|446,19375|446,19375|outside"));
    QCOMPARE(note->text(), QStringLiteral("16 of these channels lie outside the band 136-174MHz; "
                                          "they are kept, and Write warns about them."));
    QVERIFY(ok->isEnabled());

    // LPD433 from entry 54, its last: typed into the spin box.
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(lists, Qt::Key_Down);
    QCOMPARE(lists->currentItem()->text(), QStringLiteral("LPD433 (Europe, 69 channels)"));
    QVERIFY(first->isEnabled());
    QCOMPARE(first->maximum(), 54);
    QTest::keyClick(lists, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), first);
    QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(first, QStringLiteral("54"));
    QCOMPARE(first->value(), 54);
    QCOMPARE(previewRow(*preview, 0), QStringLiteral("LPD54|434,40000|434,40000|outside"));
    QCOMPARE(previewRow(*preview, 15), QStringLiteral("LPD69|434,77500|434,77500|outside"));

    // NOAA: seven channels, receive only, in the band; the first entry goes back to 1.
    QTest::keyClick(first, Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), lists);
    QTest::keyClick(lists, Qt::Key_Down);
    QCOMPARE(lists->currentItem()->text(),
             QStringLiteral("NOAA weather radio (United States and Canada, 7 channels)"));
    QVERIFY(!first->isEnabled());
    QCOMPARE(first->value(), 1);
    QCOMPARE(previewRow(*preview, 0), QStringLiteral("WX1|162,55000||"));
    QCOMPARE(previewRow(*preview, 6), QStringLiteral("WX7|162,52500||"));
    QCOMPARE(previewRow(*preview, 7), QStringLiteral("|||"));
    QCOMPARE(note->text(), QStringLiteral("Every channel lies in the band 136-174MHz."));
    QCOMPARE(dialog.stockPlan()->plan.cell(Plan::RxFrequency, 1), QStringLiteral("162,55000"));
}

void StockListDialogTest::replacesThePlanAsOneStep_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<bool>("accept");       // the dialog's OK, else its Cancel
    QTest::addColumn<int>("unsavedAnswer"); // the answer to the unsaved plan's question
    QTest::addColumn<bool>("replaced");
    QTest::newRow("Cancel to the question keeps the plan")
        << true << true << int(QMessageBox::Cancel) << false;
    QTest::newRow("Discard replaces it") << true << true << int(QMessageBox::Discard) << true;
    QTest::newRow("Discard replaces it, Chinese words")
        << false << true << int(QMessageBox::Discard) << true;
    QTest::newRow("the dialog cancelled asks nothing")
        << true << false << int(QMessageBox::Discard) << false;
}

// A modified plan: the dialog's choice, then the question about it; the stock plan comes in
// the window's band and words, with the options of New, and one Undo brings the old one back.
void StockListDialogTest::replacesThePlanAsOneStep() {
    QFETCH(bool, english);
    QFETCH(bool, accept);
    QFETCH(int, unsavedAnswer);
    QFETCH(bool, replaced);
    ProgramFolder folder;
    folder.writeInstallLog(english);
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& model = window->workspace().plan;
    window->workspace().bands.applyBand(QStringLiteral("400-470MHz"));
    const zev::Words& w = model.words();
    model.setChannel(1, {"145.50000", w.off, "145.50000", "88.5", w.low, w.on, w.off});
    model.setOptionIndex(zev::Option::Squelch, 5);
    QCoreApplication::processEvents();
    QVERIFY(window->isPlanModified());
    const Plan before = window->workspace().currentPlan();
    int asked = 0;
    window->unsavedPlanAnswer = [&] {
        ++asked;
        return QMessageBox::StandardButton(unsavedAnswer);
    };

    StockDialogDriver driver({4, 17, accept}); // LPD433 from channel 17
    trigger(*window, "NewFromStockItem");
    QCOMPARE(driver.seen, 1);
    QCOMPARE(asked, accept ? 1 : 0);
    const Plan& after = window->workspace().currentPlan();
    if (!replaced) {
        QCOMPARE(after, before);
        return;
    }
    const QChar separator = zev::decimalSeparator();
    const auto row = [&](const char* mhz, const char* khz) {
        const QString frequency = QStringLiteral("%1%2%3").arg(mhz).arg(separator).arg(khz);
        return QStringList{frequency, w.off, frequency, w.off, w.high, w.on, w.off}.join('|');
    };
    QCOMPARE(after.band, QStringLiteral("400-470MHz"));
    QCOMPARE(after.options, zev::resetOptionIndices);
    QCOMPARE(rowText(after, 1), row("433", "47500"));
    QCOMPARE(rowText(after, 16), row("433", "85000"));
    QVERIFY(window->isPlanModified());

    const Plan stock = after;
    trigger(*window, "UndoItem");
    QCOMPARE(window->workspace().currentPlan(), before);
    trigger(*window, "RedoItem");
    QCOMPARE(window->workspace().currentPlan(), stock);
}

QTEST_MAIN(StockListDialogTest)
#include "tst_stocklistdialog.moc"
