#include "tst_mainwindow_support.h"

#include "chanfile/channelfile.h"
#include "chanfile/plancompare.h"
#include "channeleditor.h"
#include "channelgrid.h"
#include "planmodel.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>

using namespace zevtest;
using zev::ChannelGrid;
using zev::MainWindow;
using zev::Plan;
using zev::PlanModel;

namespace {

Plan stateOf(const MainWindow& window) {
    return window.workspace().currentPlan();
}

bool sameMeaning(const Plan& a, const Plan& b) {
    return zev::comparePlans(a, b).isEmpty();
}

void click(const MainWindow& window, int column, int row) {
    gridOf(window)->selectCell({column, row}, ChannelGrid::MoveSource::Click);
}

// Types text into the frequency cell of row as a user does: the first key on the grid opens
// the editor, the rest go to it. Not confirmed.
void typeFrequency(MainWindow& window, int row, const QString& text) {
    click(window, PlanModel::RxFrequency, row);
    QTest::keyClicks(gridOf(window), text.left(1));
    QTest::keyClicks(frequencyEditorOf(window), text.mid(1));
}

void trigger(MainWindow& window, const char* item) {
    control<QAction>(&window, item)->trigger();
    QCoreApplication::processEvents();
}

// The plan every step starts from: two channels in the factory band.
void fillPlan(PlanModel& plan) {
    const zev::Words& w = plan.words();
    plan.setChannel(1, {"145.50000", w.off, "145.50000", "88.5", w.high, w.on, w.off});
    plan.setChannel(2, {"146.00000", w.off, "146.60000", w.off, w.low, w.off, w.on});
}

enum class Step {
    CommittedCell,
    PowerToggle,
    FlagToggle,
    TonePick,
    MoveDown,
    Delete,
    OptionChange,
    New,
    ModelChange,
    Open,
    ImportCsv,
    PasteRows
};

} // namespace

Q_DECLARE_METATYPE(Step)

class UndoTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }
    void everyStepUndoes_data();
    void everyStepUndoes();
    void undoConfirmsThePendingEntryFirst();
    void refusedEntryStopsTheCommand_data();
    void refusedEntryStopsTheCommand();
    void modifiedMarker();
    void unsavedPlanQuestion_data();
    void unsavedPlanQuestion();
};

void UndoTest::everyStepUndoes_data() {
    QTest::addColumn<Step>("step");
    QTest::newRow("committed cell") << Step::CommittedCell;
    QTest::newRow("power toggle") << Step::PowerToggle;
    QTest::newRow("flag toggle") << Step::FlagToggle;
    QTest::newRow("tone pick") << Step::TonePick;
    QTest::newRow("move down") << Step::MoveDown;
    QTest::newRow("delete") << Step::Delete;
    QTest::newRow("option change") << Step::OptionChange;
    QTest::newRow("New") << Step::New;
    QTest::newRow("model change") << Step::ModelChange;
    QTest::newRow("Open") << Step::Open;
    QTest::newRow("Import CSV") << Step::ImportCsv;
    QTest::newRow("paste rows") << Step::PasteRows;
}

