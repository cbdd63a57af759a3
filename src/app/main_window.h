#pragma once
// TForm1: the main window. It owns the workspace (scanner, loaded input, analysis tables, trees)
// for the whole run, shows it through its panes, and runs every command through one wrapper
// that shows an error in the application-wide error box and then brings the panes up to date.

#include "display_code_page.h"

#include "analysis/workspace.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QToolBar;
class QTreeView;

namespace dialoscope {

class TCaptionDisplay;
class TForm2;
class TOutlineModel;
class TOutputPane;
class TProblemsPane;
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

    // Load of a file as if the user had confirmed it in the Load dialog.
    void LoadFile(const QString& path);

    TWorkspace& Workspace() { return *Ws_; }
    TOutputPane& OutputPane() { return *Richedit_; }
    QTreeView& GeneralViewTree() { return *TreeView1_; }
    QTreeView& DialogsTreeView() { return *TreeView2_; }
    TForm2& AboutBox() { return *Form2_; }
    TProblemsPane& ProblemsPane() { return *Problems_; }
    TCaptionDisplay& CaptionDisplay() { return *Display_; }
    // True while Analyze or Build Dialog Tree runs (window messages still get through).
    bool PassRunning() const { return PassRunning_; }
    // How many error boxes were shown so far (the smoke test's state dump reports it).
    int ErrorBoxCount() const { return ErrorBoxCount_; }

    // The command handlers.
    void mnLoadClick();
    void sbRestartClick();
    void Button4Click();
    void Button2Click();
    void Button3Click();
    void Button1Click();
    void Button5Click();
    void TreeView1Change(const QModelIndex& current);
    void SpeedButton2Click();
    void butSTreeClick();
    void ExpandAll3Click();
    void CollapseAll2Click();
    void ExpandAll2Click();
    void CollapseAll1Click();
    void ExpandAll1Click();
    void ColapseAll1Click();
    void N111Click();
    void Toolbar971Close();
    void butAboutClick();
    void SpeedButton3Click();
    void ShowMessageTextsClick();
    void CodePageClick(TDisplayCodePage page);
    void RunChecksClick();
    // Asks for the original message file the script's message file translates, then runs the
    // checks with the translation comparison. The original stays chosen until another script
    // is loaded.
    void CompareOriginalClick();
    // Shows where a finding of the Problems pane is: its node in the General View (the pane
    // then shows the node's source) or its line in the file, in the output pane.
    void ShowFinding(const TFinding& finding);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void CreateActions();
    void CreateMenus();
    void CreateToolbars();
    void CreateStatusBar();
    void CreateProblemsPane();
    QMenu* CreateCodePageMenu();
    QWidget* CreateRightPanel();
    QWidget* CreateCentre();
    QTreeView* CreateTree(const QString& name, TOutlineModel* model, QAction* expand,
                          QAction* collapse);

    // Runs one command: an error ends it in the error box; the panes catch up afterwards.
    void RunCommand(const std::function<void()>& work);
    // As RunCommand, for the long passes that let window messages through.
    void RunPass(const std::function<void()>& work);
    void CatchUp();
    void AfterCommand();
    void ApplyEnablingRules();
    void ShowErrorBox(const QString& text);
    void TakeSavePresets();
    QTreeView* ActiveTree() const;
    void CollapseAll(QTreeView& tree);
    void UpdateClock();
    void ShowCaptionsAfresh();
    void RunChecks();
    std::vector<TFinding> CollectFindings() const;
    bool SelectNodeOf(const TFinding& finding);
    void ShowFileLine(const TFinding& finding);
    void SelectPaneLine(int line);

    std::unique_ptr<TUserDialogs> Dialogs_;
    std::unique_ptr<TWindowPort> Port_;
    std::unique_ptr<TWorkspace> Ws_;
    std::unique_ptr<TCaptionDisplay> Display_;

    // One action per command, shared by menu and toolbar.
    QAction* butLoad_ = nullptr;
    QAction* butSave_ = nullptr;
    QAction* butSTree_ = nullptr;
    QAction* butAnalyze_ = nullptr;
    QAction* butTree_ = nullptr;
    QAction* butSearch_ = nullptr;
    QAction* butProp_ = nullptr;
    QAction* butExp_ = nullptr;
    QAction* butCol_ = nullptr;
    QAction* butAbout_ = nullptr;
    QAction* Exit_ = nullptr;
    QAction* N111_ = nullptr;
    QAction* ShowTexts_ = nullptr;
    QAction* butCheck_ = nullptr;
    QAction* butOriginal_ = nullptr;
    QActionGroup* CodePages_ = nullptr;

    QToolBar* Toolbar971_ = nullptr;
    QToolBar* Toolbar972_ = nullptr;
    QLabel* RzClockStatus1_ = nullptr;
    QProgressBar* RzProgressBar1_ = nullptr;
    std::array<QLabel*, 5> Counters_{};
    QSpinBox* LMDSpinEdit1_ = nullptr;
    QLineEdit* Edit1_ = nullptr;
    QSplitter* Splitter_ = nullptr;
    QTabWidget* PageControl1_ = nullptr;
    QWidget* TabSheet1_ = nullptr;
    QTreeView* TreeView1_ = nullptr;
    QTreeView* TreeView2_ = nullptr;
    TOutlineModel* GeneralModel_ = nullptr;
    TOutlineModel* DialogsModel_ = nullptr;
    TOutputPane* Richedit_ = nullptr;
    TForm2* Form2_ = nullptr;
    TProblemsPane* Problems_ = nullptr;

    // The names the save dialogs propose: Load presets them, a confirmed dialog keeps its path.
    QString SaveDialog1Path_;
    QString SaveDialog2Path_;

    // What the checks can rely on: the script as Load read it, and how its last Analyze ended.
    enum class TAnalysis : std::uint8_t { NotRun, Complete, Stopped };
    std::string ScriptPath_;
    TAnalysis Analysis_ = TAnalysis::NotRun;
    std::string AnalyzeError_;
    // The original message file chosen for the translation comparison, none when null.
    std::unique_ptr<TLineStore> Original_;
    std::string OriginalPath_;
    // The file the output pane shows for a finding, and the pane's revision then: the same
    // file is not filled in again while the pane stays unchanged.
    int PaneFileSource_ = -1;
    int PaneFileRevision_ = -1;

    bool PassRunning_ = false;
    bool SplitterPlaced_ = false;
    int CommandDepth_ = 0;
    int ErrorBoxCount_ = 0;
};

} // namespace dialoscope
