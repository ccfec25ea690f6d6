#include "channeleditor.h"
#include "planmodel.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <memory>

using namespace zev;

namespace {

const Words zh = chineseWords();
const ChannelRow channelA = {"145.00000", "67.0", "145.60000", zh.off, zh.high, zh.on, zh.off};
const ChannelRow channelB = {"430.12500", zh.off, "430.12500", "D023N", zh.low, zh.off, zh.on};
const ChannelRow channelC = {"146.50000", zh.off, "", zh.off, zh.high, zh.on, zh.on};

ChannelRow defaultsFor(const QString& rx) {
    return {rx, zh.off, rx, zh.off, zh.high, zh.on, zh.off};
}

} // namespace

// The editor lives in an MDI area beside a second child window, as in the main window, so that
// activation, deactivation and close behave for real.
class ChannelEditorTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void showsThePlanInItsLayout();
    void newChannelGetsDefaults();
    void keyFilterAndLengthLimit_data();
    void keyFilterAndLengthLimit();
    void cellOfTheOtherFormatCommits_data();
    void cellOfTheOtherFormatCommits();
    void noPasteIntoTheFrequencyEditor();
    void leftCellIsCommittedBeforeTheClickRuns();
    void clearingRxEmptiesRowClearingTxStaysEmpty();
    void clicksFlipPowerAndFlags_data();
    void clicksFlipPowerAndFlags();
    void cellsOfEmptyChannelsIgnoreClicks();
    void keyboardAndWheelMoveWithoutFlipping();
    void digitOrEnterInGridStartsEntry();
    void tonePickerCommitsWhenLeft();
    void tonePickerClosesOnAnyCharacter();
    void tonePickerKeepsToneItDoesNotOffer();
    void moveUpFollowsTheChannel();
    void movesAtTheEdgesOrOnEmptyCellChangeNothing();
    void moveBeforeAnyClick_data();
    void moveBeforeAnyClick();
    void deleteReopensEditorOverSelectedRow_data();
    void deleteReopensEditorOverSelectedRow();
    void deleteAfterMoveEmptiesTheMovedChannel();
    void deleteBeforeAnyClickChangesNothing();
    void notANumberStopsTheCommit();
    void frequencyTheRadioCannotHoldIsRefused_data();
    void frequencyTheRadioCannotHoldIsRefused();
    void refusalKeepsWhatTheCellHeldBefore();
    void rowLabelsSelectRows();
    void deleteEmptiesEverySelectedRow_data();
    void deleteEmptiesEverySelectedRow();
    void deactivationCommitsAndActivationFocusesGrid();
    void deactivationReportsCellThatIsNoNumber();
    void newChannelThatIsNoNumberOffersItsRx();
    void pendingToneIsConfirmedAndNeverReachesANewPlan();
    void exitHidesAndCommandRestores();
    void keyboardMarksMovesAndTabs();
    void escapeAbandonsTheEdit_data();
    void escapeAbandonsTheEdit();
    void tabConfirmsTheEntry_data();
    void tabConfirmsTheEntry();

private:
    QModelIndex index(int column, int row) const { return m_plan->index(row, column); }
    QPoint cellCentre(int column, int row) const;
    void click(int column, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void turnWheel(QPoint at, int angle);
    void enterFrequency(int column, int row, const QString& keys);
    ChannelGrid::Cell selected() const;
    QPushButton* button(const char* name) const;
    void closeNextMessageBox();
    // A key as the user presses it: to whatever has the focus.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void type(const QString& keys);
    bool isMarked(int column, int row) const;

    std::unique_ptr<QMdiArea> m_area;
    std::unique_ptr<PlanModel> m_plan;
    ChannelEditor* m_editor = nullptr;
    QMdiSubWindow* m_other = nullptr;
    QTableView* m_grid = nullptr;
    QLineEdit* m_frequencyEditor = nullptr;
    QComboBox* m_tonePicker = nullptr;
    QTimer m_boxCloser;
    QStringList m_boxTexts;
};

void ChannelEditorTest::init() {
    QLocale::setDefault(QLocale(QLocale::English));
    m_plan = std::make_unique<PlanModel>();
    m_plan->insertToneHead(m_plan->words().off); // as the language load does
    m_area = std::make_unique<QMdiArea>();
    m_area->resize(1000, 700);
    m_other = m_area->addSubWindow(new QLineEdit);
    m_other->setObjectName("other");
    m_editor = new ChannelEditor(*m_plan);
    m_area->addSubWindow(m_editor);
    m_area->show();
    m_editor->show();
    QApplication::setActiveWindow(m_area.get());
    QVERIFY(QTest::qWaitForWindowActive(m_area.get()));
    m_area->setActiveSubWindow(m_editor);
    m_grid = m_editor->findChild<QTableView*>("StringGrid1");
    m_frequencyEditor = m_editor->findChild<QLineEdit*>("bsSkinEdit1");
    m_tonePicker = m_editor->findChild<QComboBox*>("ComboBox1");
    QVERIFY(m_grid && m_frequencyEditor && m_tonePicker);
    m_boxTexts.clear();
    m_boxCloser.setInterval(10);
    m_boxCloser.callOnTimeout(this, [this] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            m_boxTexts << box->text();
            m_boxCloser.stop();
            box->done(QMessageBox::Ok);
            // The offscreen platform has no window manager to give the activation back.
            QTimer::singleShot(0, this, [this] { QApplication::setActiveWindow(m_area.get()); });
        }
    });
}

void ChannelEditorTest::cleanup() {
    m_boxCloser.stop();
    m_area.reset();
    m_plan.reset();
    QLocale::setDefault(QLocale(QLocale::English));
}

QPoint ChannelEditorTest::cellCentre(int column, int row) const {
    return m_grid->visualRect(index(column, row)).center();
}

void ChannelEditorTest::click(int column, int row, Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, modifiers, cellCentre(column, row));
}

void ChannelEditorTest::turnWheel(QPoint at, int angle) {
    QWheelEvent event(at, m_grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, angle),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_grid->viewport(), &event);
}

void ChannelEditorTest::enterFrequency(int column, int row, const QString& keys) {
    click(column, row);
    QTest::keyClicks(m_frequencyEditor, keys);
    QTest::keyClick(m_frequencyEditor, Qt::Key_Return);
}

ChannelGrid::Cell ChannelEditorTest::selected() const {
    return {m_grid->currentIndex().column(), m_grid->currentIndex().row()};
}

QPushButton* ChannelEditorTest::button(const char* name) const {
    return m_editor->findChild<QPushButton*>(name);
}

void ChannelEditorTest::closeNextMessageBox() {
    m_boxCloser.start();
}

void ChannelEditorTest::press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(focused);
    QTest::keyClick(focused, key, modifiers);
}

void ChannelEditorTest::type(const QString& keys) {
    for (QChar key : keys)
        QTest::keyClicks(QApplication::focusWidget(), QString(key));
}

// Marked: the cell's left edge, where no text reaches, is painted in another colour than the
// white that every cell, the selected one included, is filled with.
bool ChannelEditorTest::isMarked(int column, int row) const {
    const QImage picture = m_grid->viewport()->grab().toImage();
    const QRect cell = m_grid->visualRect(index(column, row));
    return picture.pixelColor(cell.left() + 1, cell.center().y()) != QColor(Qt::white);
}

