#pragma once
// The main window's commands as one table: a row per command with the names and texts its
// controls show, where they sit (menu, toolbar, tree popup, right panel), when the command is
// enabled, whether it may run while a pass lets window messages through, and its handler.
// The window makes its actions, menus, toolbars, popups, panel buttons, enabling rules and pass
// rule from the rows, so adding a command is adding a row and its handler.

#include "icons.h"

#include <QKeyCombination>

#include <cstdint>
#include <optional>
#include <span>

namespace dialoscope {

class TForm1;

// One value per row, in the table's order, which is also the order within each menu and toolbar.
// A new command goes where its control goes; the events stay last (CommandCount counts up to
// the last of them).
enum class TCommand : std::uint8_t {
    Load,
    OpenProject,
    CloseProject,
    Save,
    TreeSave,
    Analyze,
    BuildDialogTree,
    ExportStrings,
    ExportVoiceScript,
    ImportTranslation,
    UndoImport,
    Exit,
    FindMsg,
    FindNode,
    RunChecks,
    CompareOriginal,
    CompareSince,
    ExpandAll,
    CollapseAll,
    ShowToolbar,
    ShowProblems,
    ShowProject,
    ShowPlay,
    ShowMap,
    ShowTexts,
    About,
    ExpandGeneralView,
    CollapseGeneralView,
    ExpandDialogsTree,
    CollapseDialogsTree,
    ProjectOriginal,
    ShowProjectScript,
    Test1,
    Button5,
    SelectNode,
    ShowFinding,
};
inline constexpr std::size_t CommandCount = static_cast<std::size_t>(TCommand::ShowFinding) + 1;

// When the command's action is enabled. Once enabled, it is never disabled again.
enum class TEnabledWhen : std::uint8_t {
    Always,
    Loaded,  // by a Load that read all three files
    Analysed // by an Analyze that ran to its end
};

// What the command does while a pass (Analyze, Build Dialog Tree, a project run) is running.
enum class TDuringPass : std::uint8_t {
    Runs,
    Refused // it would write the output pane or a tree, or save them: a status note says so
};

enum class TMenuPlace : std::uint8_t {
    None,
    File,
    Edit,
    Search,
    View,
    Help,
    GeneralViewPopup,
    DialogsTreePopup
};
enum class TToolbarPlace : std::uint8_t { None, Standard, View };

// A separator goes before a row that starts a group, unless the row comes first in its menu or
// toolbar.
enum class TGroup : std::uint8_t { Continues, Starts };

enum class TCheckMark : std::uint8_t { None, Checked, Unchecked };

// Where the action comes from: made for the row, or the toggle of a dock the window registered
// for the row (its dock's own show/hide action, which follows the dock).
enum class TActionSource : std::uint8_t { Own, DockToggle };

enum class TPanelButton : std::uint8_t { None, Shown, Hidden };

struct TWindowCommand {
    TCommand Id;
    // How the status note names the command when a pass refuses it: "Find Msg".
    const char* Name;
    // The action's object name (the name the tests use); null for a command without an action
    // (a panel button of its own, or an event such as a tree selection).
    const char* ActionName = nullptr;
    const char* Caption = "";
    const char* Hint = ""; // empty: the toolbar button shows no hint at all
    QKeyCombination Shortcut = QKeyCombination::fromCombined(0);
    std::optional<TToolPicture> Picture = std::nullopt;
    TCheckMark Check = TCheckMark::None;
    TActionSource Source = TActionSource::Own;
    TEnabledWhen Enabled = TEnabledWhen::Always;
    TDuringPass Pass = TDuringPass::Refused; // most commands write the pane or a tree
    TMenuPlace Menu = TMenuPlace::None;
    TToolbarPlace Toolbar = TToolbarPlace::None;
    TGroup Group = TGroup::Continues;
    // A push button of the right panel running the same handler. It is usable from the start,
    // whatever the action's enabling says.
    TPanelButton Button = TPanelButton::None;
    const char* ButtonName = nullptr;
    const char* ButtonCaption = nullptr;
    // Null for a dock toggle and for an event row, whose handler takes arguments.
    void (TForm1::*Handler)() = nullptr;
};

// Every row, in TCommand order.
std::span<const TWindowCommand> WindowCommands();
const TWindowCommand& CommandRow(TCommand command);

} // namespace dialoscope
