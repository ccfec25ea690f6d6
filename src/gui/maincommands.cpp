#include "maincommands.h"

#include "app/builtintexts.h"
#include "app/mnemonic.h"
#include "app/textids.h"
#include "legibleicon.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <iterator>

namespace zev {

namespace {

enum class Menu { File, Edit, Options, Ports, Languages, Appearance, Help, Bar };

struct MenuRow {
    Menu menu;
    const char* name;
    int textId;           // the language packs' title; 0: they have none
    const char* ownTitle; // the title without a pack text, translated
    char letter;
    Menu parent;
};

// In menu bar order; a submenu stands at the top of its menu.
constexpr MenuRow menuRows[] = {
    {Menu::File, "N1", TextId::FileMenu, nullptr, 'F', Menu::Bar},
    {Menu::Edit, "N5", TextId::EditMenu, nullptr, 'E', Menu::Bar},
    {Menu::Options, "N22", TextId::OptionsMenu, nullptr, 'O', Menu::Bar},
    {Menu::Ports, "N12", TextId::PortMenu, nullptr, 'P', Menu::Options},
    {Menu::Languages, "N19", TextId::LanguageMenu, nullptr, 'L', Menu::Options},
    {Menu::Appearance, "AppearanceMenu", 0, QT_TRANSLATE_NOOP("zev::MainWindow", "Appearance"), 'A',
     Menu::Options},
    {Menu::Help, "N13", TextId::HelpMenu, nullptr, 'H', Menu::Bar},
};

enum CommandFlag {
    Checkable = 1,
    Checked = 2,
    FixedCaption = 4, // the same in every language, or worded by the window
    // Works where the channel grid is: the frequency editor over a cell keeps its own Copy, and
    // the other windows have no rows.
    RowShortcut = 8,
};

// The commands' texts keep the main window's translation context, where the messages pack has
// them; QT_TRANSLATE_NOOP names it for lupdate.
constexpr const char* windowContext = "zev::MainWindow";
constexpr QKeyCombination noKey = Qt::Key_unknown;

struct CommandRow {
    Command command;
    Menu menu;
    const char* dividerBefore; // a divider line's name, "" for an unnamed one; nullptr: none
    const char* name;
    int textId;          // the language packs' caption; 0: they have none
    const char* ownText; // the caption without a pack text, translated unless FixedCaption
    char letter;
    QKeyCombination key = noKey;
    QKeySequence::StandardKey standardKey = QKeySequence::UnknownKey;
    int flags = 0;
};

// Every menu item, in menu order.
const CommandRow commandRows[] = {
    {Command::New, Menu::File, nullptr, "N2", TextId::NewMenu, nullptr, 'N', Qt::CTRL | Qt::Key_N},
    {Command::NewFromStock, Menu::File, nullptr, "NewFromStockItem", 0,
     QT_TRANSLATE_NOOP("zev::MainWindow", "New from stock list…"), 'L'},
    {Command::Open, Menu::File, nullptr, "O1", TextId::OpenMenu, nullptr, 'O',
     Qt::CTRL | Qt::Key_O},
    {Command::Save, Menu::File, nullptr, "S1", TextId::SaveMenu, nullptr, 'S',
     Qt::CTRL | Qt::Key_S},
    {Command::ExportCsv, Menu::File, "CsvSeparator", "ExportCsvItem", 0,
     QT_TRANSLATE_NOOP("zev::MainWindow", "Export CSV…"), 'X'},
    {Command::ImportCsv, Menu::File, nullptr, "ImportCsvItem", 0,
     QT_TRANSLATE_NOOP("zev::MainWindow", "Import CSV…"), 'I'},
    {Command::Print, Menu::File, "", "PrintSheet", 0,
     QT_TRANSLATE_NOOP("zev::MainWindow", "Print..."), 'P', Qt::CTRL | Qt::Key_P},
    {Command::ExportPdf, Menu::File, nullptr, "ExportPdf", 0,
     QT_TRANSLATE_NOOP("zev::MainWindow", "Export PDF..."), 'D'},
    {Command::WriteHistory, Menu::File, "", "WriteHistoryItem", 0,
     QT_TRANSLATE_NOOP("zev::MainWindow", "Write history…"), 'H'},
    {Command::Close, Menu::File, "N3", "N4", TextId::CloseMenu, nullptr, 'C', Qt::CTRL | Qt::Key_Q},

    {Command::Read, Menu::Edit, nullptr, "N6", TextId::ReadCommand, nullptr, 'R',
     Qt::CTRL | Qt::Key_R},
    {Command::Write, Menu::Edit, nullptr, "N7", TextId::WriteCommand, nullptr, 'W',
     Qt::CTRL | Qt::Key_W},
    {Command::WriteSeveral, Menu::Edit, nullptr, "WriteSeveralItem", 0,
     QT_TRANSLATE_NOOP("zev::MainWindow", "Write to several radios…"), 'V'},
    {Command::Compare, Menu::Edit, nullptr, "CompareWithRadio", 0,
     QT_TRANSLATE_NOOP("zev::MainWindow", "Compare with radio..."), 'O'},
    {Command::Undo, Menu::Edit, "UndoSeparator", "UndoItem", 0,
     QT_TRANSLATE_NOOP("zev::MainWindow", "Undo"), 'U', noKey, QKeySequence::Undo},
    {Command::Redo, Menu::Edit, nullptr, "RedoItem", 0,
     QT_TRANSLATE_NOOP("zev::MainWindow", "Redo"), 'E', Qt::CTRL | Qt::SHIFT | Qt::Key_Z},
    {Command::ChannelEdit, Menu::Edit, "N8", "N9", TextId::ChannelEditMenu, nullptr, 'C'},
    {Command::CopyRows, Menu::Edit, nullptr, "CopyRowsItem", 0,
     QT_TRANSLATE_NOOP("zev::MainWindow", "Copy rows"), 'Y', noKey, QKeySequence::Copy,
     RowShortcut},
    {Command::PasteRows, Menu::Edit, nullptr, "PasteRowsItem", 0,
     QT_TRANSLATE_NOOP("zev::MainWindow", "Paste rows"), 'T', noKey, QKeySequence::Paste,
     RowShortcut},
    {Command::SetForRows, Menu::Edit, "", "SetForRowsItem", 0,
     QT_TRANSLATE_NOOP("zev::MainWindow", "Set for selected rows…"), 'S'},
    {Command::FillFrequencies, Menu::Edit, nullptr, "FillFrequenciesItem", 0,
     QT_TRANSLATE_NOOP("zev::MainWindow", "Fill frequencies…"), 'I'},
    {Command::FunctionOptions, Menu::Edit, "N10", "N11", TextId::FunctionOptionsMenu, nullptr, 'F'},
    {Command::PowerAdjust, Menu::Edit, "N17", "N18", TextId::PowerAdjustCommand, nullptr, 'P'},

    {Command::Com1, Menu::Ports, nullptr, "COM1", 0, "COM1", '1', noKey, QKeySequence::UnknownKey,
     Checkable | FixedCaption},
    {Command::Com2, Menu::Ports, nullptr, "COM2", 0, "COM2", '2', noKey, QKeySequence::UnknownKey,
     Checkable | FixedCaption},
    {Command::Com3, Menu::Ports, nullptr, "COM3", 0, "COM3", '3', noKey, QKeySequence::UnknownKey,
     Checkable | FixedCaption},
    {Command::Com4, Menu::Ports, nullptr, "COM4", 0, "COM4", '4', noKey, QKeySequence::UnknownKey,
     Checkable | FixedCaption},
    {Command::PortDevices, Menu::Ports, "", "PortDevicesItem", 0,
     QT_TRANSLATE_NOOP("zev::MainWindow", "Port devices…"), 'D'},
    {Command::Chinese, Menu::Languages, nullptr, "N20", 0, "中文", 'C', noKey,
     QKeySequence::UnknownKey, Checkable | Checked | FixedCaption},
    {Command::English, Menu::Languages, nullptr, "N21", 0, "English", 'E', noKey,
     QKeySequence::UnknownKey, Checkable | FixedCaption},
    {Command::AppearanceSystem, Menu::Appearance, nullptr, "AppearanceSystemItem", 0,
     QT_TRANSLATE_NOOP("zev::MainWindow", "System"), 'S', noKey, QKeySequence::UnknownKey,
     Checkable | Checked},
    {Command::AppearanceLight, Menu::Appearance, nullptr, "AppearanceLightItem", 0,
     QT_TRANSLATE_NOOP("zev::MainWindow", "Light"), 'L', noKey, QKeySequence::UnknownKey,
     Checkable},
    {Command::AppearanceDark, Menu::Appearance, nullptr, "AppearanceDarkItem", 0,
     QT_TRANSLATE_NOOP("zev::MainWindow", "Dark"), 'D', noKey, QKeySequence::UnknownKey, Checkable},
    {Command::BackupBeforeWrite, Menu::Options, "", "BackupBeforeWrite", 0,
     QT_TRANSLATE_NOOP("zev::MainWindow", "Back up the radio before writing"), 'B', noKey,
     QKeySequence::UnknownKey, Checkable | Checked},
    {Command::VerifyAfterWrite, Menu::Options, nullptr, "VerifyAfterWrite", 0,
     QT_TRANSLATE_NOOP("zev::MainWindow", "Verify after writing"), 'V', noKey,
     QKeySequence::UnknownKey, Checkable | Checked},

    // Help contents has no help to show.
    {Command::HelpContents, Menu::Help, nullptr, "N14", TextId::HelpContentsMenu, nullptr, 'C'},
    {Command::About, Menu::Help, "N15", "N16", TextId::AboutCommand, nullptr, 'A'},
};
static_assert(std::size(commandRows) == CommandCount);

struct ToolButtonRow {
    int dividersBefore;
    const char* name;
    const char* picture; // in the icons folder
    int hintId;          // 0: none of the packs; a port button shows its device instead
    Command command;
};

constexpr ToolButtonRow toolButtonRows[] = {
    {1, "ToolButton2", "new", TextId::NewHint, Command::New},
    {0, "ToolButton3", "open", TextId::OpenHint, Command::Open},
    {0, "ToolButton4", "save", TextId::SaveHint, Command::Save},
    {2, "ToolButton6", "read", TextId::ReadHint, Command::Read},
    {0, "ToolButton8", "write", TextId::WriteHint, Command::Write},
    {2, "ToolButton18", "channels", TextId::ChannelEditHint, Command::ChannelEdit},
    {0, "ToolButton19", "options", TextId::FunctionOptionsHint, Command::FunctionOptions},
    {0, "ToolButton22", "power", TextId::PowerAdjustHint, Command::PowerAdjust},
    {2, "ToolButton31", "com1", 0, Command::Com1},
    {0, "ToolButton32", "com2", 0, Command::Com2},
    {0, "ToolButton33", "com3", 0, Command::Com3},
    {0, "ToolButton34", "com4", 0, Command::Com4},
};

int portOf(Command command) {
    const int offset = static_cast<int>(command) - static_cast<int>(Command::Com1);
    return offset >= 0 && offset < 4 ? offset + 1 : 0;
}

QKeySequence shortcutOf(const CommandRow& row) {
    if (row.standardKey != QKeySequence::UnknownKey)
        return QKeySequence(row.standardKey);
    if (row.key.key() != Qt::Key_unknown)
        return QKeySequence(row.key);
    return QKeySequence();
}

QString captionOf(const CommandRow& row) {
    if (row.textId > 0)
        return builtinText(row.textId);
    if (row.flags & FixedCaption)
        return QString::fromUtf8(row.ownText);
    return QString(); // worded with the language of the messages
}

} // namespace

MainCommands::MainCommands(QMainWindow& window) {
    createMenus(window);
    createToolBar(window);
    wordOwnCommands();
    markMenuLetters();
}

QAction* MainCommands::portItem(int number) const {
    return item(static_cast<Command>(static_cast<int>(Command::Com1) + number - 1));
}

void MainCommands::createMenus(QMainWindow& window) {
    QMenuBar* bar = window.menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    for (const MenuRow& row : menuRows) {
        QWidget* parent = row.parent == Menu::Bar
                              ? static_cast<QWidget*>(&window)
                              : static_cast<QWidget*>(m_menus[static_cast<int>(row.parent)]);
        auto* menu = new QMenu(row.textId > 0 ? builtinText(row.textId) : QString(), parent);
        menu->setObjectName(QLatin1String(row.name));
        m_menus[static_cast<int>(row.menu)] = menu;
        if (row.parent != Menu::Bar)
            m_menus[static_cast<int>(row.parent)]->addMenu(menu);
    }
    m_portMenu = m_menus[static_cast<int>(Menu::Ports)];

    for (const CommandRow& row : commandRows) {
        QMenu* menu = m_menus[static_cast<int>(row.menu)];
        if (row.dividerBefore)
            menu->addSeparator()->setObjectName(QLatin1String(row.dividerBefore));
        auto* item = new QAction(captionOf(row), menu);
        item->setObjectName(QLatin1String(row.name));
        item->setShortcut(shortcutOf(row));
        if (row.flags & RowShortcut)
            item->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        item->setCheckable(row.flags & Checkable);
        item->setChecked(row.flags & Checked);
        menu->addAction(item);
        m_items[static_cast<int>(row.command)] = item;
    }

    for (const MenuRow& row : menuRows) {
        if (row.parent == Menu::Bar)
            bar->addMenu(m_menus[static_cast<int>(row.menu)]);
    }

    // One appearance at a time.
    auto* appearances = new QActionGroup(m_menus[static_cast<int>(Menu::Appearance)]);
    for (Command command :
         {Command::AppearanceSystem, Command::AppearanceLight, Command::AppearanceDark})
        appearances->addAction(item(command));
}

void MainCommands::createToolBar(QMainWindow& window) {
    auto* toolBar = new QToolBar(&window);
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(30, 30));
    toolBar->toggleViewAction()->setVisible(false);
    window.setContextMenuPolicy(Qt::NoContextMenu);
    window.addToolBar(Qt::TopToolBarArea, toolBar);
    const auto addDividers = [toolBar](int count) {
        for (int i = 0; i < count; ++i)
            toolBar->addSeparator();
    };

