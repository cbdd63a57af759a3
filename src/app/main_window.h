#pragma once
// TForm1: the main window. It owns the workspace (scanner, loaded input, analysis tables, trees)
// for the whole run, shows it through its panes, and runs every command through one wrapper
// that shows an error in the application-wide error box and then brings the panes up to date.

#include "display_code_page.h"
#include "window_commands.h"

#include "analysis/workspace.h"
#include "exchange/export_scripts.h"
#include "exchange/import_translation.h"
#include "exchange/voice_script.h"
#include "pipeline/analysed_script.h"

#include <QMainWindow>
#include <QPersistentModelIndex>

#include <array>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QDockWidget;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QSettings;
class QShortcut;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QTimer;
class QToolBar;
class QTreeView;

namespace dialoscope {

class TCaptionDisplay;
class TDialogFolders;
class TCodePageBar;
class TFileViewer;
class TForm2;
class TOutlineModel;
class TOutputPane;
class TDialogMapPane;
class TPlayPane;
class TProblemsPane;
class TProjectPane;
struct TWindowProject;
class TUserDialogs;
class TWindowPort;
struct TFinding;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int StartWidth = 574;
    static constexpr int StartHeight = 479;
    static constexpr int SplitterStart = 292;
    static constexpr int PanelWidth = 146;

    explicit TForm1(std::unique_ptr<TUserDialogs> dialogs, QWidget* parent = nullptr);
    ~TForm1() override;

    // Takes up what earlier runs left in settings (size and dock layout, recent files, each file
    // dialog's folder, the code page) and leaves them there when the window closes. Before
    // show(). Without it the window remembers nothing beyond the run.
    void UseSettings(std::unique_ptr<QSettings> settings);
    QMenu& RecentFilesMenu() { return *RecentMenu_; }

    // Load of a file as if the user had confirmed it in the Load dialog.
    void LoadFile(const QString& path);
    // As if the user pressed the command's control: nothing happens while it is disabled.
    void Trigger(TCommand command);

    // Runs a long job that lets window messages through (Analyze, Build Dialog Tree, a project
    // run) as a command. While it runs, the commands the table refuses during a pass are not
    // run, and the status bar says so naming passName ("Analyze is running: ...").
    void RunPass(const QString& passName, const std::function<void()>& work);
    bool PassRunning() const { return !RunningPass_.isEmpty(); }
    // Shows a short note in the status bar's text pane for a few seconds.
    void ShowStatusNote(const QString& text);
    QString StatusNote() const;

    TWorkspace& Workspace() { return *Ws_; }
    TOutputPane& OutputPane() { return *Richedit_; }
    QTreeView& GeneralViewTree() { return *TreeView1_; }
    QTreeView& DialogsTreeView() { return *TreeView2_; }
    TForm2& AboutBox() { return *Form2_; }
    TProblemsPane& ProblemsPane() { return *Problems_; }
    TPlayPane& PlayPane() { return *Play_; }
    TDialogMapPane& DialogMap() { return *Map_; }
    TFileViewer& MessageFileViewer() { return *MessageViewer_; }
    TCaptionDisplay& CaptionDisplay() { return *Display_; }
    TProjectPane& ProjectPane() { return *ProjectPane_; }
    TCodePageBar& CodePageBar() { return *CodePageBar_; }
    // Open Project of a list as if the user had confirmed it in the dialog.
    void OpenProjectFile(const QString& path);
    // Esc during a run beside the event loop (a project run, Export Strings, Import
    // Translation): the run ends early and, for the exchange, writes nothing.
    void CancelBackgroundRun();
    QAction* ActionOf(TCommand command) const { return Actions_[Index(command)]; }
    // How many error boxes were shown so far (the smoke test's state dump reports it).
    int ErrorBoxCount() const { return ErrorBoxCount_; }

    // The command handlers, each named in its row of the command table (window_commands.cpp).
    // Those the table refuses during a pass start by asking MayRun.

