#include "tst_mainwindow_support.h"

#include "channeleditor.h"
#include "channelgrid.h"
#include "planmodel.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace zevtest;
using zev::ChannelGrid;
using zev::MainWindow;
using zev::PlanModel;

namespace {

// The used channels as "row=cell|cell|...", in row order; words in English when plain.
QStringList table(const PlanModel& plan, bool plain = true) {
    const zev::Words english = zev::englishWords();
    QStringList rows;
    for (int row = 1; row <= PlanModel::ChannelCount; ++row) {
        if (!plan.isUsed(row))
            continue;
        QStringList cells;
        for (const QString& cell : plan.channel(row)) {
            const zev::WordMeaning meaning = zev::recogniseWord(cell);
            cells << (!plain                              ? cell
                      : meaning == zev::WordMeaning::Off  ? english.off
                      : meaning == zev::WordMeaning::On   ? english.on
                      : meaning == zev::WordMeaning::High ? english.high
                      : meaning == zev::WordMeaning::Low  ? english.low
                                                          : cell);
        }
        rows << QString::number(row) + QLatin1Char('=') + cells.join(QLatin1Char('|'));
    }
    return rows;
}

// Two channels in English words, for a plan that an import or paste must replace or keep.
const QStringList planBefore = {"1=145.50000|88.5|145.50000|88.5|High|ON|OFF",
                                "5=438.50000|OFF|431.10000|D023I|Low|OFF|ON"};

void fillPlan(PlanModel& plan) {
    for (const QString& entry : planBefore) {
        const QStringList cells = entry.section(QLatin1Char('='), 1).split(QLatin1Char('|'));
        zev::ChannelRow row;
        std::copy(cells.begin(), cells.end(), row.begin());
        plan.setChannel(entry.section(QLatin1Char('='), 0, 0).toInt(), row);
    }
}

// The grid of the window, active and with the focus, with a cell of row selected.
bool focusRow(MainWindow& window, int row) {
    if (!focusGrid(window))
        return false;
    gridOf(window)->selectCell({PlanModel::RxFrequency, row}, ChannelGrid::MoveSource::Click);
    return true;
}

const QByteArray header = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,Power\r\n";

// A click on the label of row ("01" to "16"), as the user gives it.
void clickLabel(MainWindow& window, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    ChannelGrid* grid = gridOf(window);
    const QRect label = grid->visualRect(grid->model()->index(row, PlanModel::Label));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, label.center());
}

// Channels 1 to 6, each its own, in the plan's words.
QStringList fillSixChannels(PlanModel& plan) {
    const zev::Words& w = plan.words();
    for (int row = 1; row <= 6; ++row) {
        const QString rx = QStringLiteral("14%1.50000").arg(row);
        plan.setChannel(row, {rx, w.off, rx, w.off, row % 2 ? w.high : w.low, w.on, w.off});
    }
    return table(plan);
}

using RowMoves = QList<std::pair<int, int>>; // from, to

// The entries of table() moved to other rows: "3=..." from rows becomes "9=..." for 3 -> 9.
QStringList movedRows(const QStringList& entries, const RowMoves& moves) {
    QStringList moved;
    for (const auto& [from, to] : moves)
        for (const QString& entry : entries)
            if (entry.section(QLatin1Char('='), 0, 0).toInt() == from)
                moved << QString::number(to) + QLatin1Char('=') +
                             entry.section(QLatin1Char('='), 1);
    return moved;
}

// Plays the user at the dialog named name once it is the modal window: act, then the button.
class DialogScript : public QObject {
public:
    DialogScript(const char* name, std::function<void(QDialog&)> act,
                 QDialogButtonBox::StandardButton button)
        : m_name(QLatin1String(name)), m_act(std::move(act)), m_button(button) {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || dialog->objectName() != m_name || !dialog->isVisible() ||
                dialog->property("scripted").toBool())
                return;
            dialog->setProperty("scripted", true);
            m_act(*dialog);
            auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("ButtonBox"));
            QTimer::singleShot(0, buttons->button(m_button), &QAbstractButton::click);
            ++played;
        });
        m_timer.start(10);
    }
    int played = 0;

private:
    QString m_name;
    std::function<void(QDialog&)> m_act;
    QDialogButtonBox::StandardButton m_button;
    QTimer m_timer;
};