void ChannelEditorTest::showsThePlanInItsLayout() {
    QCOMPARE(m_editor->objectName(), QString("TForm2"));
    QCOMPARE(m_editor->windowTitle(), QString("信道编辑"));
    QCOMPARE(m_editor->widget()->size(), QSize(640, 349));
    QCOMPARE(m_grid->geometry(), QRect(8, 8, 625, 297));
    QCOMPARE(m_grid->model(), m_plan.get());
    const int widths[] = {35, 80, 90, 80, 91, 77, 60, 99};
    for (int column = 0; column < 8; ++column)
        QCOMPARE(m_grid->columnWidth(column), widths[column]);
    QCOMPARE(m_grid->rowHeight(5), 16);
    QCOMPARE(m_grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(selected(), (ChannelGrid::Cell{1, 1}));

    QVERIFY(m_frequencyEditor->isHidden());
    QCOMPARE(m_frequencyEditor->size(), QSize(80, 18));
    QCOMPARE(m_frequencyEditor->maxLength(), 9);
    QCOMPARE(m_frequencyEditor->alignment(), Qt::AlignCenter);
    QVERIFY(m_tonePicker->isHidden());
    QCOMPARE(m_tonePicker->width(), 92);
    QCOMPARE(m_tonePicker->count(), 259);
    QCOMPARE(m_tonePicker->itemText(0), zh.off);
    m_plan->dropToneHead();
    m_plan->insertToneHead("OFF");
    QCOMPARE(m_tonePicker->count(), 259);
    QCOMPARE(m_tonePicker->itemText(0), QString("OFF"));
    QCOMPARE(m_tonePicker->itemText(258), QString("D754I"));

    const struct {
        const char* name;
        const char* text;
        QRect geometry;
    } buttons[] = {{"TeButton1", "退出", {8, 312, 83, 25}},
                   {"TeButton2", "信道上移", {344, 312, 83, 25}},
                   {"TeButton3", "信道下移", {448, 312, 83, 25}},
                   {"TeButton4", "信道删除", {552, 312, 83, 25}}};
    for (const auto& expected : buttons) {
        QPushButton* found = button(expected.name);
        QVERIFY2(found, expected.name);
        QCOMPARE(found->text(), QString(expected.text));
        QCOMPARE(found->geometry(), expected.geometry);
    }

    m_plan->setCell(1, 0, "RX");
    QCOMPARE(m_grid->model()->data(index(1, 0), Qt::DisplayRole).toString(), QString("RX"));
}

void ChannelEditorTest::newChannelGetsDefaults() {
    click(1, 3);
    QVERIFY(m_frequencyEditor->isVisible());
    QVERIFY(!m_frequencyEditor->hasFocus());
    QTest::keyClicks(m_frequencyEditor, "145.5");
    QCOMPARE(m_plan->cell(1, 3), QString("145.5")); // the cell follows the typing
    QCOMPARE(m_plan->cell(2, 3), QString());
    QTest::keyClick(m_frequencyEditor, Qt::Key_Return);
    QCOMPARE(m_plan->channel(3), defaultsFor("145.50000"));
    // Enter runs the click behaviour again: the editor is back over the same cell.
    QVERIFY(m_frequencyEditor->isVisible());
    QCOMPARE(m_frequencyEditor->text(), QString("145.50000"));
    QVERIFY(m_grid->hasFocus());
    const QRect cell(
        m_grid->viewport()->mapTo(m_editor->widget(), m_grid->visualRect(index(1, 3)).topLeft()),
        m_grid->visualRect(index(1, 3)).size());
    QVERIFY(m_frequencyEditor->geometry().contains(cell.adjusted(0, 0, -1, -1)));
}

void ChannelEditorTest::keyFilterAndLengthLimit_data() {
    QTest::addColumn<QLocale::Language>("language");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("committed");
    // Either key is the separator; the editor shows the number format's own.
    QTest::newRow("dot key, dot format") << QLocale::English << "145.5"
                                         << "145.5"
                                         << "145.50000";
    QTest::newRow("comma key, dot format") << QLocale::English << "145,5"
                                           << "145.5"
                                           << "145.50000";
    QTest::newRow("comma key, comma format") << QLocale::German << "145,5"
                                             << "145,5"
                                             << "145,50000";
    QTest::newRow("dot key, comma format") << QLocale::German << "145.5"
                                           << "145,5"
                                           << "145,50000";
    QTest::newRow("early and second separator, letters") << QLocale::English << "14.5,.1x- "
                                                         << "145.1"
                                                         << "145.10000";
    QTest::newRow("second separator, comma format") << QLocale::German << "14,5.,1"
                                                    << "145,1"
                                                    << "145,10000";
    QTest::newRow("nine characters") << QLocale::English << "145.006251"
                                     << "145.00625"
                                     << "145.00625";
    QTest::newRow("separator past nine") << QLocale::German << "145006250.1"
                                         << "145006250"
                                         << "";
}

void ChannelEditorTest::keyFilterAndLengthLimit() {
    QFETCH(QLocale::Language, language);
    QFETCH(QString, keys);
    QFETCH(QString, typed);
    QFETCH(QString, committed);
    QLocale::setDefault(QLocale(language));
    click(1, 1);
    QTest::keyClicks(m_frequencyEditor, keys);
    QCOMPARE(m_frequencyEditor->text(), typed);
    QCOMPARE(m_plan->cell(1, 1), typed);
    QTest::keyClick(m_frequencyEditor, Qt::Key_Backspace);
    QTest::keyClicks(m_frequencyEditor, typed.right(1));
    if (committed.isEmpty())
        closeNextMessageBox(); // a number the radio cannot hold
    QTest::keyClick(m_frequencyEditor, Qt::Key_Return);
    QCOMPARE(m_plan->cell(1, 1), committed);
    QCOMPARE(m_plan->cell(3, 1), committed);
    QCOMPARE(m_boxTexts.size(), committed.isEmpty() ? 1 : 0);
}

// A plan opened from a file of the other number format: Enter on each frequency cell gives it
// the user's separator, and a correction may be typed with either key.
void ChannelEditorTest::cellOfTheOtherFormatCommits_data() {
    QTest::addColumn<QLocale::Language>("language");
    QTest::addColumn<QString>("fileMark");
    QTest::addColumn<QString>("ownMark");
    QTest::newRow("dot file, comma format") << QLocale::German << "."
                                            << ",";
    QTest::newRow("comma file, dot format") << QLocale::English << ","
                                            << ".";
}

void ChannelEditorTest::cellOfTheOtherFormatCommits() {
    QFETCH(QLocale::Language, language);
    QFETCH(QString, fileMark);
    QFETCH(QString, ownMark);
    QLocale::setDefault(QLocale(language));
    const auto inFile = [&](QString text) { return text.replace('.', fileMark); };
    const auto inOwn = [&](QString text) { return text.replace('.', ownMark); };
    ChannelRow row = channelA;
    row[0] = inFile("146.52000");
    row[2] = inFile("146.52000");
    m_plan->setChannel(1, row);
    closeNextMessageBox();

    click(1, 1);
    QCOMPARE(m_frequencyEditor->text(), inFile("146.52000"));
    QTest::keyClick(m_grid, Qt::Key_Return);
    QTRY_VERIFY(m_frequencyEditor->hasFocus());
    QTest::keyClick(m_frequencyEditor, Qt::Key_Return);
    QCOMPARE(m_plan->cell(1, 1), inOwn("146.52000"));
    QCOMPARE(m_frequencyEditor->text(), inOwn("146.52000"));

    // The TX cell still holds the file's mark: a second one is refused, whichever key.
    click(3, 1);
    QTest::keyClick(m_grid, Qt::Key_Return);
    QTRY_VERIFY(m_frequencyEditor->hasFocus());
    QTest::keyClick(m_frequencyEditor, Qt::Key_End);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(m_frequencyEditor, Qt::Key_Backspace);
    QTest::keyClicks(m_frequencyEditor, ".,6");
    QCOMPARE(m_frequencyEditor->text(), inFile("146.56"));
    QTest::keyClick(m_frequencyEditor, Qt::Key_Return);
    QCOMPARE(m_plan->cell(3, 1), inOwn("146.56000"));

    click(1, 2);
    QVERIFY2(m_boxTexts.isEmpty(), qPrintable(m_boxTexts.join('\n')));
    row[0] = inOwn("146.52000");
    row[2] = inOwn("146.56000");
    QCOMPARE(m_plan->channel(1), row);
}

// Only typed keys pass the filter: a paste could leave text in the cell that is no number.
void ChannelEditorTest::noPasteIntoTheFrequencyEditor() {
    m_plan->setChannel(2, channelA);
    click(1, 2);
    QTest::keyClick(m_grid, Qt::Key_Return);
    QTRY_VERIFY(m_frequencyEditor->hasFocus());
    QTest::keyClick(m_frequencyEditor, Qt::Key_Home);
    QTest::keyClick(m_frequencyEditor, Qt::Key_Delete); // Delete edits like Backspace
    QCOMPARE(m_frequencyEditor->text(), QString("45.00000"));
    QGuiApplication::clipboard()->setText("abc");
    if (QGuiApplication::clipboard()->supportsSelection())
        QGuiApplication::clipboard()->setText("abc", QClipboard::Selection);
    QTest::keyClick(m_frequencyEditor, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(m_frequencyEditor, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::mouseClick(m_frequencyEditor, Qt::MiddleButton);
    QCOMPARE(m_frequencyEditor->text(), QString("45.00000"));
    QCOMPARE(m_plan->cell(1, 2), QString("45.00000"));
}

void ChannelEditorTest::leftCellIsCommittedBeforeTheClickRuns() {
    click(1, 1);
    QTest::keyClicks(m_frequencyEditor, "430.0051");
    m_plan->setChannel(2, channelB);
    // The TX cell of row 1 opens its editor only if the commit made row 1 a used channel first.
    click(3, 1);
    QCOMPARE(m_plan->channel(1), defaultsFor("430.00625"));
    QVERIFY(m_frequencyEditor->isVisible());
    QCOMPARE(m_frequencyEditor->text(), QString("430.00625"));
    // Typing into the TX cell and clicking another row commits it first, then runs the click.
    QTest::keyClicks(m_frequencyEditor, QString(9, QChar('\b')));
    QTest::keyClicks(m_frequencyEditor, "430.0063");
    click(5, 2);
    QCOMPARE(m_plan->cell(3, 1), QString("430.01000"));
    QCOMPARE(m_plan->cell(5, 2), zh.high);
    QCOMPARE(m_plan->channel(2)[0], channelB[0]);
    QVERIFY(m_frequencyEditor->isHidden());
}

void ChannelEditorTest::clearingRxEmptiesRowClearingTxStaysEmpty() {
    m_plan->setChannel(3, channelA);
    m_plan->setChannel(5, channelB);
    click(1, 3);
    QTest::keyClicks(m_frequencyEditor, QString(9, QChar('\b')));
    QCOMPARE(m_plan->cell(1, 3), QString());
    click(1, 4);
    QCOMPARE(m_plan->channel(3), ChannelRow{});

    click(3, 5);
    QTest::keyClicks(m_frequencyEditor, QString(9, QChar('\b')));
    click(1, 6);
    ChannelRow withoutTx = channelB;
    withoutTx[2].clear();
    QCOMPARE(m_plan->channel(5), withoutTx);
    click(3, 5); // an empty TX editor over a used channel, left again: still empty
    QVERIFY(m_frequencyEditor->isVisible());
    QCOMPARE(m_frequencyEditor->text(), QString());
    click(2, 6);
    QCOMPARE(m_plan->channel(5), withoutTx);
    QCOMPARE(m_plan->channel(6), ChannelRow{});
}

void ChannelEditorTest::clicksFlipPowerAndFlags_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("flipped");
    QTest::newRow("power") << int(PlanModel::Power) << zh.high;
    QTest::newRow("scan add") << int(PlanModel::ScanAdd) << zh.on;
    QTest::newRow("busy lock") << int(PlanModel::BusyLock) << zh.off;
}

void ChannelEditorTest::clicksFlipPowerAndFlags() {
    QFETCH(int, column);
    QFETCH(QString, flipped);
    m_plan->setChannel(4, channelB);
    const QString before = m_plan->cell(column, 4);
    click(column, 4);
    QCOMPARE(m_plan->cell(column, 4), flipped);
    click(column, 4); // the selected cell again: flips back
    QCOMPARE(m_plan->cell(column, 4), before);
    QTest::keyClick(m_grid, Qt::Key_Space); // Space acts as a click
    QCOMPARE(m_plan->cell(column, 4), flipped);
    QTest::keyClick(m_grid, Qt::Key_Return); // so does Enter
    QCOMPARE(m_plan->cell(column, 4), before);
    QCOMPARE(m_plan->channel(4), channelB);
}

void ChannelEditorTest::cellsOfEmptyChannelsIgnoreClicks() {
    for (int column = 2; column <= 7; ++column) {
        click(column, 9);
        QVERIFY(m_frequencyEditor->isHidden());
        QVERIFY(m_tonePicker->isHidden());
        QTest::keyClick(m_grid, Qt::Key_Space);
    }
    QCOMPARE(m_plan->channel(9), ChannelRow{});
    click(1, 9); // only the RX frequency of an empty channel can be entered
    QVERIFY(m_frequencyEditor->isVisible());
}

void ChannelEditorTest::keyboardAndWheelMoveWithoutFlipping() {
    m_plan->setChannel(7, channelA);
    m_plan->setChannel(8, channelB);
    click(1, 6);
    QTest::keyClicks(m_frequencyEditor, "145.1");
    // Keys and the wheel go to the grid; the frequency editor has no focus until typed into.
    QTest::keyClick(m_grid, Qt::Key_Right);
    QCOMPARE(m_plan->channel(6), defaultsFor("145.10000")); // the cell left behind is committed
    QCOMPARE(selected(), (ChannelGrid::Cell{2, 6}));
    QVERIFY(m_tonePicker->isHidden());
    QVERIFY(m_frequencyEditor->isHidden());
    QTest::keyClick(m_grid, Qt::Key_Down);
    QVERIFY(m_tonePicker->isHidden()); // a tone cell of a used channel: no picker by key
    QTest::keyClick(m_grid, Qt::Key_End);
    QCOMPARE(selected(), (ChannelGrid::Cell{7, 7}));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(m_grid, Qt::Key_Left);
    QCOMPARE(selected(), (ChannelGrid::Cell{4, 7}));
    QTest::keyClick(m_grid, Qt::Key_Left);
    QVERIFY(m_frequencyEditor->isVisible()); // TX frequency of a used channel
    QCOMPARE(m_frequencyEditor->text(), channelA[2]);
    QTest::keyClick(m_grid, Qt::Key_Right);
    QTest::keyClick(m_grid, Qt::Key_Right);
    QTest::keyClick(m_grid, Qt::Key_Right);
    QTest::keyClick(m_grid, Qt::Key_Right); // over power, Scan Add and Busy Lock
    const QPoint centre = cellCentre(7, 7);
    turnWheel(centre, -120); // one notch down: row 8
    QCOMPARE(selected(), (ChannelGrid::Cell{7, 8}));
    QTest::keyClick(m_grid, Qt::Key_Left);
    QTest::keyClick(m_grid, Qt::Key_Left);
    turnWheel(centre, 240); // two notches up: row 6
    QCOMPARE(selected(), (ChannelGrid::Cell{5, 6}));
    QCOMPARE(m_plan->channel(7), channelA);
    QCOMPARE(m_plan->channel(8), channelB);
    QCOMPARE(m_plan->channel(6), defaultsFor("145.10000"));

    QTest::keyClick(m_grid, Qt::Key_Home);
    QCOMPARE(selected(), (ChannelGrid::Cell{1, 6}));
    QVERIFY(m_frequencyEditor->isVisible());
    QTest::keyClick(m_grid, Qt::Key_PageDown);
    QCOMPARE(selected(), (ChannelGrid::Cell{1, 16}));
    QTest::keyClick(m_grid, Qt::Key_Down); // already at the edge: nothing moves
    QCOMPARE(selected(), (ChannelGrid::Cell{1, 16}));
    QTest::keyClick(m_grid, Qt::Key_PageUp); // the fixed header row is never selected
    QCOMPARE(selected(), (ChannelGrid::Cell{1, 1}));
    QTest::keyClick(m_grid, Qt::Key_Left);
    QCOMPARE(selected(), (ChannelGrid::Cell{1, 1}));
}

void ChannelEditorTest::digitOrEnterInGridStartsEntry() {
    m_plan->setChannel(2, channelC);
    click(1, 1);
    QVERIFY(m_grid->hasFocus());
    QTest::keyPress(m_grid, Qt::Key_4, Qt::NoModifier);
    QTRY_VERIFY(m_frequencyEditor->hasFocus());
    QCOMPARE(m_frequencyEditor->text(), QString("4"));
    QCOMPARE(m_frequencyEditor->cursorPosition(), 1);
    QTest::keyRelease(m_frequencyEditor, Qt::Key_4, Qt::NoModifier); // the release reaches it
    QCOMPARE(m_plan->cell(1, 1), QString("4"));
    QTest::keyClicks(m_frequencyEditor, "30.5");
    QTest::keyClick(m_frequencyEditor, Qt::Key_Return);
    QCOMPARE(m_plan->channel(1), defaultsFor("430.50000"));
    QVERIFY(m_grid->hasFocus());
    QTest::keyClick(m_grid, Qt::Key_Return); // Enter resumes: the focus goes, the text stays
    QTRY_VERIFY(m_frequencyEditor->hasFocus());
    QCOMPARE(m_frequencyEditor->text(), QString("430.50000"));

    click(3, 2); // channel C has no TX frequency, but a used channel's TX can be entered
    QTest::keyClick(m_grid, Qt::Key_1);
    QTRY_VERIFY(m_frequencyEditor->hasFocus());
    QTest::keyClicks(m_frequencyEditor, "46.5");
    click(1, 4);
    QCOMPARE(m_plan->cell(3, 2), QString("146.50000"));

    click(3, 5); // the TX of an empty channel: no editor, digits do nothing
    QTest::keyClick(m_grid, Qt::Key_1);
    QVERIFY(m_frequencyEditor->isHidden());
    QCOMPARE(m_plan->channel(5), ChannelRow{});
}

void ChannelEditorTest::tonePickerCommitsWhenLeft() {
    m_plan->setChannel(2, channelA);
    click(2, 2);
    QVERIFY(m_tonePicker->isVisible());
    QVERIFY(m_tonePicker->hasFocus());
    QCOMPARE(m_tonePicker->currentText(), QString("67.0"));
    QTest::keyClick(m_tonePicker, Qt::Key_Down); // the next item, as the user picks it
    QCOMPARE(m_tonePicker->currentText(), QString("69.3"));
    QCOMPARE(m_plan->cell(2, 2), QString("67.0")); // written only when the picker is left
    click(1, 3);
    QCOMPARE(m_plan->cell(2, 2), QString("69.3"));
    QVERIFY(m_tonePicker->isHidden());
    QVERIFY(m_frequencyEditor->isVisible()); // the click on row 3 ran after the commit

    click(4, 2);
    m_tonePicker->setCurrentIndex(m_tonePicker->findText("D023I"));
    // A button takes the focus too: the picker commits before the channel moves down.
    QTest::mouseClick(button("TeButton3"), Qt::LeftButton);
    QCOMPARE(m_plan->cell(4, 3), QString("D023I"));
    QCOMPARE(m_plan->channel(2), ChannelRow{});
    QVERIFY(m_tonePicker->isHidden());
}

void ChannelEditorTest::tonePickerClosesOnAnyCharacter() {
    m_plan->setChannel(2, channelA);
    click(4, 2);
    QCOMPARE(m_tonePicker->currentText(), zh.off);
    m_tonePicker->setCurrentIndex(m_tonePicker->findText("100.0"));
    QTest::keyClick(m_tonePicker, Qt::Key_D); // would jump to "D023N" if it were typed
    QVERIFY(m_tonePicker->isHidden());
    QVERIFY(m_grid->hasFocus());
    QCOMPARE(m_plan->cell(4, 2), QString("100.0"));
    QTest::keyClick(m_grid, Qt::Key_Space); // on a tone cell Space acts as a click
    QVERIFY(m_tonePicker->isVisible());
    QCOMPARE(m_tonePicker->currentText(), QString("100.0"));
    QTest::keyClick(m_tonePicker, Qt::Key_Escape);
    QVERIFY(m_tonePicker->isHidden());

    click(2, 2);
    QTest::keyClick(m_tonePicker, Qt::Key_Return);
    QVERIFY(m_tonePicker->isHidden());
    QCOMPARE(m_plan->channel(2)[1], QString("67.0"));
}

void ChannelEditorTest::tonePickerKeepsToneItDoesNotOffer() {
    ChannelRow fromRadio = channelA;
    fromRadio[1] = "D017N"; // a code read from the radio that the list does not hold
    m_plan->setChannel(2, fromRadio);
    click(2, 2);
    QVERIFY(m_tonePicker->isVisible());
    QCOMPARE(m_tonePicker->currentIndex(), -1);
    click(5, 3);
    QCOMPARE(m_plan->channel(2), fromRadio);
}

void ChannelEditorTest::moveUpFollowsTheChannel() {
    m_plan->setChannel(2, channelB);
    m_plan->setChannel(3, channelC);
    m_plan->setChannel(5, channelA);
    click(1, 5);
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(button("TeButton2"), Qt::LeftButton);
    QCOMPARE(m_plan->channel(2), channelA);
    QCOMPARE(m_plan->channel(3), channelB);
    QCOMPARE(m_plan->channel(4), channelC);
    QCOMPARE(m_plan->channel(5), ChannelRow{});
    QCOMPARE(selected(), (ChannelGrid::Cell{1, 5})); // the highlight stays
    QCOMPARE(m_plan->cell(0, 2), QString("02"));     // labels stay
    QVERIFY(m_frequencyEditor->isHidden());
    QTest::mouseClick(button("TeButton3"), Qt::LeftButton);
    QCOMPARE(m_plan->channel(3), channelA);
    QCOMPARE(m_plan->channel(2), channelB);
}

void ChannelEditorTest::movesAtTheEdgesOrOnEmptyCellChangeNothing() {
    m_plan->setChannel(1, channelA);
    m_plan->setChannel(2, channelC);
    m_plan->setChannel(16, channelB);
    click(2, 1);
    QTest::mouseClick(button("TeButton2"), Qt::LeftButton);
    click(5, 16);
    QTest::mouseClick(button("TeButton3"), Qt::LeftButton);
    click(3, 2); // channel C has no TX frequency: its current cell is empty
    QTest::mouseClick(button("TeButton2"), Qt::LeftButton);
    QTest::mouseClick(button("TeButton3"), Qt::LeftButton);
    QCOMPARE(m_plan->channel(1), channelA);
    QCOMPARE(m_plan->channel(2), channelC);
    QCOMPARE(m_plan->channel(3), ChannelRow{});
    ChannelRow flipped = channelB;
    flipped[4] = zh.high;
    QCOMPARE(m_plan->channel(16), flipped);
}

// Before any click there is no current cell: Move up makes row 1 current, Move down does not,
// which shows in what a following Delete clears.
void ChannelEditorTest::moveBeforeAnyClick_data() {
    QTest::addColumn<QString>("moveButton");
    QTest::addColumn<bool>("rowOneCleared");
    QTest::newRow("move up") << "TeButton2" << true;
    QTest::newRow("move down") << "TeButton3" << false;
}

void ChannelEditorTest::moveBeforeAnyClick() {
    QFETCH(QString, moveButton);
    QFETCH(bool, rowOneCleared);
    m_plan->setChannel(1, channelA);
    m_plan->setChannel(2, channelB);
    QTest::mouseClick(button(qPrintable(moveButton)), Qt::LeftButton);
    QCOMPARE(m_plan->channel(1), channelA);
    QCOMPARE(m_plan->channel(2), channelB);
    QTest::mouseClick(button("TeButton4"), Qt::LeftButton);
    QCOMPARE(m_plan->channel(1), rowOneCleared ? ChannelRow{} : channelA);
    QCOMPARE(m_plan->channel(2), channelB);
    // The selection already stands in column 1 and no column is current: nothing moves.
    QCOMPARE(selected(), (ChannelGrid::Cell{1, 1}));
    QVERIFY(m_frequencyEditor->isHidden());
}

void ChannelEditorTest::deleteReopensEditorOverSelectedRow_data() {
    QTest::addColumn<int>("column");
    QTest::newRow("from the RX frequency") << int(PlanModel::RxFrequency);
    QTest::newRow("from the power") << int(PlanModel::Power);
    QTest::newRow("from a tone") << int(PlanModel::TxTone);
}

void ChannelEditorTest::deleteReopensEditorOverSelectedRow() {
    QFETCH(int, column);
    m_plan->setChannel(4, channelA);
    m_plan->setChannel(5, channelB);
    click(column, 4);
    QTest::mouseClick(button("TeButton4"), Qt::LeftButton);
    QCOMPARE(m_plan->channel(4), ChannelRow{});
    QCOMPARE(m_plan->channel(5), channelB);
    QCOMPARE(selected(), (ChannelGrid::Cell{1, 4}));
    QVERIFY(m_frequencyEditor->isVisible());
    QCOMPARE(m_frequencyEditor->text(), QString());
    QVERIFY(m_tonePicker->isHidden());
    const QRect cell = m_grid->visualRect(index(1, 4));
    const QPoint cellCentreInBody = m_grid->viewport()->mapTo(m_editor->widget(), cell.center());
    QVERIFY(m_frequencyEditor->geometry().contains(cellCentreInBody));
    // The editor works on the deleted row: typing there enters a new channel.
    QTest::keyClicks(m_frequencyEditor, "146");
    QTest::keyClick(m_frequencyEditor, Qt::Key_Return);
    QCOMPARE(m_plan->channel(4), defaultsFor("146.00000"));
}

void ChannelEditorTest::deleteAfterMoveEmptiesTheMovedChannel() {
    m_plan->setChannel(4, channelB);
    m_plan->setChannel(5, channelA);
    click(1, 5);
    QTest::mouseClick(button("TeButton2"), Qt::LeftButton); // A to row 4, selection stays on 5
    QTest::mouseClick(button("TeButton4"), Qt::LeftButton);
    QCOMPARE(m_plan->channel(4), ChannelRow{});
    QCOMPARE(m_plan->channel(5), channelB);
    QCOMPARE(selected(), (ChannelGrid::Cell{1, 5}));
    QVERIFY(m_frequencyEditor->isVisible());
    QCOMPARE(m_frequencyEditor->text(), channelB[0]);
}

void ChannelEditorTest::deleteBeforeAnyClickChangesNothing() {
    m_plan->setChannel(1, channelA);
    QTest::mouseClick(button("TeButton4"), Qt::LeftButton);
    QCOMPARE(m_plan->channel(1), channelA);
    QVERIFY(m_frequencyEditor->isHidden());
    QCOMPARE(selected(), (ChannelGrid::Cell{1, 1}));
}

void ChannelEditorTest::notANumberStopsTheCommit() {
    ChannelRow fromFile = channelA;
    fromFile[0] = "abc";
    m_plan->setChannel(2, fromFile);
    m_plan->setChannel(3, channelB);
    click(1, 2);
    QCOMPARE(m_frequencyEditor->text(), QString("abc"));
    const QString message("'abc' is not a valid floating point value");

    closeNextMessageBox();
    click(5, 3);
    QCOMPARE(m_boxTexts, QStringList{message});
    QCOMPARE(selected(), (ChannelGrid::Cell{1, 2}));
    QCOMPARE(m_plan->channel(2), fromFile);
    QCOMPARE(m_plan->channel(3), channelB); // the click on power never ran

    closeNextMessageBox();
    QTest::keyClick(m_grid, Qt::Key_Down);
    closeNextMessageBox();
    QTest::mouseClick(button("TeButton2"), Qt::LeftButton);
    QCOMPARE(m_boxTexts, (QStringList{message, message, message}));
    QCOMPARE(selected(), (ChannelGrid::Cell{1, 2}));
    QCOMPARE(m_plan->channel(1), ChannelRow{});
    QCOMPARE(m_plan->channel(2), fromFile);

    // Enter hides the editor and commits; the failure lays the editor over the cell again.
    closeNextMessageBox();
    QTest::keyClick(m_frequencyEditor, Qt::Key_Return);
    QCOMPARE(m_boxTexts.size(), 4);
    QVERIFY(m_frequencyEditor->isVisible());
    QTRY_VERIFY(m_frequencyEditor->hasFocus());
    QCOMPARE(m_frequencyEditor->text(), QString("abc"));

    // The user corrects the text in the frequency editor; then the selection moves.
    QTest::keyClicks(m_frequencyEditor, QString(3, QChar('\b')) + "145.2");
    click(5, 3);
    QCOMPARE(m_boxTexts.size(), 4);
    QCOMPARE(m_plan->cell(1, 2), QString("145.20000"));
    QCOMPARE(m_plan->cell(5, 3), zh.high);
}

// However the entry is confirmed, a number outside 100-550 MHz is refused by name: the cell
// keeps what it held, the move or command does not happen, and the editor stays over the cell
// with the typed text, for a correction.
void ChannelEditorTest::frequencyTheRadioCannotHoldIsRefused_data() {
    QTest::addColumn<QLocale::Language>("language");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("confirm"); // Enter, a click, a row label, Tab or the keyboard alone
    QTest::addColumn<QString>("corrected");
    const int rx = PlanModel::RxFrequency;
    const int tx = PlanModel::TxFrequency;
    QTest::newRow("999 into a new channel, Enter") << QLocale::English << rx << 3 << "999"
                                                   << "enter"
                                                   << "145.50000";
    QTest::newRow("50 over a used RX, a click elsewhere") << QLocale::English << rx << 2 << "50"
                                                          << "click"
                                                          << "145.50000";
    QTest::newRow("separator forgotten in TX, Tab") << QLocale::English << tx << 2 << "145125"
                                                    << "tab"
                                                    << "145.10000";
    QTest::newRow("050,5 in the comma format, a row label") << QLocale::German << rx << 2 << "050,5"
                                                            << "label"
                                                            << "145,50000";
    QTest::newRow("600 into a new channel, keyboard alone") << QLocale::German << rx << 3 << "600"
                                                            << "keys"
                                                            << "145,50000";
}

void ChannelEditorTest::frequencyTheRadioCannotHoldIsRefused() {
    QFETCH(QLocale::Language, language);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(QString, confirm);
    QFETCH(QString, corrected);
    QLocale::setDefault(QLocale(language));
    m_plan->setChannel(2, channelA);
    const ChannelRow before = m_plan->channel(row);

    if (confirm == QLatin1String("keys")) {
        QTRY_VERIFY(m_grid->hasFocus());
        for (int i = 1; i < row; ++i)
            press(Qt::Key_Down);
        type(typed);
    } else {
        click(column, row);
        QTest::keyClicks(m_frequencyEditor, QString(9, QChar('\b')) + typed);
    }
    QCOMPARE(m_plan->cell(column, row), typed); // the cell follows the typing
    const ChannelGrid::Cell selectedBefore = selected();
    closeNextMessageBox();
    if (confirm == QLatin1String("click"))
        click(PlanModel::Power, 5);
    else if (confirm == QLatin1String("label"))
        click(PlanModel::Label, 6);
    else if (confirm == QLatin1String("tab"))
        QTest::keyClick(m_frequencyEditor, Qt::Key_Tab);
    else if (confirm == QLatin1String("enter"))
        QTest::keyClick(m_frequencyEditor, Qt::Key_Return);
    else
        press(Qt::Key_Return);

    QCOMPARE(m_boxTexts, QStringList{"the frequency " + typed + " MHz is outside 100-550 MHz"});
    QCOMPARE(m_plan->channel(row), before);
    QCOMPARE(selected(), selectedBefore);
    QCOMPARE(m_editor->selectedRows(), QList<int>{selectedBefore.row});
    QVERIFY(m_frequencyEditor->isVisible());
    QCOMPARE(m_frequencyEditor->text(), typed);
    QVERIFY(m_frequencyEditor->geometry().contains(
        m_grid->viewport()->mapTo(m_editor->widget(), cellCentre(column, row))));
    QTRY_VERIFY(m_frequencyEditor->hasFocus());

    // The correction is typed where the slip was, and confirmed as any entry.
    type(QString(9, QChar('\b')) + corrected.left(5));
    press(Qt::Key_Return);
    QCOMPARE(m_boxTexts.size(), 1);
    QCOMPARE(m_plan->cell(column, row), corrected);
    if (before[0].isEmpty())
        QCOMPARE(m_plan->channel(row), defaultsFor(corrected));
}

// The cell gets back what it held when the entry began, also when the refusal comes only as
// the window is left or as a command asks; a refused number read from a file stays as it is.
void ChannelEditorTest::refusalKeepsWhatTheCellHeldBefore() {
    m_plan->setChannel(2, channelA);
    click(1, 2);
    QTest::keyClicks(m_frequencyEditor, QString(9, QChar('\b')) + "700");
    closeNextMessageBox();
    m_area->setActiveSubWindow(m_other);
    QTRY_COMPARE(m_boxTexts, QStringList{"the frequency 700 MHz is outside 100-550 MHz"});
    QCOMPARE(m_plan->channel(2), channelA);
    QCOMPARE(m_frequencyEditor->text(), QString("700"));

    // An unconfirmed entry and a command that needs the plan.
    m_area->setActiveSubWindow(m_editor);
    click(3, 2);
    QTest::keyClicks(m_frequencyEditor, QString(9, QChar('\b')) + "1450");
    closeNextMessageBox();
    QVERIFY(!m_editor->confirmPendingEntry());
    QCOMPARE(m_boxTexts.size(), 2);
    QCOMPARE(m_plan->channel(2), channelA);
    QCOMPARE(m_frequencyEditor->text(), QString("1450"));
    // Leaving the cell now keeps its earlier value: nothing typed is pending any more.
    click(1, 4);
    QCOMPARE(m_boxTexts.size(), 2);
    QCOMPARE(m_plan->channel(2), channelA);

    ChannelRow fromFile = channelB;
    fromFile[2] = "999.00000";
    m_plan->setChannel(5, fromFile);
    click(3, 5);
    closeNextMessageBox();
    click(1, 6);
    QCOMPARE(m_boxTexts.size(), 3);
    QCOMPARE(m_boxTexts.last(), QString("the frequency 999.00000 MHz is outside 100-550 MHz"));
    QCOMPARE(m_plan->channel(5), fromFile);
    QCOMPARE(selected(), (ChannelGrid::Cell{3, 5}));
}

// Row labels select rows without flipping or opening anything; the selected cell follows in
// its column, committing what was typed on the way.
void ChannelEditorTest::rowLabelsSelectRows() {
    for (int row = 2; row <= 9; ++row)
        m_plan->setChannel(row, row % 2 ? channelA : channelB);
    const auto table = [this] {
        QList<ChannelRow> rows;
        for (int row = 1; row <= PlanModel::ChannelCount; ++row)
            rows << m_plan->channel(row);
        return rows;
    };
    click(1, 12);
    QTest::keyClicks(m_frequencyEditor, "146");
    QTest::keyClick(m_grid, Qt::Key_Right); // the entry is confirmed on the way
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(m_grid, Qt::Key_Right); // to the power column: keys flip nothing
    QCOMPARE(selected(), (ChannelGrid::Cell{PlanModel::Power, 12}));
    const QList<ChannelRow> before = table();
    QCOMPARE(before[11], defaultsFor("146.00000"));

    click(PlanModel::Label, 3);
    QCOMPARE(m_editor->selectedRows(), QList<int>{3});
    QCOMPARE(selected(), (ChannelGrid::Cell{PlanModel::Power, 3}));
    click(PlanModel::Label, 5, Qt::ShiftModifier);
    QCOMPARE(m_editor->selectedRows(), (QList<int>{3, 4, 5}));
    QCOMPARE(selected(), (ChannelGrid::Cell{PlanModel::Power, 5}));
    click(PlanModel::Label, 8, Qt::ControlModifier);
    QCOMPARE(m_editor->selectedRows(), (QList<int>{3, 4, 5, 8}));
    click(PlanModel::Label, 4, Qt::ControlModifier);
    QCOMPARE(m_editor->selectedRows(), (QList<int>{3, 5, 8}));
    QCOMPARE(selected(), (ChannelGrid::Cell{PlanModel::Power, 8}));
    click(PlanModel::Label, 8, Qt::ControlModifier);
    QCOMPARE(m_editor->selectedRows(), (QList<int>{3, 5}));
    QCOMPARE(selected(), (ChannelGrid::Cell{PlanModel::Power, 3}));
    QCOMPARE(table(), before);
    QVERIFY(m_tonePicker->isHidden());

    // A click on a cell selects its row alone again.
    click(PlanModel::RxTone, 7);
    QCOMPARE(m_editor->selectedRows(), QList<int>{7});
}

void ChannelEditorTest::deleteEmptiesEverySelectedRow_data() {
    QTest::addColumn<bool>("keyboard");
    QTest::newRow("row labels and the mouse") << false;
    QTest::newRow("keyboard alone") << true;
}

void ChannelEditorTest::deleteEmptiesEverySelectedRow() {
    QFETCH(bool, keyboard);
    for (int row = 1; row <= 6; ++row)
        m_plan->setChannel(row, channelA);
    if (keyboard) {
        QTRY_VERIFY(m_grid->hasFocus());
        press(Qt::Key_Down);
        press(Qt::Key_Down, Qt::ShiftModifier);
        press(Qt::Key_Down, Qt::ShiftModifier);
        for (int i = 0; i < 3; ++i)
            press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button("TeButton4"));
        press(Qt::Key_Space);
    } else {
        click(PlanModel::Label, 2);
        click(PlanModel::Label, 3, Qt::ControlModifier);
        click(PlanModel::Label, 4, Qt::ControlModifier);
        QTest::mouseClick(button("TeButton4"), Qt::LeftButton);
    }
    QCOMPARE(m_plan->channel(1), channelA);
    for (int row = 2; row <= 4; ++row)
        QCOMPARE(m_plan->channel(row), ChannelRow{});
    QCOMPARE(m_plan->channel(5), channelA);
    // The editor is open over the selected row, as after the delete of one row.
    QCOMPARE(selected().column, int(PlanModel::RxFrequency));
    QVERIFY(m_frequencyEditor->isVisible());
}

void ChannelEditorTest::deactivationCommitsAndActivationFocusesGrid() {
    click(1, 1);
    QTest::keyClicks(m_frequencyEditor, "145.1");
    m_area->setActiveSubWindow(m_other);
    QCOMPARE(m_area->activeSubWindow(), m_other);
    QVERIFY(m_frequencyEditor->isHidden());
    QCOMPARE(m_plan->channel(1), defaultsFor("145.10000"));

    m_plan->setChannel(2, channelA);
    m_area->setActiveSubWindow(m_editor);
    QTRY_VERIFY(m_grid->hasFocus());
    QTest::mouseClick(button("TeButton2"), Qt::LeftButton); // nothing to move; keeps the focus
    QVERIFY(button("TeButton2")->hasFocus());
    m_area->setActiveSubWindow(m_other);
    m_area->setActiveSubWindow(m_editor); // activation always hands the focus to the grid
    QTRY_VERIFY(m_grid->hasFocus());
    click(2, 2);
    QVERIFY(m_tonePicker->hasFocus());
    m_tonePicker->setCurrentIndex(m_tonePicker->findText("D754I"));
    m_area->setActiveSubWindow(m_other); // the picker loses the focus: it commits
    QCOMPARE(m_plan->cell(2, 2), QString("D754I"));
    QVERIFY(m_tonePicker->isHidden());
}

void ChannelEditorTest::deactivationReportsCellThatIsNoNumber() {
    ChannelRow fromRadio = channelB;
    fromRadio[2] = "4x0.1";
    m_plan->setChannel(2, fromRadio);
    click(3, 2);
    closeNextMessageBox();
    m_area->setActiveSubWindow(m_other);
    QTRY_COMPARE(m_boxTexts, QStringList{"'4x0.1' is not a valid floating point value"});
    QCOMPARE(m_plan->channel(2), fromRadio);
    QCOMPARE(m_area->activeSubWindow(), m_other);
    // Back in the editor, the text can be reached without a commit of the grid in between.
    QVERIFY(m_frequencyEditor->isVisible());
    QCOMPARE(m_frequencyEditor->text(), QString("4x0.1"));
    QVERIFY(QTest::qWaitForWindowActive(m_area.get()));
    QTest::mouseClick(m_frequencyEditor, Qt::LeftButton);
    QCOMPARE(m_area->activeSubWindow(), m_editor);
    QTRY_VERIFY(m_frequencyEditor->hasFocus());
    QTest::keyClick(m_frequencyEditor, Qt::Key_End); // the click put the caret into the text
    QTest::keyClicks(m_frequencyEditor, QString(5, QChar('\b')) + "430.1");
    QTest::keyClick(m_frequencyEditor, Qt::Key_Return);
    QCOMPARE(m_plan->cell(3, 2), QString("430.10000"));
}

void ChannelEditorTest::newChannelThatIsNoNumberOffersItsRx() {
    const ChannelRow fromFile = {"1x5", "", "", "", "", "", ""};
    m_plan->setChannel(4, fromFile);
    click(5, 4); // a used channel: the power flips
    closeNextMessageBox();
    click(1, 6);
    QCOMPARE(m_boxTexts, QStringList{"'1x5' is not a valid floating point value"});
    QCOMPARE(selected(), (ChannelGrid::Cell{5, 4}));
    QCOMPARE(m_plan->cell(1, 4), QString("1x5"));
    // The editor lies over the RX frequency that failed and writes there.
    QTRY_VERIFY(m_frequencyEditor->hasFocus());
    QCOMPARE(m_frequencyEditor->text(), QString("1x5"));
    QTest::keyClicks(m_frequencyEditor, QString(3, QChar('\b')) + "145");
    QCOMPARE(m_plan->cell(1, 4), QString("145"));
    QCOMPARE(m_plan->cell(5, 4), zh.high);
    // Enter commits the corrected cell and shows it again; the power cell the grid still has
    // selected is not clicked on the way.
    QTest::keyClick(m_frequencyEditor, Qt::Key_Return);
    QCOMPARE(m_plan->channel(4), defaultsFor("145.00000"));
    QCOMPARE(selected(), (ChannelGrid::Cell{5, 4}));
    QVERIFY(m_frequencyEditor->isVisible());
    QCOMPARE(m_frequencyEditor->text(), QString("145.00000"));
    QVERIFY(m_frequencyEditor->geometry().contains(
        m_grid->viewport()->mapTo(m_editor->widget(), cellCentre(1, 4))));
    click(1, 6);
    QCOMPARE(m_plan->channel(4), defaultsFor("145.00000"));
    QCOMPARE(selected(), (ChannelGrid::Cell{1, 6}));
}

void ChannelEditorTest::pendingToneIsConfirmedAndNeverReachesANewPlan() {
    m_plan->setChannel(1, channelA);
    click(2, 1);
    QVERIFY(m_tonePicker->hasFocus());
    QTest::keyClick(m_tonePicker, Qt::Key_Down); // another item, not committed yet
    const QString picked = m_tonePicker->currentText();
    QVERIFY(picked != channelA[1]);
    QCOMPARE(m_plan->cell(2, 1), channelA[1]);
    QVERIFY(m_editor->confirmPendingEntry());
    QCOMPARE(m_plan->cell(2, 1), picked);
    QVERIFY(m_tonePicker->isHidden());
    QVERIFY(m_grid->hasFocus());

    // The plan is replaced while the picker is open on another choice: it commits nothing there.
    click(4, 1);
    QTest::keyClick(m_tonePicker, Qt::Key_Down);
    m_plan->clearTable();
    m_editor->resetOverlays();
    QCOMPARE(m_plan->channel(1), ChannelRow{});
    QVERIFY(m_tonePicker->isHidden());
    QVERIFY(m_frequencyEditor->isHidden());
    QCOMPARE(m_frequencyEditor->text(), QString());
    QTest::keyClick(m_grid, Qt::Key_Return);
    QCOMPARE(m_plan->channel(1), ChannelRow{});
}

void ChannelEditorTest::exitHidesAndCommandRestores() {
    m_plan->setChannel(1, channelA);
    QTest::mouseClick(button("TeButton1"), Qt::LeftButton);
    QVERIFY(m_editor->isHidden());
    QVERIFY(m_editor->isHiddenByClose());
    m_editor->showOrRestore();
    QVERIFY(m_editor->isVisible());
    QVERIFY(!m_editor->isHiddenByClose());
    QVERIFY(!m_editor->isMinimized());
    QCOMPARE(m_plan->channel(1), channelA);
    QCOMPARE(m_editor->widget()->size(), QSize(640, 349));
    const QSize normalSize = m_editor->size();
    QVERIFY(normalSize.height() > 349 && normalSize.width() >= 640); // frame around the body
    m_editor->showMinimized();
    QVERIFY(m_editor->height() < normalSize.height());
    m_editor->showNormal();
    QCOMPARE(m_editor->size(), normalSize);
}

void ChannelEditorTest::keyboardMarksMovesAndTabs() {
    m_plan->setChannel(2, channelB);
    QTRY_VERIFY(m_grid->hasFocus());
    press(Qt::Key_Down);
    for (int i = 0; i < 4; ++i)
        press(Qt::Key_Right);
    QCOMPARE(selected(), (ChannelGrid::Cell{5, 2}));
    QVERIFY(isMarked(5, 2));
    QVERIFY(!isMarked(6, 2));
    QVERIFY(!isMarked(5, 3));
    QCOMPARE(m_plan->channel(2), channelB); // moving by keys flips nothing

    // Tab leaves the grid for the buttons, Shift+Tab comes back; the mark stays meanwhile.
    const QList<QWidget*> chain = {button("TeButton2"), button("TeButton3"), button("TeButton4"),
                                   button("TeButton1")};
    for (QWidget* next : chain) {
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    QVERIFY(isMarked(5, 2));
    for (qsizetype i = chain.size() - 2; i >= 0; --i) {
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), chain.at(i));
    }
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), m_grid);

    // A button pressed by Space acts on the current channel.
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    press(Qt::Key_Space); // Move Down
    QCOMPARE(m_plan->channel(3), channelB);
    QCOMPARE(m_plan->channel(2), ChannelRow{});
}

