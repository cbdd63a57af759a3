// The main window's Play and Dialog Map panes: made with the other docks, told when the script
// they read is about to change or has been analysed, and when the code page or the message texts
// toggle changed; a box clicked on the map selects its node in the General View.

#include "main_window.h"

#include "caption_display.h"
#include "dialog_map_pane.h"
#include "outline_model.h"
#include "play_pane.h"
#include "user_dialogs.h"

#include "pipeline/script_snapshot.h"

#include <QAction>
#include <QTabWidget>
#include <QTreeView>

namespace dialoscope {

void TForm1::CreateViewPanes() {
    const auto runCommand = [this](const std::function<void()>& work) { return RunCommand(work); };
    const auto askSavePath = [this](const TFileDialogRequest& request) {
        return Dialogs_->AskSaveFileName(this, request);
    };
    const auto selectedNode = [this] { return SelectedNode(); };

    Play_ = new TPlayPane(*Display_, {selectedNode, runCommand, askSavePath}, this);
    AddDock(TCommand::ShowPlay, Play_, Qt::RightDockWidgetArea);

    Map_ = new TDialogMapPane(*Display_,
                              {selectedNode, runCommand, askSavePath,
                               [this](const QString& text) { ShowStatusNote(text); }},
                              this);
    AddDock(TCommand::ShowMap, Map_, Qt::RightDockWidgetArea);
    // Both want width; as tabs of one dock area they share it. A pane asked for comes to the
    // front, or it would stay a hidden tab behind the other.
    tabifyDockWidget(Play_, Map_);
    for (QDockWidget* pane : {static_cast<QDockWidget*>(Play_), static_cast<QDockWidget*>(Map_)}) {
        connect(pane->toggleViewAction(), &QAction::triggered, pane, [pane](bool shown) {
            if (shown) {
                pane->raise();
            }
        });
    }
    connect(Map_, &TDialogMapPane::NodeClicked, this, &TForm1::SelectGeneralViewNode);
}

std::int32_t TForm1::SelectedNode() const {
    const std::int32_t item = TOutlineModel::ItemOf(TreeView1_->currentIndex());
    if (item < 0 || item >= Ws_->GeneralView.Count()) {
        return -1;
    }
    return Ws_->GeneralView.Item(item).Node;
}

bool TForm1::SelectGeneralViewNode(std::int32_t node) {
    for (std::int32_t i = 0; i < Ws_->GeneralView.Count(); ++i) {
        const TTreeItem& item = Ws_->GeneralView.Item(i);
        if (item.Parent != TOutlineTree::NoParent || item.Node != node) {
            continue;
        }
        PageControl1_->setCurrentWidget(TreeView1_);
        const QModelIndex index = GeneralModel_->IndexOf(i);
        if (TreeView1_->currentIndex() == index) {
            // The pane may show something else by now; selecting again would not bring its source.
            TreeView1Change(index);
        } else {
            TreeView1_->setCurrentIndex(index);
        }
        TreeView1_->scrollTo(index);
        return true;
    }
    return false;
}

void TForm1::PanesForgetScript() {
    Analysed_.reset();
    Play_->Forget();
    Map_->Forget();
}

void TForm1::PanesAnalysed() {
    if (Analysis_ == TAnalysis::Complete) {
        Analysed_ = SnapshotOf(*Ws_);
        Play_->Analysed(Analysed_, ScriptPath_);
        Map_->Analysed(Analysed_);
    }
}

void TForm1::PanesRedecode() {
    Play_->Redecode();
    Map_->Redecode();
}

} // namespace dialoscope