void choose(QDialog& dialog, const char* box, const QString& item) {
    auto* combo = dialog.findChild<QComboBox*>(QLatin1String(box));
    QVERIFY(combo);
    const int index = combo->findText(item);
    QVERIFY2(index >= 0, qPrintable(item));
    combo->setCurrentIndex(index);
}

} // namespace

class ChannelListsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }
    void exportThenImportGivesThePlan_data();
    void exportThenImportGivesThePlan();
    void exportTakesThePendingEntry();
    void importFile_data();
    void importFile();
    void copyRowsThenPasteInAnotherWindow();
    void pasteRows_data();
    void pasteRows();
    void copyKeyByFocus_data();
    void copyKeyByFocus();
    void rowLabelsSelectWhatRowCommandsTake();
    void copiedGapsPasteAsGaps_data();
    void copiedGapsPasteAsGaps();
    void formulasLeaveAsText_data();
    void formulasLeaveAsText();
    void pasteTooLarge_data();
    void pasteTooLarge();
    void setForSelectedRows_data();
    void setForSelectedRows();
    void fillFrequencies();
};

void ChannelListsTest::exportThenImportGivesThePlan_data() {
    QTest::addColumn<bool>("english");
    QTest::newRow("English") << true;
    QTest::newRow("Chinese") << false;
}

void ChannelListsTest::exportThenImportGivesThePlan() {
    QFETCH(bool, english);
    ProgramFolder folder;
    QVERIFY(folder.hasPacks());
    folder.writeInstallLog(english);
    auto window = startProgram(folder);
    QVERIFY(window);
    window->switchLanguage(english ? zev::Language::English : zev::Language::Chinese);
    PlanModel& plan = window->workspace().plan;
    const zev::Words& w = plan.words();
    QCOMPARE(w.off, english ? zev::englishWords().off : zev::chineseWords().off);
    plan.setChannel(1, {"145.50000", "88.5", "145.50000", "88.5", w.high, w.on, w.off});
    plan.setChannel(2, {"438.50000", w.off, "431.10000", "D023I", w.low, w.off, w.on});
    plan.setChannel(9, {"145.00625", w.off, QString(), w.off, w.high, w.on, w.off});
    plan.setChannel(16, {"550.00000", "254.1", "100.00000", "D754N", w.high, w.on, w.off});
    const QStringList exported = table(plan, false);
    const QString path = folder.path() + QStringLiteral("plan.csv");
    QList<MainWindow::FileDialogKind> asked;
    window->fileNameProvider = [&](MainWindow::FileDialogKind kind) {
        asked << kind;
        return path;
    };

    MessageBoxAnswerer answerer;
    control<QAction>(window.get(), "ExportCsvItem")->trigger();
    QVERIFY(folder.readFile(QStringLiteral("plan.csv")).startsWith("Location,Name,Frequency"));
    // The channels the list does not name are emptied; the others come back.
    plan.clearChannel(2);
    plan.setChannel(5, {"146.00000", w.off, "146.00000", w.off, w.low, w.on, w.off});
    control<QAction>(window.get(), "ImportCsvItem")->trigger();
    QCOMPARE(table(plan, false), exported);
    QCOMPARE(asked,
             (QList{MainWindow::FileDialogKind::ExportCsv, MainWindow::FileDialogKind::ImportCsv}));
    QCOMPARE(answerer.seen.size(), 1); // the import's question only
}

void ChannelListsTest::exportTakesThePendingEntry() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    QVERIFY(focusRow(*window, 3));
    // Typed into the frequency editor, not yet confirmed by Enter or a move.
    QTest::keyClicks(gridOf(*window), QStringLiteral("1"));
    QTest::keyClicks(frequencyEditorOf(*window), QStringLiteral("46.52"));
    QCOMPARE(window->workspace().plan.cell(PlanModel::RxFrequency, 3), QStringLiteral("146.52"));
    window->fileNameProvider = [&](MainWindow::FileDialogKind) {
        return folder.path() + QStringLiteral("plan.csv");
    };
    control<QAction>(window.get(), "ExportCsvItem")->trigger();
    const QByteArray list = folder.readFile(QStringLiteral("plan.csv"));
    QVERIFY2(list.contains("\r\n3,,146.520000,,"), list.constData());
}