// The edit is started by keys in a cell reached by keys; Escape puts back what the cell held.
void ChannelEditorTest::escapeAbandonsTheEdit_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("RX of a used channel") << int(PlanModel::RxFrequency) << 2;
    QTest::newRow("RX of an empty row") << int(PlanModel::RxFrequency) << 3;
    QTest::newRow("TX") << int(PlanModel::TxFrequency) << 2;
    QTest::newRow("tone") << int(PlanModel::TxTone) << 2;
}

void ChannelEditorTest::escapeAbandonsTheEdit() {
    QFETCH(int, column);
    QFETCH(int, row);
    m_plan->setChannel(2, channelA);
    QTRY_VERIFY(m_grid->hasFocus());
    for (int i = 1; i < row; ++i)
        press(Qt::Key_Down);
    for (int i = 1; i < column; ++i)
        press(Qt::Key_Right);
    const ChannelRow before = m_plan->channel(row);
    const QString cellBefore = m_plan->cell(column, row);

    if (column == PlanModel::TxTone) {
        press(Qt::Key_Space);
        QVERIFY(m_tonePicker->hasFocus());
        press(Qt::Key_Down);
        QVERIFY(m_tonePicker->currentText() != cellBefore);
    } else {
        type(QStringLiteral("430"));
        QVERIFY(m_frequencyEditor->hasFocus());
        QCOMPARE(m_plan->cell(column, row), QStringLiteral("430"));
    }
    press(Qt::Key_Escape);
    QVERIFY(m_grid->hasFocus());
    QVERIFY(m_tonePicker->isHidden());
    QCOMPARE(m_plan->cell(column, row), cellBefore);
    if (column != PlanModel::TxTone)
        QCOMPARE(m_frequencyEditor->text(), cellBefore);

    // Leaving the cell commits nothing of the abandoned edit.
    press(Qt::Key_Down);
    QCOMPARE(m_plan->channel(row), before);
}

// Tab out of the frequency editor confirms what was typed, as Enter does, and moves on.
void ChannelEditorTest::tabConfirmsTheEntry_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focusName"); // empty: the grid
    QTest::newRow("Tab") << int(Qt::Key_Tab) << "TeButton2";
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << "";
}

void ChannelEditorTest::tabConfirmsTheEntry() {
    QFETCH(int, key);
    QFETCH(QString, focusName);
    QTRY_VERIFY(m_grid->hasFocus());
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    type(QStringLiteral("146"));
    QVERIFY(m_frequencyEditor->hasFocus());
    press(Qt::Key(key), key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
    const ChannelRow entered = {"146.00000", zh.off, "146.00000", zh.off, zh.high, zh.on, zh.off};
    QCOMPARE(m_plan->channel(3), entered);
    QWidget* const expected = focusName.isEmpty() ? static_cast<QWidget*>(m_grid)
                                                  : button(focusName.toLatin1().constData());
    QCOMPARE(QApplication::focusWidget(), expected);
}

QTEST_MAIN(ChannelEditorTest)
#include "tst_channeleditor.moc"