    // Load (Ctrl+L): asks for a script, then reads it, its message file and scripts.lst.
    void mnLoadClick();
    // Analize (F4): the token listing in the pane, the counters and the General View.
    void sbRestartClick();
    // Build Dialog Tree (F5): fills the Dialogs Tree; says so when its tab is not shown.
    void Button4Click();
    // Find Msg, Search Msg: lists the nodes that use the spin box's message number.
    void Button2Click();
    // Find Node, Script Properties: shows the node named in the edit field and its calls.
    void Button3Click();
    // Test1 (never shown): a diagnostic listing of the node table.
    void Button1Click();
    // Button5 (never shown): a diagnostic listing of the message table.
    void Button5Click();
    // A General View selection: the pane shows the selected node's source.
    void TreeView1Change(const QModelIndex& current);
    // Save (Ctrl+S): writes the pane's lines to a file.
    void SpeedButton2Click();
    // Tree Save (Ctrl+Alt+S): writes the active tab's tree to a file.
    void butSTreeClick();
    // Expand All (View menu, toolbar): expands every item of the active tab's tree.
    void ExpandAll3Click();
    // Collapse All (View menu, toolbar): collapses every item of the active tab's tree.
    void CollapseAll2Click();
    // Expand All (General View popup).
    void ExpandAll2Click();
    // Collapse All (General View popup).
    void CollapseAll1Click();
    // Expand All (Dialogs Tree popup).
    void ExpandAll1Click();
    // Collapse All (Dialogs Tree popup).
    void ColapseAll1Click();
    // Show Toolbar: hides or shows the "Standart ToolBar"; the check mark follows.
    void N111Click();
    // The floating "Standart ToolBar" closed with its close box: Show Toolbar loses its check.
    void Toolbar971Close();
    // About (F1): shows the About box, or brings it to the front.
    void butAboutClick();
    // Exit: closes the window (after a running pass has ended).
    void SpeedButton3Click();
    // Show Message Texts: tree captions with or without the texts of their messages.
    void ShowMessageTextsClick();
    // Code Page: the pane, captions, counters and findings shown in another code page.
    void CodePageClick(TDisplayCodePage page);
    // Run Checks (F6): the Problems pane opens with the checks' findings.
    void RunChecksClick();
    // Compare with Original (Shift+F6): asks for the original message file the script's message
    // file translates, then runs the checks with the translation comparison. The original stays
    // chosen until another script is loaded.
    void CompareOriginalClick();
    // Search > Compare with Older Original: the Problems pane adds a changed-source finding for
    // each original text that differs from the older original chosen.
    void CompareSinceClick();
    // Open Project (Ctrl+Shift+O): asks for a scripts.lst and analyses every script it lists in
    // the background; the Project pane shows the rows as they finish.
    void OpenProjectClick();
    // Close Project: the project's rows and findings go; scripts.lst is the program folder's
    // again.
    void CloseProjectClick();
    // Original Folder (Project pane): asks for the folder of the original message files and
    // analyses the project again against them.
    void ProjectOriginalClick();
    // A Project row double-clicked: its script is loaded and analysed as Load and Analyze do.
    void ProjectViewDblClick();
    // Export Strings: the loaded script's strings, or the open project's, as PO, CSV or XLSX.
    void ExportStringsClick();
    // Export Voice Script: the spoken lines of the loaded script or the open project by speaker,
    // as XLSX, CSV or Fountain.
    void ExportVoiceScriptClick();
    // Import Translation: a PO or CSV file into a message file, after showing what would change.
    void ImportTranslationClick();
    // Undo Import (Edit menu): the message file the last import wrote, as it was before it.
    void UndoImportClick();
    // A Problems finding of a project run activated: its script is loaded, then its place shown.
    void ShowProjectFinding(std::size_t script, const TFinding& finding);
    // A Problems finding activated: its node in the General View (the pane shows the node's
    // source), its script line in the pane, or its message-file line in the message file viewer.
    void ShowFinding(const TFinding& finding);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    static std::size_t Index(TCommand command) { return static_cast<std::size_t>(command); }