void UndoTest::everyStepUndoes() {
    QFETCH(Step, step);
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    fillPlan(plan);
    // A second model to change to, as a read from a radio of another band leaves it.
    window->workspace().bands.applyBand(QStringLiteral("400-470MHz"));
    window->workspace().bands.setCurrentIndex(0);
    QVERIFY(focusGrid(*window));
    click(*window, PlanModel::RxFrequency, 1);
    QCoreApplication::processEvents();
    const Plan before = stateOf(*window);

    MessageBoxAnswerer answerer; // the questions of New, model change and import: OK
    auto* editor = window->channelEditor();
    switch (step) {
    case Step::CommittedCell:
        typeFrequency(*window, 3, QStringLiteral("147.125"));
        QTest::keyClick(frequencyEditorOf(*window), Qt::Key_Return);
        break;
    case Step::PowerToggle:
        click(*window, PlanModel::Power, 1);
        break;
    case Step::FlagToggle:
        click(*window, PlanModel::BusyLock, 2);
        break;
    case Step::TonePick: {
        click(*window, PlanModel::TxTone, 2);
        auto* picker = editor->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
        QVERIFY(picker && picker->isVisible());
        picker->setCurrentIndex(picker->findText(QStringLiteral("100.0")));
        QVERIFY(editor->confirmPendingEntry());
        break;
    }
    case Step::MoveDown:
        click(*window, PlanModel::RxFrequency, 1);
        editor->findChild<QPushButton*>(QStringLiteral("TeButton3"))->click();
        break;
    case Step::Delete:
        click(*window, PlanModel::RxFrequency, 2);
        editor->findChild<QPushButton*>(QStringLiteral("TeButton4"))->click();
        break;
    case Step::OptionChange:
        QTest::keyClick(control<QComboBox>(form(*window, "TForm4"), "ComboBox1"), Qt::Key_Down);
        break;
    case Step::New:
        trigger(*window, "N2");
        break;
    case Step::ModelChange:
        QTest::keyClick(control<QComboBox>(window.get(), "ComboBox1"), Qt::Key_Down);
        break;
    case Step::Open: {
        Plan other = before;
        other.band = QStringLiteral("400-470MHz");
        other.channels[0][0] = other.channels[0][2] = QStringLiteral("438.50000");
        QVERIFY(zev::saveChannelFile(folder.path() + QStringLiteral("other.z81"), other, {}));
        window->fileNameProvider = [&](MainWindow::FileDialogKind) {
            return folder.path() + QStringLiteral("other.z81");
        };
        trigger(*window, "O1");
        break;
    }
    case Step::ImportCsv:
        folder.writeFile(QStringLiteral("list.csv"), "Location,Frequency,Power\r\n4,147.5,Low\r\n");
        window->fileNameProvider = [&](MainWindow::FileDialogKind) {
            return folder.path() + QStringLiteral("list.csv");
        };
        trigger(*window, "ImportCsvItem");
        break;
    case Step::PasteRows:
        QGuiApplication::clipboard()->setText(
            QStringLiteral("Location,Frequency\n1,148.0\n2,148.5\n"));
        click(*window, PlanModel::RxFrequency, 5);
        trigger(*window, "PasteRowsItem");
        break;
    }
    QCoreApplication::processEvents();
    const Plan after = stateOf(*window);
    QVERIFY2(!sameMeaning(before, after), "the step changed nothing");

    trigger(*window, "UndoItem");
    QVERIFY2(sameMeaning(stateOf(*window), before),
             qPrintable(zev::describeFirst(zev::comparePlans(before, stateOf(*window)), 5,
                                           zev::describeChange)
                            .join(QLatin1Char('\n'))));
    QCOMPARE(control<QComboBox>(window.get(), "ComboBox1")->currentText(), before.band);
    QVERIFY(control<QAction>(window.get(), "RedoItem")->isEnabled());
    trigger(*window, "RedoItem");
    QVERIFY(sameMeaning(stateOf(*window), after));
    QVERIFY(!control<QAction>(window.get(), "RedoItem")->isEnabled());
}

void UndoTest::undoConfirmsThePendingEntryFirst() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    fillPlan(plan);
    QVERIFY(focusGrid(*window));
    QCoreApplication::processEvents();
    const Plan before = stateOf(*window);
    // Typed key by key, and none of the keys a step of its own: one undo takes all of it.
    typeFrequency(*window, 3, QStringLiteral("147,125"));
    trigger(*window, "UndoItem");
    QVERIFY(sameMeaning(stateOf(*window), before));
    trigger(*window, "RedoItem");
    QCOMPARE(plan.cell(PlanModel::TxFrequency, 3), plan.cell(PlanModel::RxFrequency, 3));
    QVERIFY(plan.cell(PlanModel::RxFrequency, 3).startsWith(QStringLiteral("147")));
}

// A frequency the radio cannot hold, typed and not confirmed, is refused when a command asks for
// the plan: the command does not run, and the plan, its history and its mark stay as they were.
void UndoTest::refusedEntryStopsTheCommand_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("English") << true << QLocale(QLocale::English) << "999"
                             << "the frequency 999 MHz is outside 100-550 MHz";
    QTest::newRow("German number format")
        << true << QLocale(QLocale::German, QLocale::Germany) << "550,5"
        << "the frequency 550,5 MHz is outside 100-550 MHz";
    QTest::newRow("Chinese") << false << QLocale(QLocale::Chinese, QLocale::China) << "145125"
                             << "频率 145125 MHz 超出 100-550 MHz";
}