void ChannelListsTest::importFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("renumber");
    QTest::addColumn<int>("problemsAnswer");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("boxes"); // a text each box shown holds, in order

    const int ok = QMessageBox::Ok;
    const int cancel = QMessageBox::Cancel;
    QTest::newRow("spreadsheet: semicolons, quotes, BOM, CR LF, decimal comma")
        << QByteArray("\xEF\xBB\xBF\"Location\";\"Name\";\"Frequency\";\"Duplex\";\"Offset\";"
                      "\"Tone\";\"rToneFreq\";\"Power\"\r\n"
                      "3;\"Hill; north\";\"145,600000\";\"-\";\"0,600000\";\"Tone\";\"88,5\";"
                      "\"Low\"\r\n"
                      "7;\"a \"\"b\"\"\";438.5;;;;;\r\n")
        << false << ok
        << QStringList{"3=145.60000|OFF|145.00000|88.5|Low|ON|OFF",
                       "7=438.50000|OFF|438.50000|OFF|High|ON|OFF"}
        << QStringList{"plan.csv"};
    const QByteArray badRows = header + "2,,145.5,,,,,\r\n"
                                        "3,,145.6,,,Tone,123.4,\r\n"
                                        "20,,145.7,,,,,\r\n"
                                        "4,,146.001,,,,,\r\n";
    QTest::newRow("bad rows, cancelled") << badRows << false << cancel << planBefore
                                         << QStringList{"plan.csv", "row 3: the tone 123.4"};
    QTest::newRow("bad rows, the others imported")
        << badRows << false << ok
        << QStringList{"2=145.50000|OFF|145.50000|OFF|High|ON|OFF",
                       "4=146.00500|OFF|146.00500|OFF|High|ON|OFF"}
        << QStringList{"plan.csv", "row 4: the location \"20\""};
    QTest::newRow("renumbered, off raster noted")
        << QByteArray(header + "9,,145.5,,,,,\r\n,,,,,,,\r\n12,,146.001,,,,,\r\n") << true << ok
        << QStringList{"1=145.50000|OFF|145.50000|OFF|High|ON|OFF",
                       "2=146.00500|OFF|146.00500|OFF|High|ON|OFF"}
        << QStringList{"plan.csv", "row 4: 146.001000 MHz is not on a channel"};
    QTest::newRow("no row the radio can hold")
        << QByteArray(header + "30,,145.5,,,,,\r\n") << false << ok << planBefore
        << QStringList{"plan.csv", "row 2: the location \"30\""};
    QTest::newRow("a quote that never closes")
        << QByteArray(header + "2,,145.5,,,,,\r\n3,,145.6,,,,,\r\n4,,145.7,,,,,\r\n"
                               "6,\"Hill,145.8,,,,,\r\n7,,145.9,,,,,\r\n")
        << false << ok << planBefore
        << QStringList{"plan.csv", "The quote that opens in row 5 of the channel list never "
                                   "closes; nothing was taken."};
    QTest::newRow("rows without a frequency listed")
        << QByteArray(header + "2,,145.5,,,,,\r\n3,Hill,,,,,,\r\n4,,,,,,,\r\n") << false << ok
        << QStringList{"2=145.50000|OFF|145.50000|OFF|High|ON|OFF"}
        << QStringList{"plan.csv", "These rows cannot go into the radio:\n\n"
                                   "row 3: the row has no frequency"};
    QTest::newRow("off-list tone noted")
        << QByteArray(header + "2,,145.5,,,Tone,88.55,\r\n") << false << ok
        << QStringList{"2=145.50000|OFF|145.50000|88.5|High|ON|OFF"}
        << QStringList{"plan.csv", "row 2: the tone 88.55 (rToneFreq) is not in the tone list; "
                                   "taken as 88.5"};
    QTest::newRow("guarded duplex")
        << QByteArray(header + "2,,145.6,'-,0.6,,,\r\n") << false << ok
        << QStringList{"2=145.60000|OFF|145.00000|OFF|High|ON|OFF"} << QStringList{"plan.csv"};
    QTest::newRow("not a channel list") << QByteArray("Name,Memory\r\nA,1\r\n") << false << ok
                                        << planBefore << QStringList{"plan.csv", "Frequency"};
    QTest::newRow("larger than 1 MiB") << QByteArray(header + QByteArray(1024 * 1024, ' ')) << false
                                       << ok << planBefore << QStringList{"1 MiB"};
}