    static std::string ProgramScriptsLst();
    void CreateDocks();
    // The Project pane's button, the Esc of a project run and the code-page bar; after
    // CreateActions.
    void CreateProjectControls();
    // Registers a dock whose show/hide action is the row toggle's action; before CreateActions.
    void AddDock(TCommand toggle, QDockWidget* dock, Qt::DockWidgetArea area);
    void CreateActions();
    QAction* NewAction(const TWindowCommand& row);
    void CreateMenus();
    // File > Recent Files: scripts and projects, the latest first (main_window_settings.cpp).
    void CreateRecentFilesMenu(QMenu* file);
    void AddRecentFile(const QString& path);
    void ShowRecentFiles();
    void OpenRecentFile(const QString& path);
    void SaveSettings();
    // A side dock shown for the first time gets a third of the window's width, not its own
    // narrow size hint.
    void WidenOnFirstShow(QDockWidget* dock);
    void CreateToolbars();
    void AddCloseBox(QToolBar* toolbar);
    void CreateStatusBar();
    QMenu* CreateCodePageMenu();
    QWidget* CreateRightPanel();
    QPushButton* NewPanelButton(TCommand command);
    QWidget* CreateCentre();
    QTreeView* CreateTree(const QString& name, TOutlineModel* model, TMenuPlace popup,
                          const QString& popupName);
    // Fills a menu or toolbar with the actions of the rows placed there, in table order.
    template <typename TBar, typename TPlace>
    void AddRowsTo(TBar* bar, TPlace TWindowCommand::*place, TPlace where);

    // False, with a status note, when a pass is running and the table refuses the command then.
    bool MayRun(TCommand command);
    // Runs one command: an error ends it in the error box; the panes catch up afterwards. True
    // when work ran to its end.
    bool RunCommand(const std::function<void()>& work);
    void CatchUp();
    // The loaded script's caption, and the open project's list after it.
    QString WindowTitle() const;
    void AfterCommand();
    void ApplyEnablingRules();
    // The names of the loaded script: a Load that fails puts them back.
    struct TLoadedNames {
        std::string Caption;
        std::string IntFileName;
        std::string OutputPreset;
        std::string TreePreset;
        QString SaveDialog1Path;
        QString SaveDialog2Path;
    };
    TLoadedNames LoadedNames() const;
    void PutBack(const TLoadedNames& names);
    QTreeView* ActiveTree() const;
    void UpdateClock();
    void ShowCaptionsAfresh();
    void RunChecks();
    std::vector<TFinding> CollectFindings() const;
    bool SelectNodeOf(const TFinding& finding);
    void ShowScriptLine(int line);
    void ShowMessageFileLine(const TFinding& finding);
    void NameStoppedMessageLine();
    // The Play and Dialog Map panes (main_window_panes.cpp): made with the docks, told when the
    // script changes.
    void CreateViewPanes();
    std::int32_t SelectedNode() const;
    void PanesForgetScript();
    void PanesAnalysed();
    void PanesRedecode();
    // Selects and shows the node's top-level item of the General View; false when it has none.
    bool SelectGeneralViewNode(std::int32_t node);
    void ShowChecksOfScript();
    // Asks for an original message file under title and reads it into store; false when the
    // user cancelled or it could not be read, and then store keeps the earlier one.
    bool ReadChosenOriginal(const QString& title, std::unique_ptr<TLineStore>& store,
                            std::string& storePath);
    void ForgetScriptFindings();
    void RunProjectInBackground();
    // Runs job beside the event loop as the pass passName, Esc setting cancel meanwhile; false
    // when it did not end (an error box was shown, or the window closed).
    bool RunInBackground(const QString& passName, std::atomic<bool>& cancel,
                         const std::function<void()>& job);
    // Runs job, the analysis and writing of request's export, beside the event loop as passName:
    // the bar shows how far the analysis is, Esc cancels it, and its messages are shown once it
    // has ended. True when it ended and job wrote its file.
    bool RunExportJob(const QString& passName, TExportRequest& request,
                      const std::function<bool(const std::atomic<bool>& cancel)>& job);
    // analysed: the loaded script's last complete Analyze, which the export reads instead of the
    // request's files; null: the files are loaded and analysed.
    void ExportInBackground(TExportRequest request, TSharedScript analysed, const QString& path,
                            std::size_t leftOut);
    bool ImportInBackground(const TImportOptions& options, TImportSummary& summary);
    void VoiceInBackground(TExportRequest request, const TVoiceOptions& options,
                           const QString& path);
    // The scope of Export Strings the user picks when both a script and a project are there; None
    // when the user chose nothing.
    enum class TExportScope : std::uint8_t { None, LoadedScript, Project };
    TExportScope ChooseExportScope(TExportRequest& request, std::size_t& leftOut,
                                   QString& proposed);
    void ShowProjectChecks();
    void LoadAndAnalyzeProjectScript(std::size_t script);
    void ShowFileLine(const TFinding& finding);
    // A changed original's finding: the viewer marks the words added since the older original.
    void MarkAddedWords(const TLineStore& lines, const TFinding& finding);
    void OfferDetectedCodePage();
    std::string ChosenCodePageName() const;

