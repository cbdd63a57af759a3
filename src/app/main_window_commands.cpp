// The command handlers of the main window and the wrapper every command runs in.

#include "main_window.h"

#include "about_box.h"
#include "byte_strings.h"
#include "caption_display.h"
#include "dialog_map_pane.h"
#include "file_viewer.h"
#include "outline_model.h"
#include "output_pane.h"
#include "problems_model.h"
#include "problems_pane.h"
#include "user_dialogs.h"
#include "window_port.h"

#include "analysis/analyze.h"
#include "analysis/errors.h"
#include "analysis/load.h"
#include "dialogtree/dialog_tree.h"
#include "dialogtree/savers.h"
#include "dialogtree/searches.h"
#include "pipeline/script_pipeline.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include <cassert>

namespace dialoscope {

namespace {

const QString LoadFilter = QStringLiteral("Script|*.ipp|All files|*.*");
const QString SaveFilter = QStringLiteral("Text Output|*.txt|All|*.*");
const QString TreeSaveFilter = QStringLiteral("Tree|*.tre|Txt|*.txt|All|*.*");

// Long enough to read a line, short enough not to describe a command long gone.
constexpr int StatusNoteMs = 5000;

bool IsFile(const QString& path) {
    return QFileInfo(path).isFile();
}

} // namespace

bool TForm1::RunCommand(const std::function<void()>& work) {
    if (CommandDepth_ == 0) {
        Port_->BeginCommand();
    }
    ++CommandDepth_;
    QString error;
    bool ended = false;
    try {
        work();
        ended = true;
    } catch (const TCommandAborted&) {
        // The user closed the window during a pass; the close follows below.
    } catch (const std::exception& e) {
        error = QString::fromLocal8Bit(e.what());
    }
    --CommandDepth_;
    AfterCommand();
    if (!error.isEmpty()) {
        ++ErrorBoxCount_;
        Dialogs_->ShowError(this, error);
    }
    if (CommandDepth_ == 0 && Port_->AbortRequested()) {
        Port_->ClearAbort();
        QTimer::singleShot(0, this, &QWidget::close);
    }
    return ended;
}

void TForm1::RunPass(const QString& passName, const std::function<void()>& work) {
    // A pass lets window messages through; a command started from there that writes the pane
    // or a tree would mix its lines into the pass's or clear the data the pass is walking, so
    // MayRun refuses those meanwhile.
    assert(!PassRunning() && "MayRun refuses a pass while another one runs");
    RunningPass_ = passName;
    RunCommand([&] {
        work();
        // A pass shorter than a turn's interval lets no message through on its own; what the
        // user pressed meanwhile is then handled here, under the pass rule, rather than after
        // the pass as if pressed later.
        Port_->Turn();
    });
    RunningPass_.clear();
}

bool TForm1::MayRun(TCommand command) {
    const TWindowCommand& row = CommandRow(command);
    if (!PassRunning() || row.Pass == TDuringPass::Runs) {
        return true;
    }
    ShowStatusNote(QStringLiteral("%1 is running: %2 was not run")
                       .arg(RunningPass_, QString::fromLatin1(row.Name)));
    return false;
}

void TForm1::Trigger(TCommand command) {
    if (QAction* action = ActionOf(command)) {
        action->trigger();
    }
}

void TForm1::ShowStatusNote(const QString& text) {
    RzStatusPane1_->setText(text);
    // The pane may be narrower than the note; the tip shows it whole.
    RzStatusPane1_->setToolTip(text);
    NoteTimer_->start(StatusNoteMs);
}

QString TForm1::StatusNote() const {
    return RzStatusPane1_->text();
}

void TForm1::CatchUp() {
    Richedit_->Flush();
    GeneralModel_->Refresh();
    DialogsModel_->Refresh();
}

void TForm1::AfterCommand() {
    CatchUp();
    setWindowTitle(WindowTitle());
    for (std::size_t i = 0; i < Counters_.size(); ++i) {
        Counters_[i]->setText(Display_->Decode(Ws_->Counters[i]));
    }
    ApplyEnablingRules();
}

void TForm1::ApplyEnablingRules() {
    // Nothing is ever disabled again once enabled.
    for (const TWindowCommand& row : WindowCommands()) {
        QAction* action = ActionOf(row.Id);
        if (action == nullptr) {
            continue;
        }
        const bool enable = row.Enabled == TEnabledWhen::Always ||
                            (row.Enabled == TEnabledWhen::Loaded && Ws_->AnalyzeEnabled) ||
                            (row.Enabled == TEnabledWhen::Analysed && Ws_->AnalysisCommandsEnabled);
        if (enable) {
            action->setEnabled(true);
        }
    }
}

QTreeView* TForm1::ActiveTree() const {
    return PageControl1_->currentWidget() == TreeView1_ ? TreeView1_ : TreeView2_;
}

void TForm1::mnLoadClick() {
    if (!MayRun(TCommand::Load)) {
        return;
    }
    const QString path =
        Dialogs_->AskOpenFileName(this, {LoadFilter, QStringLiteral("ipp"), {}, {}});
    if (path.isEmpty()) {
        return;
    }
    LoadFile(path);
}

TForm1::TLoadedNames TForm1::LoadedNames() const {
    return {Ws_->Caption,        Ws_->IntFileName, Ws_->SaveOutputPreset,
            Ws_->SaveTreePreset, SaveDialog1Path_, SaveDialog2Path_};
}

void TForm1::PutBack(const TLoadedNames& names) {
    Ws_->Caption = names.Caption;
    Ws_->IntFileName = names.IntFileName;
    Ws_->SaveOutputPreset = names.OutputPreset;
    Ws_->SaveTreePreset = names.TreePreset;
    SaveDialog1Path_ = names.SaveDialog1Path;
    SaveDialog2Path_ = names.SaveDialog2Path;
}

void TForm1::LoadFile(const QString& path) {
    if (!MayRun(TCommand::Load)) {
        return;
    }
    const TLoadedNames before = LoadedNames();
    const std::string chosen = PathBytes(path);
    Analysis_ = TAnalysis::NotRun;
    ForgetScriptFindings();
    MessageViewer_->Forget();
    PanesForgetScript();
    std::string unreadable;
    const bool loaded = RunCommand([&] {
        // The buffers stay as far as the failed Load got; the names go back to the script
        // Analyze still analyses, before the title is set from them.
        try {
            LoadScript(*Ws_, chosen);
        } catch (const EFOpenError& error) {
            PutBack(before);
            // Load reads the message file before the script: for a script that is not there,
            // or a folder, it would name a message file the user never chose.
            if (!IsFile(path)) {
                unreadable = chosen;
                throw EFOpenError(chosen);
            }
            unreadable = error.Path;
            throw;
        } catch (...) {
            PutBack(before);
            throw;
        }
        SaveDialog1Path_ = QString::fromLocal8Bit(Ws_->SaveOutputPreset.c_str());
        SaveDialog2Path_ = QString::fromLocal8Bit(Ws_->SaveTreePreset.c_str());
    });
    if (!loaded) {
        if (!unreadable.empty()) {
            const QString stays = ScriptPath_.empty()
                                      ? QStringLiteral("no script is loaded")
                                      : FileNameOf(ScriptPath_) + QStringLiteral(" stays loaded");
            ShowStatusNote(
                QStringLiteral("Load: cannot read %1; %2").arg(FileNameOf(unreadable), stays));
        }
        return;
    }
    if (chosen != ScriptPath_) {
        // The original belongs to the earlier script's message file, the map's search to its
        // nodes.
        Original_.reset();
        OriginalPath_.clear();
        Since_.reset();
        SincePath_.clear();
        Map_->ClearSearch();
    }
    ScriptPath_ = chosen;
    MessagesRewritten_ = false;
    Display_->SetScriptPath(ScriptPath_);
    AddRecentFile(path);
    OfferDetectedCodePage();
}

void TForm1::sbRestartClick() {
    if (!MayRun(TCommand::Analyze)) {
        return;
    }
    Analysis_ = TAnalysis::Stopped;
    AnalyzeError_.clear();
    // Node numbers of earlier findings would point into the new analysis.
    ForgetScriptFindings();
    MessageViewer_->Forget();
    PanesForgetScript();
    bool badNumber = false;
    RunPass(QStringLiteral("Analyze"), [&] {
        try {
            AnalyzeScript(*Ws_);
        } catch (const std::exception& error) {
            AnalyzeError_ = error.what();
            badNumber = dynamic_cast<const EConvertError*>(&error) != nullptr;
            throw;
        }
        Analysis_ = TAnalysis::Complete;
    });
    // Analyze read the message file and scripts.lst afresh.
    Display_->SetScriptPath(ScriptPath_);
    PanesAnalysed();
    if (badNumber) {
        NameStoppedMessageLine();
    }
    if (Problems_->toggleViewAction()->isChecked() && !Problems_->Model().HoldsProject()) {
        RunChecks();
    }
    // Kept after Load, the choice may still look wrong once the user has seen the texts.
    OfferDetectedCodePage();
}

void TForm1::Button4Click() {
    if (!MayRun(TCommand::BuildDialogTree)) {
        return;
    }
    bool built = false;
    RunPass(QStringLiteral("Build Dialog Tree"), [&] {
        dialoscope::Button4Click(*Ws_);
        built = true;
    });
    if (!built) {
        return;
    }
    // The tab does not switch: the note tells what happened out of sight.
    const int items = Ws_->DialogsTree.Count();
    if (items == 0) {
        ShowStatusNote(QStringLiteral("No dialog start in this script"));
    } else if (PageControl1_->currentWidget() != TreeView2_) {
        ShowStatusNote(QStringLiteral("Dialogs Tree built: %1 items").arg(items));
    }
}

void TForm1::Button2Click() {
    if (!MayRun(TCommand::FindMsg)) {
        return;
    }
    // The core brings a number typed outside the field's range back into it.
    const int n = LMDSpinEdit1_->value();
    RunCommand([&] { dialoscope::Button2Click(*Ws_, n); });
}

void TForm1::Button3Click() {
    if (!MayRun(TCommand::FindNode)) {
        return;
    }
    // The name is looked for as the script's bytes spell it in the chosen code page.
    const std::string name = Display_->Encode(Edit1_->text());
    RunCommand([&] { dialoscope::Button3Click(*Ws_, name); });
}

void TForm1::Button1Click() {
    if (!MayRun(TCommand::Test1)) {
        return;
    }
    RunCommand([&] { dialoscope::Button1Click(*Ws_); });
}

void TForm1::Button5Click() {
    if (!MayRun(TCommand::Button5)) {
        return;
    }
    RunCommand([&] { dialoscope::Button5Click(*Ws_); });
}

void TForm1::TreeView1Change(const QModelIndex& current) {
    if (RestoringSelection_) {
        return;
    }
    if (!MayRun(TCommand::SelectNode)) {
        // The view already moved its current item; it goes back to the one the pane shows.
        RestoringSelection_ = true;
        TreeView1_->selectionModel()->setCurrentIndex(ShownNode_,
                                                      QItemSelectionModel::ClearAndSelect);
        RestoringSelection_ = false;
        return;
    }
    ShownNode_ = current;
    const std::int32_t item = TOutlineModel::ItemOf(current);
    RunCommand([&] { dialoscope::TreeView1Change(*Ws_, item); });
    Map_->FollowSelection(SelectedNode());
}

void TForm1::SpeedButton2Click() {
    if (!MayRun(TCommand::Save)) {
        return;
    }
    const QString path =
        Dialogs_->AskSaveFileName(this, {SaveFilter, QStringLiteral("txt"), SaveDialog1Path_, {}});
    if (path.isEmpty()) {
        return;
    }
    SaveDialog1Path_ = path;
    RunCommand([&] {
        Richedit_->Flush();
        SaveTextOutput(Richedit_->Lines(), PathBytes(path));
    });
}

void TForm1::butSTreeClick() {
    if (!MayRun(TCommand::TreeSave)) {
        return;
    }
    const QString path = Dialogs_->AskSaveFileName(
        this, {TreeSaveFilter, QStringLiteral("tre"), SaveDialog2Path_, {}});
    if (path.isEmpty()) {
        return;
    }
    SaveDialog2Path_ = path;
    // The tab active once the dialog has closed decides which tree is written.
    const TOutlineTree& tree = ActiveTree() == TreeView1_ ? Ws_->GeneralView : Ws_->DialogsTree;
    // Tree Save writes what the tree shows.
    RunCommand([&] {
        if (Display_->ShowTexts() == TShowTexts::On) {
            SaveTreeFile(Display_->ShownTree(tree), PathBytes(path));
        } else {
            SaveTreeFile(tree, PathBytes(path));
        }
    });
}

void TForm1::ExpandAll3Click() {
    if (MayRun(TCommand::ExpandAll)) {
        ActiveTree()->expandAll();
    }
}

void TForm1::CollapseAll2Click() {
    if (MayRun(TCommand::CollapseAll)) {
        ActiveTree()->collapseAll();
    }
}

void TForm1::ExpandAll2Click() {
    if (MayRun(TCommand::ExpandGeneralView)) {
        TreeView1_->expandAll();
    }
}

void TForm1::CollapseAll1Click() {
    if (MayRun(TCommand::CollapseGeneralView)) {
        TreeView1_->collapseAll();
    }
}

void TForm1::ExpandAll1Click() {
    if (MayRun(TCommand::ExpandDialogsTree)) {
        TreeView2_->expandAll();
    }
}

void TForm1::ColapseAll1Click() {
    if (MayRun(TCommand::CollapseDialogsTree)) {
        TreeView2_->collapseAll();
    }
}

void TForm1::N111Click() {
    const bool show = Toolbar971_->isHidden();
    Toolbar971_->setVisible(show);
    ActionOf(TCommand::ShowToolbar)->setChecked(show);
}

void TForm1::Toolbar971Close() {
    ActionOf(TCommand::ShowToolbar)->setChecked(false);
}

void TForm1::butAboutClick() {
    Form2_->ShowOrRaise();
}

void TForm1::SpeedButton3Click() {
    close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (PassRunning()) {
        // The pass is somewhere below on the stack; it ends at its next turn of the event loop
        // and the window closes after that.
        Port_->RequestAbort();
        event->ignore();
        return;
    }
    Form2_->hide();
    SaveSettings();
    QMainWindow::closeEvent(event);
}

} // namespace dialoscope