void ChannelListsTest::importFile() {
    QFETCH(QByteArray, content);
    QFETCH(bool, renumber);
    QFETCH(int, problemsAnswer);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, boxes);
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    fillPlan(plan);
    folder.writeFile(QStringLiteral("plan.csv"), content);
    window->fileNameProvider = [&](MainWindow::FileDialogKind) {
        return folder.path() + QStringLiteral("plan.csv");
    };

    MessageBoxAnswerer answerer;
    answerer.beforeAnswer = [&](QMessageBox* box) {
        if (QCheckBox* check = box->checkBox())
            check->setChecked(renumber);
        answerer.setAnswer(box->objectName() == QLatin1String("ListProblemsBox")
                               ? QMessageBox::StandardButton(problemsAnswer)
                               : QMessageBox::Ok);
    };
    control<QAction>(window.get(), "ImportCsvItem")->trigger();
    QCOMPARE(table(plan), expected);
    QCOMPARE(answerer.seen.size(), boxes.size());
    for (int i = 0; i < boxes.size(); ++i)
        QVERIFY2(answerer.seen[i].text.contains(boxes[i]), qPrintable(answerer.seen[i].text));
}

void ChannelListsTest::copyRowsThenPasteInAnotherWindow() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto source = startProgram(folder);
    QVERIFY(source);
    fillPlan(source->workspace().plan);
    ProgramFolder otherFolder;
    otherFolder.writeInstallLog(false); // the rows take the other window's words
    auto target = startProgram(otherFolder);
    QVERIFY(target);
    PlanModel& targetPlan = target->workspace().plan;

    // Rows 1 to 5 by Shift+Down: the empty ones among them are copied as empty rows.
    QVERIFY(focusRow(*source, 1));
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(gridOf(*source), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(gridOf(*source), Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    QVERIFY2(copied.startsWith("Location,") && copied.contains("\r\n1,") &&
                 copied.contains("\r\n3,,,") && copied.contains("\r\n5,"),
             qPrintable(copied));
    QCOMPARE(copied.count(QStringLiteral("\r\n")), 6); // the header and five rows

    // Into rows 11 to 13 (selected upwards): from the range's first row, with the same gaps.
    QVERIFY(focusRow(*target, 13));
    for (int i = 0; i < 2; ++i)
        QTest::keyClick(gridOf(*target), Qt::Key_Up, Qt::ShiftModifier);
    MessageBoxAnswerer answerer;
    QTest::keyClick(gridOf(*target), Qt::Key_V, Qt::ControlModifier);
    const zev::Words& w = targetPlan.words();
    QCOMPARE(table(targetPlan, false),
             (QStringList{"11=145.50000|88.5|145.50000|88.5|" + w.high + "|" + w.on + "|" + w.off,
                          "15=438.50000|" + w.off + "|431.10000|D023I|" + w.low + "|" + w.off +
                              "|" + w.on}));
    QVERIFY(answerer.seen.isEmpty());

    // A move without Shift starts the range anew: one row again.
    QTest::keyClick(gridOf(*source), Qt::Key_Up);
    QCOMPARE(source->channelEditor()->selectedRows(), QList<int>{4});
}

void ChannelListsTest::pasteRows_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("problemsAnswer");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("boxes");

    const QString twoRows = QStringLiteral("Location\tFrequency\tPower\n9\t146.5\tLow\n3\t147\t\n");
    QTest::newRow("spreadsheet cells, one after the other from the current row")
        << twoRows << 2 << int(QMessageBox::Ok)
        << QStringList{planBefore[0], "2=146.50000|OFF|146.50000|OFF|Low|ON|OFF",
                       "3=147.00000|OFF|147.00000|OFF|High|ON|OFF", planBefore[1]}
        << QStringList{};
    QTest::newRow("rows past channel 16 dropped")
        << twoRows << 16 << int(QMessageBox::Ok)
        << QStringList{planBefore + QStringList{"16=146.50000|OFF|146.50000|OFF|Low|ON|OFF"}}
        << QStringList{"would go past channel 16"};
    const QString badRow = QString::fromLatin1(header) + "1,,145.5,,,,,\r\n1,,999,,,,,\r\n";
    QTest::newRow("bad row, cancelled")
        << badRow << 8 << int(QMessageBox::Cancel) << planBefore
        << QStringList{"row 3: the frequency 999.000000 MHz is outside"};
    QTest::newRow("bad row, the other pasted")
        << badRow << 8 << int(QMessageBox::Ok)
        << QStringList{planBefore + QStringList{"8=145.50000|OFF|145.50000|OFF|High|ON|OFF"}}
        << QStringList{"row 3:"};
    QTest::newRow("text that is no channel list")
        << QStringLiteral("145.5") << 8 << int(QMessageBox::Ok) << planBefore
        << QStringList{"Frequency"};
    QTest::newRow("a quote that never closes")
        << QString::fromLatin1(header) + "1,,145.5,,,,,\r\n2,\"Hill,146,,,,,\r\n3,,147,,,,,\r\n"
        << 8 << int(QMessageBox::Ok) << planBefore
        << QStringList{"The quote that opens in row 3 of the channel list never closes"};
}