void UndoTest::refusedEntryStopsTheCommand() {
    QFETCH(bool, english);
    QFETCH(QLocale, locale);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QLocale::setDefault(locale);
    const auto restoreLocale = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
    ProgramFolder folder;
    folder.writeInstallLog(english);
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    fillPlan(plan);
    const QString path = folder.path() + QStringLiteral("plan.z81");
    window->fileNameProvider = [&](MainWindow::FileDialogKind) { return path; };
    trigger(*window, "S1");
    QVERIFY(QFile::exists(path));
    QVERIFY(focusGrid(*window));
    const Plan before = stateOf(*window);
    const bool couldUndo = control<QAction>(window.get(), "UndoItem")->isEnabled();

    // Over channel 2's RX frequency by keys, typed, and straight to Save.
    QTest::keyClick(gridOf(*window), Qt::Key_Down);
    QTest::keyClicks(gridOf(*window), typed.left(1));
    QTest::keyClicks(frequencyEditorOf(*window), typed.mid(1));
    bool asked = false;
    window->fileNameProvider = [&](MainWindow::FileDialogKind) {
        asked = true;
        return path;
    };
    MessageBoxAnswerer answerer;
    QTest::keyClick(frequencyEditorOf(*window), Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen.first().text, message);
    QVERIFY(!asked);
    QCOMPARE(stateOf(*window), before);
    QCoreApplication::processEvents();
    QVERIFY(!window->windowTitle().startsWith(QLatin1Char('*')));
    QCOMPARE(control<QAction>(window.get(), "UndoItem")->isEnabled(), couldUndo);
    QLineEdit* editor = frequencyEditorOf(*window);
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->text(), typed);
}

void UndoTest::modifiedMarker() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    const auto marked = [&] { return window->windowTitle().startsWith(QLatin1Char('*')); };
    PlanModel& plan = window->workspace().plan;
    QVERIFY(!marked());

    fillPlan(plan);
    QTRY_VERIFY(marked());
    window->fileNameProvider = [&](MainWindow::FileDialogKind) {
        return folder.path() + QStringLiteral("plan.z81");
    };
    trigger(*window, "S1"); // Save
    QVERIFY(!marked());
    QVERIFY(!window->isPlanModified());

    plan.togglePower(1);
    QTRY_VERIFY(marked());
    trigger(*window, "UndoItem"); // back to what was saved
    QVERIFY(!marked());

    // Other words for the same plan are no change.
    window->switchLanguage(zev::Language::Chinese);
    QCoreApplication::processEvents();
    QVERIFY(!window->isPlanModified());
    QVERIFY(!marked());
    trigger(*window, "RedoItem");
    QVERIFY(marked());
    QCOMPARE(plan.cell(PlanModel::Power, 1), zev::chineseWords().low);
}

void UndoTest::unsavedPlanQuestion_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << false << false;
    QTest::newRow("Discard") << int(QMessageBox::Discard) << true << false;
    QTest::newRow("Save") << int(QMessageBox::Save) << true << true;
}

void UndoTest::unsavedPlanQuestion() {
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    window->unsavedPlanAnswer = nullptr; // the real question
    window->fileNameProvider = [&](MainWindow::FileDialogKind) {
        return folder.path() + QStringLiteral("plan.z81");
    };

    MessageBoxAnswerer answerer{QMessageBox::StandardButton(answer)};
    QVERIFY(window->close()); // nothing changed: no question
    QVERIFY(answerer.seen.isEmpty());
    window->show();
    fillPlan(window->workspace().plan);
    QCOMPARE(window->close(), closed);
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen.first().buttons,
             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    QCOMPARE(QFileInfo::exists(folder.path() + QStringLiteral("plan.z81")), saved);
    QCOMPARE(window->isPlanModified(), !saved);
}

QTEST_MAIN(UndoTest)
#include "tst_undo.moc"
