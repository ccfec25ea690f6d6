#include "tst_mainwindow_support.h"

#include "app/inifile.h"
#include "app/languagepack.h"
#include "app/mnemonic.h"
#include "comparedialog.h"
#include "portdevicesdialog.h"
#include "roweditdialogs.h"
#include "severalradiosdialog.h"
#include "stocklistdialog.h"
#include "transferdialog.h"
#include "writehistorydialog.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QToolButton>

using namespace zevtest;

// What a screen reader is told about the windows, read through the accessibility interfaces that
// Qt's AT-SPI bridge passes on (tests/accessibility walks the bridge itself): names in the
// active language, across a language switch, and none missing.
class AccessibleNamesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void namesFollowTheLanguage_data();
    void namesFollowTheLanguage();
    void overlaysNameTheirCell();
    void everyFocusableControlIsNamed();
    void screenReaderTogglesChooseThePort();
    void keyboardReachesTheModelSelector_data();
    void keyboardReachesTheModelSelector();
};

namespace {

QAccessibleInterface* accessibleOf(QObject* object) {
    return object ? QAccessible::queryAccessibleInterface(object) : nullptr;
}

QString nameOf(QObject* object) {
    QAccessibleInterface* accessible = accessibleOf(object);
    return accessible ? accessible->text(QAccessible::Name) : QStringLiteral("<none>");
}

// The names of the objects that label this one (AT-SPI's labelled-by relation).
QStringList labelsOf(QObject* object) {
    QStringList labels;
    if (QAccessibleInterface* accessible = accessibleOf(object)) {
        const auto relations = accessible->relations(QAccessible::Label);
        for (const auto& [label, relation] : relations)
            labels << label->text(QAccessible::Name);
    }
    return labels;
}

// What a screen reader calls a control: on Linux a combo box's name is only its value, so its
// label names it; any other control its name, or else its label.
QString spokenName(QWidget* widget) {
    const QStringList labels = labelsOf(widget);
    const QString label = labels.isEmpty() ? QString() : labels.first();
    if (qobject_cast<QComboBox*>(widget))
        return label;
    const QString name = nameOf(widget);
    return name.trimmed().isEmpty() ? label : name;
}

QString cellName(zev::ChannelGrid* grid, int row, int column) {
    QAccessibleTableInterface* table = accessibleOf(grid)->tableInterface();
    QAccessibleInterface* cell = table ? table->cellAt(row, column) : nullptr;
    return cell ? cell->text(QAccessible::Name) : QStringLiteral("<no cell>");
}

const zev::ChannelRow channel3{"156.80000", "OFF", "156.80000", "OFF", "High", "OFF", "ON"};

} // namespace

void AccessibleNamesTest::initTestCase() {
    quietOffscreenWarnings();
    QLocale::setDefault(QLocale::c());
}

void AccessibleNamesTest::namesFollowTheLanguage_data() {
    QTest::addColumn<bool>("startInEnglish");
    QTest::newRow("English, then Chinese") << true;
    QTest::newRow("Chinese, then English") << false;
}