void ChannelListsTest::pasteRows() {
    QFETCH(QString, clipboard);
    QFETCH(int, row);
    QFETCH(int, problemsAnswer);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, boxes);
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    fillPlan(plan);
    QApplication::clipboard()->setText(clipboard);

    QVERIFY(focusRow(*window, row));
    MessageBoxAnswerer answerer{QMessageBox::StandardButton(problemsAnswer)};
    QTest::keyClick(gridOf(*window), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(table(plan), expected);
    QCOMPARE(answerer.seen.size(), boxes.size());
    for (int i = 0; i < boxes.size(); ++i)
        QVERIFY2(answerer.seen[i].text.contains(boxes[i]), qPrintable(answerer.seen[i].text));
}

void ChannelListsTest::copyKeyByFocus_data() {
    QTest::addColumn<bool>("inFrequencyEditor");
    QTest::addColumn<QString>("copied");
    QTest::newRow("grid: the row") << false << "";
    QTest::newRow("frequency editor: its text") << true << "438.50000";
}

void ChannelListsTest::copyKeyByFocus() {
    QFETCH(bool, inFrequencyEditor);
    QFETCH(QString, copied);
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    fillPlan(plan);
    QVERIFY(focusRow(*window, 5));
    QWidget* target = gridOf(*window);
    if (inFrequencyEditor) {
        QLineEdit* editor = frequencyEditorOf(*window);
        QVERIFY(editor->isVisible());
        QTest::keyClick(target, Qt::Key_Return); // into the editor, as the user goes
        QTRY_VERIFY(editor->hasFocus());
        editor->selectAll();
        target = editor;
    }
    QApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
    const QString text = QApplication::clipboard()->text();
    if (copied.isEmpty())
        QVERIFY2(text.startsWith("Location,") && text.contains("\r\n5,"), qPrintable(text));
    else
        QCOMPARE(text, copied);

    // Paste in the editor pastes no rows (and, as before, no text the key filter has not seen);
    // in the grid it pastes over the current row.
    QApplication::clipboard()->setText(QString::fromLatin1(header) + "1,,146.5,,,,,\r\n");
    MessageBoxAnswerer answerer;
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    QStringList expected = planBefore;
    if (!inFrequencyEditor)
        expected[1] = "5=146.50000|OFF|146.50000|OFF|High|ON|OFF";
    QCOMPARE(table(plan), expected);
    QVERIFY(answerer.seen.isEmpty());
}

// Clicked labels, Ctrl+clicked and Shift+clicked, give the rows that Copy, Paste and Delete
// take; a delete of several rows is one step to undo.
void ChannelListsTest::rowLabelsSelectWhatRowCommandsTake() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    const QStringList six = fillSixChannels(plan);
    QVERIFY(focusGrid(*window));
    ChannelGrid* grid = gridOf(*window);

    clickLabel(*window, 2);
    clickLabel(*window, 5, Qt::ControlModifier);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    QCOMPARE(copied.count(QStringLiteral("\r\n")), 3); // the header and rows 2 and 5
    QVERIFY2(copied.contains("\r\n2,") && copied.contains("\r\n5,"), qPrintable(copied));

    MessageBoxAnswerer answerer;
    clickLabel(*window, 9);
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
    QStringList expected = six + movedRows(six, {{2, 9}, {5, 10}});
    QCOMPARE(table(plan), expected);

    clickLabel(*window, 1);
    clickLabel(*window, 3, Qt::ShiftModifier);
    clickLabel(*window, 10, Qt::ControlModifier);
    QCOMPARE(window->channelEditor()->selectedRows(), (QList<int>{1, 2, 3, 10}));
    window->channelEditor()->findChild<QPushButton*>(QStringLiteral("TeButton4"))->click();
    QCOMPARE(table(plan), (QStringList{six[3], six[4], six[5], expected[6]}));
    QVERIFY(answerer.seen.isEmpty());

    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(table(plan), expected);
}

