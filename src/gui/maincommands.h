#pragma once

#include <array>

class QAction;
class QComboBox;
class QLabel;
class QMainWindow;
class QMenu;
class QToolButton;

namespace zev {

// The commands of the main window's menus, in menu order.
enum class Command {
    New,
    NewFromStock,
    Open,
    Save,
    ExportCsv,
    ImportCsv,
    Print,
    ExportPdf,
    WriteHistory,
    Close,
    Read,
    Write,
    WriteSeveral,
    Compare,
    Undo,
    Redo,
    ChannelEdit,
    CopyRows,
    PasteRows,
    SetForRows,
    FillFrequencies,
    FunctionOptions,
    PowerAdjust,
    Com1,
    Com2,
    Com3,
    Com4,
    PortDevices,
    Chinese,
    English,
    AppearanceSystem,
    AppearanceLight,
    AppearanceDark,
    BackupBeforeWrite,
    VerifyAfterWrite,
    HelpContents,
    About,
};
inline constexpr int CommandCount = static_cast<int>(Command::About) + 1;

// The main window's menu bar and toolbar, built from one table of its commands: each command's
// name, caption, shortcut and keyboard letter live there once. What a command does is the
// window's business; a toolbar button and its menu item share one command.
class MainCommands {
public:
    explicit MainCommands(QMainWindow& window);

    QAction* item(Command command) const { return m_items[static_cast<int>(command)]; }
    // COM1 to COM4.
    QAction* portItem(int number) const;
    QToolButton* portButton(int number) const { return m_portButtons[number - 1]; }
    QMenu* portMenu() const { return m_portMenu; }
    QComboBox* modelSelector() const { return m_modelSelector; }

    // The commands that no language pack words: their texts in the language of the messages.
    void wordOwnCommands();
    // The keyboard letter of each menu and command, and of the model selector's label (Alt+M
    // takes the keyboard to the selector, which Tab does not reach), for captions that come
    // without one.
    void markMenuLetters();

private:
    void createMenus(QMainWindow& window);
    void createToolBar(QMainWindow& window);

    std::array<QAction*, CommandCount> m_items{};
    std::array<QMenu*, 7> m_menus{};
    std::array<QToolButton*, 4> m_portButtons{};
    QMenu* m_portMenu = nullptr;
    QComboBox* m_modelSelector = nullptr;
    QLabel* m_modelLabel = nullptr;
};

} // namespace zev