// Started in one language and switched to the other, every name is in the language shown.
void AccessibleNamesTest::namesFollowTheLanguage() {
    QFETCH(bool, startInEnglish);
    ProgramFolder folder;
    QVERIFY(folder.hasPacks());
    folder.writeInstallLog(startInEnglish);
    auto window = startProgram(folder);
    QVERIFY(window);
    window->workspace().plan.setChannel(3, channel3);
    window->workspace().plan.reword();
    zev::ChannelGrid* grid = gridOf(*window);

    struct Expected {
        const char* language;
        const char* menuItem; // switches to this language
        QString table;
        QString rxFrequency;
        QString power;
        QString empty;
        QString label;
        QString progress;
    };
    const Expected english{"english",
                           "N21",
                           "Channel table",
                           "Channel 03, RX Freq, 156.80000",
                           "Channel 03, Power, High",
                           "Channel 07, RX Freq, empty",
                           "Channel 03",
                           "Progress"};
    const Expected chinese{"chinese",
                           "N20",
                           "信道表",
                           "信道 03，接收频率，156.80000",
                           "信道 03，功率，高功率",
                           "信道 07，接收频率，空",
                           "信道 03",
                           "进度"};
    const QList<Expected> languages =
        startInEnglish ? QList<Expected>{english, chinese} : QList<Expected>{chinese, english};
    for (const Expected& expected : languages) {
        if (&expected != &languages.first())
            control<QAction>(window.get(), expected.menuItem)->trigger();
        const auto pack = zev::LanguagePack::load(folder.path(), QLatin1String(expected.language));
        QVERIFY(pack);
        const QByteArray language(expected.language);

        QCOMPARE(nameOf(grid), expected.table);
        QCOMPARE(cellName(grid, 3, zev::PlanModel::RxFrequency), expected.rxFrequency);
        QCOMPARE(cellName(grid, 3, zev::PlanModel::Power), expected.power);
        QCOMPARE(cellName(grid, 7, zev::PlanModel::RxFrequency), expected.empty);
        QCOMPARE(cellName(grid, 3, zev::PlanModel::Label), expected.label);
        QCOMPARE(cellName(grid, 0, zev::PlanModel::TxFrequency),
                 pack->text(zev::TextId::HeaderTxFrequency));
        QVERIFY2(!accessibleOf(grid)->text(QAccessible::Description).isEmpty(), language);

        // Picture buttons are called by their hints; a port button by its port.
        const QList<std::pair<const char*, int>> buttons = {
            {"ToolButton2", zev::TextId::NewHint},
            {"ToolButton6", zev::TextId::ReadHint},
            {"ToolButton22", zev::TextId::PowerAdjustHint}};
        for (const auto& [name, id] : buttons)
            QCOMPARE(nameOf(control<QToolButton>(window.get(), name)), pack->text(id));
        QCOMPARE(nameOf(control<QToolButton>(window.get(), "ToolButton33")),
                 QStringLiteral("COM3"));

        // Selectors are labelled by the labels beside them.
        // The model label carries its keyboard letter, which a screen reader hears as Qt
        // passes it on: "Model:", "型号(M)：".
        QCOMPARE(
            labelsOf(control<QComboBox>(window.get(), "ComboBox1")),
            QStringList{zev::withMnemonic(pack->text(zev::TextId::ModelLabel), 'M').remove('&')});
        QWidget* options = form(*window, "TForm4");
        QCOMPARE(labelsOf(control<QComboBox>(options, "ComboBox4")),
                 QStringList{pack->text(zev::TextId::VoicePromptLabel)});
        QWidget* power = form(*window, "TForm7");
        QCOMPARE(labelsOf(control<QLineEdit>(power, "Edit2")),
                 QStringList{pack->text(zev::TextId::LowPowerLabel)});

        // An idle transfer dialog's bar.
        QCOMPARE(nameOf(control<QWidget>(form(*window, "TForm6"), "ProgressBar1")),
                 expected.progress);
        QCOMPARE(nameOf(control<QWidget>(form(*window, "TForm3"), "ProgressBar1")),
                 expected.progress);
    }
}

// The frequency editor and the tone picker say which cell they edit, in the active language.
void AccessibleNamesTest::overlaysNameTheirCell() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    window->workspace().plan.setChannel(3, channel3);
    QVERIFY(focusGrid(*window));
    zev::ChannelGrid* grid = gridOf(*window);
    QLineEdit* editor = frequencyEditorOf(*window);
    auto* picker = window->channelEditor()->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    QVERIFY(picker);

    QVERIFY(
        grid->selectCell({zev::PlanModel::TxFrequency, 3}, zev::ChannelGrid::MoveSource::Click));
    QVERIFY(editor->isVisible());
    QCOMPARE(nameOf(editor), QStringLiteral("Channel 03, TX Freq"));
    QVERIFY(!accessibleOf(editor)->text(QAccessible::Description).isEmpty());

    QVERIFY(grid->selectCell({zev::PlanModel::RxTone, 3}, zev::ChannelGrid::MoveSource::Click));
    QVERIFY(picker->isVisible());
    QCOMPARE(spokenName(picker), QStringLiteral("Channel 03, RX Tone"));
    QCOMPARE(accessibleOf(picker)->text(QAccessible::Value), QStringLiteral("OFF"));

    // After a language switch the picker takes the new language's words.
    control<QAction>(window.get(), "N20")->trigger();
    grid->setFocus();
    QVERIFY(grid->selectCell({zev::PlanModel::TxTone, 3}, zev::ChannelGrid::MoveSource::Click));
    QCOMPARE(spokenName(picker), QStringLiteral("信道 03，发射亚音"));
}