// Rows copied with an empty one between them go in with the same gap, over a used row too;
// rows past channel 16 are left out with the usual note.
void ChannelListsTest::copiedGapsPasteAsGaps_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<int>("row");
    QTest::addColumn<RowMoves>("moves");
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("at 10") << true << 10 << RowMoves{{1, 10}, {2, 11}, {4, 13}} << QStringList{};
    QTest::newRow("at 10, Chinese")
        << false << 10 << RowMoves{{1, 10}, {2, 11}, {4, 13}} << QStringList{};
    QTest::newRow("at 15, past 16")
        << true << 15 << RowMoves{{1, 15}, {2, 16}}
        << QStringList{"These rows would go past channel 16 and were not pasted:\n"
                       "row 5: it would go to channel 18"};
}

void ChannelListsTest::copiedGapsPasteAsGaps() {
    QFETCH(bool, english);
    QFETCH(int, row);
    QFETCH(RowMoves, moves);
    QFETCH(QStringList, boxes);
    ProgramFolder folder;
    folder.writeInstallLog(english);
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    fillSixChannels(plan);
    plan.clearChannel(3);
    const QStringList copiedRows = table(plan);
    plan.setChannel(12, plan.channel(6)); // where the gap goes at 10: emptied
    plan.setChannel(14, plan.channel(5)); // past the last row pasted at 10: kept
    const QStringList before = table(plan);
    QVERIFY(focusGrid(*window));

    clickLabel(*window, 1);
    clickLabel(*window, 4, Qt::ShiftModifier);
    QTest::keyClick(gridOf(*window), Qt::Key_C, Qt::ControlModifier);
    clickLabel(*window, row);
    MessageBoxAnswerer answerer;
    QTest::keyClick(gridOf(*window), Qt::Key_V, Qt::ControlModifier);

    QStringList expected;
    for (const QString& entry : before) {
        const int at = entry.section(QLatin1Char('='), 0, 0).toInt();
        if (at < row || at > row + 3)
            expected << entry;
    }
    expected << movedRows(copiedRows, moves);
    std::sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
        return a.section(QLatin1Char('='), 0, 0).toInt() <
               b.section(QLatin1Char('='), 0, 0).toInt();
    });
    QCOMPARE(table(plan), expected);
    QCOMPARE(answerer.seen.size(), boxes.size());
    for (int i = 0; i < boxes.size(); ++i)
        QVERIFY2(answerer.seen[i].text.contains(boxes[i]), qPrintable(answerer.seen[i].text));
}

// A cell that a spreadsheet would run leaves as text, by Export CSV and by Copy, and comes back
// as the cell it was: here to be refused with the text the grid showed.
void ChannelListsTest::formulasLeaveAsText_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("field");   // in the exported row
    QTest::addColumn<QString>("problem"); // reading it back
    QTest::newRow("=1+2 as the RX tone") << int(PlanModel::RxTone) << "=1+2"
                                         << ",'=1+2,"
                                         << "the tone =1+2 (cToneFreq) is not in the tone list";
    QTest::newRow("@SUM as the TX tone") << int(PlanModel::TxTone) << "@SUM(A1)"
                                         << ",'@SUM(A1),"
                                         << "the tone @SUM(A1) (rToneFreq) is not in the tone list";
    QTest::newRow("=HYPERLINK as the TX frequency")
        << int(PlanModel::TxFrequency) << "=HYPERLINK(\"http://x\",\"y\")"
        << ",\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\","
        << "the offset \"=HYPERLINK(\"http://x\",\"y\")\" is not a number of MHz";
}