    std::unique_ptr<TUserDialogs> Dialogs_;
    TDialogFolders* Folders_ = nullptr; // Dialogs_ itself, which remembers each one's folder
    std::unique_ptr<QSettings> Settings_;
    QMenu* RecentMenu_ = nullptr;
    QStringList RecentFiles_;
    std::unique_ptr<TWindowPort> Port_;
    std::unique_ptr<TWorkspace> Ws_;
    std::unique_ptr<TCaptionDisplay> Display_;

    // One action per command row that has one, shared by menu, toolbar and popup; null for
    // the others.
    std::array<QAction*, CommandCount> Actions_{};
    // The docks whose toggles are rows of the table.
    std::map<TCommand, QDockWidget*> Docks_;
    QActionGroup* CodePages_ = nullptr;

    QToolBar* Toolbar971_ = nullptr;
    QToolBar* Toolbar972_ = nullptr;
    QLabel* RzClockStatus1_ = nullptr;
    QLabel* RzStatusPane1_ = nullptr;
    QTimer* NoteTimer_ = nullptr;
    QProgressBar* RzProgressBar1_ = nullptr;
    std::array<QLabel*, 5> Counters_{};
    QSpinBox* LMDSpinEdit1_ = nullptr;
    QLineEdit* Edit1_ = nullptr;
    QSplitter* Splitter_ = nullptr;
    QTabWidget* PageControl1_ = nullptr;
    QTreeView* TreeView1_ = nullptr;
    QTreeView* TreeView2_ = nullptr;
    TOutlineModel* GeneralModel_ = nullptr;
    TOutlineModel* DialogsModel_ = nullptr;
    TOutputPane* Richedit_ = nullptr;
    TForm2* Form2_ = nullptr;
    TProblemsPane* Problems_ = nullptr;
    TFileViewer* MessageViewer_ = nullptr;
    TPlayPane* Play_ = nullptr;
    TDialogMapPane* Map_ = nullptr;
    TProjectPane* ProjectPane_ = nullptr;
    TCodePageBar* CodePageBar_ = nullptr;
    QShortcut* CancelKey_ = nullptr;
    // The message file the last import wrote, as it was before, while this window is open.
    struct TImportUndo {
        std::string Path;
        std::string Bytes;
    };
    std::optional<TImportUndo> ImportUndo_;
    // What Esc sets while a run goes on beside the event loop; null otherwise.
    std::atomic<bool>* RunCancel_ = nullptr;

    // The open project and its last run; null when none is open.
    std::unique_ptr<TWindowProject> Project_;

    // The names the save dialogs propose: Load presets them, a confirmed dialog keeps its path.
    QString SaveDialog1Path_;
    QString SaveDialog2Path_;

    // What the checks can rely on: the script as Load read it, and how its last Analyze ended.
    enum class TAnalysis : std::uint8_t { NotRun, Complete, Stopped };
    std::string ScriptPath_;
    TAnalysis Analysis_ = TAnalysis::NotRun;
    // What work beside the window reads of the script (the Play and Dialog Map panes, Export
    // Strings): a copy published after each complete Analyze, which no command changes; null
    // from the next Load or Analyze on.
    TSharedScript Analysed_;
    // An import or its undo rewrote the loaded script's message file since Load read it: Export
    // Strings then reads the files again rather than export texts the file no longer holds.
    bool MessagesRewritten_ = false;
    std::string AnalyzeError_;
    // The original message file chosen for the translation comparison, none when null.
    std::unique_ptr<TLineStore> Original_;
    std::string OriginalPath_;
    // The older original the translation was made from (Compare with Older Original).
    std::unique_ptr<TLineStore> Since_;
    std::string SincePath_;
    // The pane's revision when it was filled with the script for a finding, -1 when it was not:
    // the script is not filled in again while the pane stays unchanged.
    int PaneScriptRevision_ = -1;
    // The General View item whose source the pane shows: a selection refused during a pass
    // goes back to it.
    QPersistentModelIndex ShownNode_;
    bool RestoringSelection_ = false;

    // The pass running now ("Analyze"), empty when none.
    QString RunningPass_;
    bool SplitterPlaced_ = false;
    int CommandDepth_ = 0;
    int ErrorBoxCount_ = 0;
};

} // namespace dialoscope