// The controls of form that Tab can reach and a screen reader cannot name; disabled ones too,
// since a screen reader lists them. The field inside a spin box or an editable combo box is
// named by the box.
static QStringList namelessControls(QWidget* form) {
    QStringList nameless;
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        QWidget* named = widget;
        if (QWidget* box = widget->parentWidget();
            qobject_cast<QAbstractSpinBox*>(box) || qobject_cast<QComboBox*>(box))
            named = box;
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(form) &&
            !widget->isWindow() && spokenName(named).trimmed().isEmpty())
            nameless << QStringLiteral("%1 %2 (%3)")
                            .arg(form->metaObject()->className(), widget->objectName(),
                                 widget->metaObject()->className());
    }
    return nameless;
}

// Every window and dialog, those made on demand too: no control Tab reaches is nameless.
void AccessibleNamesTest::everyFocusableControlIsNamed() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    zev::Workspace& workspace = window->workspace();
    zev::IniFile settings(folder.path() + QStringLiteral("myini.ini"));
    const QList<int> rows{1, 2};
    zev::StockListDialog stockLists(workspace.plan.words(), workspace.bands.currentText(),
                                    window.get());
    zev::SetRowsDialog setRows(workspace.plan.wording(), rows, window.get());
    zev::FillFrequenciesDialog fill(rows, window.get());
    zev::WriteHistoryDialog history(window.get());
    zev::PortDevicesDialog devices(workspace.portDevices, window.get(),
                                   [] { return QList<zev::PresentPort>{}; });
    zev::SeveralRadiosDialog severalRadios(workspace, settings, QStringLiteral("(window)"),
                                           window.get());

    QList<QWidget*> forms;
    for (QObject* object : window->forms())
        forms << qobject_cast<QWidget*>(object);
    forms << window->compareDialog() << &stockLists << &setRows << &fill << &history << &devices
          << &severalRadios;
    QStringList nameless;
    for (QWidget* form : forms) {
        QVERIFY(form);
        nameless << namelessControls(form);
    }
    QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(QStringLiteral("; "))));
}

// A screen reader's action on a port button toggles its mark without a click: the mark chooses
// the port, and the chosen port's mark cannot be taken off.
void AccessibleNamesTest::screenReaderTogglesChooseThePort() {
    ProgramFolder folder;
    folder.writeInstallLog(true);
    auto window = startProgram(folder);
    QVERIFY(window);
    const auto toggle = [&](const char* button) {
        QAccessibleActionInterface* actions =
            accessibleOf(control<QToolButton>(window.get(), button))->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        actions->doAction(QAccessibleActionInterface::toggleAction());
    };
    toggle("ToolButton33");
    QCOMPARE(window->portNumber(), 3);
    QVERIFY(control<QToolButton>(window.get(), "ToolButton33")->isChecked());
    QVERIFY(!control<QToolButton>(window.get(), "ToolButton31")->isChecked());
    QVERIFY(control<QAction>(window.get(), "COM3")->isChecked());
    QVERIFY(!control<QAction>(window.get(), "COM1")->isChecked());

    toggle("ToolButton33");
    QCOMPARE(window->portNumber(), 3);
    QVERIFY(control<QToolButton>(window.get(), "ToolButton33")->isChecked());
}

// Tab stays inside the child window that has the focus, and every toolbar command but the model
// selector is a menu item too: the selector's label takes the keyboard there, in either language.
void AccessibleNamesTest::keyboardReachesTheModelSelector_data() {
    QTest::addColumn<bool>("english");
    QTest::newRow("English") << true;
    QTest::newRow("Chinese") << false;
}

void AccessibleNamesTest::keyboardReachesTheModelSelector() {
    QFETCH(bool, english);
    ProgramFolder folder;
    folder.writeInstallLog(english);
    auto window = startProgram(folder);
    QVERIFY(window);
    QVERIFY(focusGrid(*window));
    auto* selector = control<QComboBox>(window.get(), "ComboBox1");
    QVERIFY(!selector->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_M, Qt::AltModifier);
    QVERIFY(selector->hasFocus());
}

QTEST_MAIN(AccessibleNamesTest)
#include "tst_accessiblenames.moc"