void ChannelListsTest::formulasLeaveAsText() {
    QFETCH(int, column);
    QFETCH(QString, cell);
    QFETCH(QString, field);
    QFETCH(QString, problem);
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    fillPlan(plan);
    plan.setChannel(3, plan.channel(1));
    plan.setCell(PlanModel::Column(column), 3, cell);
    const QStringList before = table(plan);
    const QString path = folder.path() + QStringLiteral("plan.csv");
    window->fileNameProvider = [&](MainWindow::FileDialogKind) { return path; };

    control<QAction>(window.get(), "ExportCsvItem")->trigger();
    const QString exported = QString::fromUtf8(folder.readFile(QStringLiteral("plan.csv")));
    QVERIFY2(exported.contains(field), qPrintable(exported));
    QVERIFY(focusGrid(*window));
    clickLabel(*window, 3);
    QTest::keyClick(gridOf(*window), Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    QVERIFY2(copied.contains(field), qPrintable(copied));

    // Read back, the row is refused: the import is cancelled, the paste has no other row.
    MessageBoxAnswerer answerer;
    answerer.beforeAnswer = [&](QMessageBox* box) {
        answerer.setAnswer(box->objectName() == QLatin1String("ListProblemsBox")
                               ? QMessageBox::Cancel
                               : QMessageBox::Ok);
    };
    control<QAction>(window.get(), "ImportCsvItem")->trigger();
    QVERIFY(focusRow(*window, 10));
    QTest::keyClick(gridOf(*window), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(table(plan), before);
    QCOMPARE(answerer.seen.size(), 3);
    QVERIFY2(answerer.seen[1].text.contains("row 3: " + problem),
             qPrintable(answerer.seen[1].text));
    QVERIFY2(answerer.seen[2].text.contains("row 2: " + problem),
             qPrintable(answerer.seen[2].text));
}

// More text than a channel list can be is refused before it is read, in the window's language.
void ChannelListsTest::pasteTooLarge_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("message");
    QTest::newRow("English") << true
                             << "The clipboard holds more than 1 MiB of text, too much for channel "
                                "rows; nothing was pasted.";
    QTest::newRow("Chinese") << false
                             << QStringLiteral("剪贴板中的文本超过 1 MiB，不可能是信道行；"
                                               "未粘贴任何内容。");
}

void ChannelListsTest::pasteTooLarge() {
    QFETCH(bool, english);
    QFETCH(QString, message);
    ProgramFolder folder;
    folder.writeInstallLog(english);
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    fillPlan(plan);
    // Rows that would paste but for a long name: one byte over the limit.
    QString text = QString::fromLatin1(header) + "1,";
    const QString rest = QStringLiteral(",145.5,,,,,\r\n");
    text += QString(1024 * 1024 + 1 - text.size() - rest.size(), QLatin1Char('n')) + rest;
    QApplication::clipboard()->setText(text);
    QVERIFY(focusRow(*window, 8));
    MessageBoxAnswerer answerer;
    QTest::keyClick(gridOf(*window), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(table(plan), planBefore);
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen[0].text, message);
}

// Set for selected rows: every selected used row gets what was chosen, unused rows stay empty,
// a box left unchanged changes nothing, and it is one step; Cancel changes nothing.
void ChannelListsTest::setForSelectedRows_data() {
    QTest::addColumn<bool>("english");
    QTest::newRow("English") << true;
    QTest::newRow("Chinese") << false;
}

void ChannelListsTest::setForSelectedRows() {
    QFETCH(bool, english);
    ProgramFolder folder;
    folder.writeInstallLog(english);
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    const QStringList six = fillSixChannels(plan);
    QAction* undo = control<QAction>(window.get(), "UndoItem");
    QTRY_VERIFY(undo->isEnabled()); // the six channels are a step of their own
    QVERIFY(focusGrid(*window));
    clickLabel(*window, 1);
    clickLabel(*window, 3, Qt::ShiftModifier);
    clickLabel(*window, 9, Qt::ControlModifier); // unused
    QAction* item = control<QAction>(window.get(), "SetForRowsItem");
    QVERIFY(item);
    {
        DialogScript cancel(
            "SetRowsDialog",
            [&plan](QDialog& dialog) { choose(dialog, "PowerBox", plan.words().low); },
            QDialogButtonBox::Cancel);
        item->trigger();
        QCOMPARE(cancel.played, 1);
    }
    QCOMPARE(table(plan), six);

    const zev::Words& words = plan.words();
    DialogScript script(
        "SetRowsDialog",
        [&words](QDialog& dialog) {
            choose(dialog, "RxToneBox", "D023N");
            dialog.findChild<QCheckBox*>(QStringLiteral("SameToneBox"))->click();
            choose(dialog, "PowerBox", words.low);
            choose(dialog, "BusyLockBox", words.on);
        },
        QDialogButtonBox::Ok);
    item->trigger();
    QCOMPARE(script.played, 1);
    QStringList expected = six;
    for (int row = 1; row <= 3; ++row) {
        const QString rx = QStringLiteral("14%1.50000").arg(row);
        expected[row - 1] = QStringLiteral("%1=%2|D023N|%2|D023N|Low|ON|ON").arg(row).arg(rx);
    }
    QCOMPARE(table(plan), expected);
    QVERIFY(!plan.isUsed(9));
    undo->trigger();
    QCOMPARE(table(plan), six);
}

// Fill frequencies: the selected rows in order from the first frequency, typed with either
// decimal mark; unused rows get the new-channel defaults; one step. A step that is no number
// keeps the dialog open; a frequency the radio cannot hold is refused naming its channel, and
// the plan stays.
void ChannelListsTest::fillFrequencies() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    PlanModel& plan = window->workspace().plan;
    const QStringList six = fillSixChannels(plan);
    QAction* undo = control<QAction>(window.get(), "UndoItem");
    QTRY_VERIFY(undo->isEnabled()); // the six channels are a step of their own
    QVERIFY(focusGrid(*window));
    clickLabel(*window, 2);
    clickLabel(*window, 7, Qt::ControlModifier);
    clickLabel(*window, 8, Qt::ControlModifier);
    QAction* item = control<QAction>(window.get(), "FillFrequenciesItem");
    QVERIFY(item);

    QString problem;
    {
        DialogScript wrongStep(
            "FillFrequenciesDialog",
            [&problem](QDialog& dialog) {
                QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("StartEdit")),
                                 QStringLiteral("446,00625"));
                auto* step = dialog.findChild<QComboBox*>(QStringLiteral("StepBox"));
                step->setEditText(QStringLiteral("wide"));
                QTimer::singleShot(50, &dialog, [&dialog, &problem] {
                    problem = dialog.findChild<QLabel*>(QStringLiteral("ProblemLabel"))->text();
                    dialog.reject();
                });
            },
            QDialogButtonBox::Ok);
        item->trigger();
    }
    QCOMPARE(problem, QStringLiteral("The step 'wide' is not a number of kHz."));
    QCOMPARE(table(plan), six);

    {
        MessageBoxAnswerer answerer;
        DialogScript outOfRange(
            "FillFrequenciesDialog",
            [](QDialog& dialog) {
                QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("StartEdit")),
                                 QStringLiteral("549.99"));
                choose(dialog, "StepBox", QStringLiteral("12.5"));
            },
            QDialogButtonBox::Ok);
        item->trigger();
        QCOMPARE(answerer.seen.size(), 1);
        QCOMPARE(answerer.seen.first().text,
                 QStringLiteral("Channel 07: the frequency 550.0025 MHz is outside 100-550 MHz"));
    }
    QCOMPARE(table(plan), six);

    DialogScript script(
        "FillFrequenciesDialog",
        [](QDialog& dialog) {
            QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("StartEdit")),
                             QStringLiteral("446,00625"));
            choose(dialog, "StepBox", QStringLiteral("12.5"));
            dialog.findChild<QCheckBox*>(QStringLiteral("OffsetCheck"))->click();
            QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("OffsetEdit")),
                             QStringLiteral("-0.5"));
        },
        QDialogButtonBox::Ok);
    item->trigger();
    QCOMPARE(script.played, 1);
    QStringList expected = six;
    expected[1] = QStringLiteral("2=446.00625|OFF|445.50625|OFF|Low|ON|OFF");
    expected << QStringLiteral("7=446.01875|OFF|445.51875|OFF|High|ON|OFF")
             << QStringLiteral("8=446.03125|OFF|445.53125|OFF|High|ON|OFF");
    QCOMPARE(table(plan), expected);
    undo->trigger();
    QCOMPARE(table(plan), six);
}

QTEST_MAIN(ChannelListsTest)
#include "tst_channellists.moc"