    for (const ToolButtonRow& row : toolButtonRows) {
        addDividers(row.dividersBefore);
        auto* button = new QToolButton(toolBar);
        button->setObjectName(QLatin1String(row.name));
        button->setIcon(
            legibleIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(row.picture))));
        button->setIconSize(QSize(30, 30));
        button->setFixedSize(37, 36);
        button->setAutoRaise(true);
        if (row.hintId > 0) {
            button->setToolTip(builtinText(row.hintId));
            button->setAccessibleName(builtinText(row.hintId));
        }
        toolBar->addWidget(button);
        if (const int port = portOf(row.command)) {
            // A port button selects its port itself, as the port selection has it. Its tip,
            // the device behind the port, is what a screen reader describes it with.
            button->setCheckable(true);
            button->setAccessibleName(QStringLiteral("COM%1").arg(port));
            m_portButtons[port - 1] = button;
            continue;
        }
        QAction* shared = item(row.command);
        QObject::connect(button, &QToolButton::clicked, shared, &QAction::trigger);
        button->setEnabled(shared->isEnabled());
        QObject::connect(shared, &QAction::enabledChanged, button, &QToolButton::setEnabled);
    }
    addDividers(2);

    auto* modelPanel = new QWidget(toolBar);
    modelPanel->setObjectName(QStringLiteral("Panel7"));
    auto* layout = new QHBoxLayout(modelPanel);
    layout->setContentsMargins(4, 0, 4, 0);
    auto* label = new QLabel(builtinText(TextId::ModelLabel), modelPanel);
    label->setObjectName(QStringLiteral("Label1"));
    m_modelLabel = label;
    m_modelSelector = new QComboBox(modelPanel);
    m_modelSelector->setObjectName(QStringLiteral("ComboBox1"));
    m_modelSelector->setEditable(false);
    m_modelSelector->setFixedWidth(113);
    // The label names the selector for screen readers, and its letter reaches it.
    label->setBuddy(m_modelSelector);
    layout->addWidget(label);
    layout->addWidget(m_modelSelector);
    toolBar->addWidget(modelPanel);
    addDividers(2);
}

void MainCommands::wordOwnCommands() {
    for (const MenuRow& row : menuRows) {
        if (row.ownTitle)
            m_menus[static_cast<int>(row.menu)]->setTitle(
                QCoreApplication::translate(windowContext, row.ownTitle));
    }
    for (const CommandRow& row : commandRows) {
        if (row.ownText && !(row.flags & FixedCaption))
            item(row.command)->setText(QCoreApplication::translate(windowContext, row.ownText));
    }
}

void MainCommands::markMenuLetters() {
    for (const MenuRow& row : menuRows) {
        QMenu* menu = m_menus[static_cast<int>(row.menu)];
        menu->setTitle(withMnemonic(menu->title(), QLatin1Char(row.letter)));
    }
    for (const CommandRow& row : commandRows) {
        QAction* action = item(row.command);
        action->setText(withMnemonic(action->text(), QLatin1Char(row.letter)));
    }
    m_modelLabel->setText(withMnemonic(m_modelLabel->text(), QLatin1Char('M')));
}

} // namespace zev
