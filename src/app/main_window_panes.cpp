// The main window's Play pane: made with the other docks, told when the script it reads is about
// to change or has been analysed, and when the code page or the message texts toggle changed.

#include "main_window.h"

#include "caption_display.h"
#include "outline_model.h"
#include "play_pane.h"
#include "user_dialogs.h"

#include <QTreeView>

namespace dialoscope {

void TForm1::CreateViewPanes() {
    TPlayPane::THooks hooks;
    hooks.SelectedNode = [this] { return SelectedNode(); };
    hooks.RunCommand = [this](const std::function<void()>& work) { RunCommand(work); };
    hooks.AskSavePath = [this](const TFileDialogRequest& request) {
        return Dialogs_->AskSaveFileName(this, request);
    };
    Play_ = new TPlayPane(*Ws_, *Display_, std::move(hooks), this);
    AddDock(TCommand::ShowPlay, Play_, Qt::RightDockWidgetArea);
}

std::int32_t TForm1::SelectedNode() const {
    const std::int32_t item = TOutlineModel::ItemOf(TreeView1_->currentIndex());
    if (item < 0 || item >= Ws_->GeneralView.Count()) {
        return -1;
    }
    return Ws_->GeneralView.Item(item).Node;
}

void TForm1::PanesForgetScript() {
    Play_->Forget();
}

void TForm1::PanesAnalysed() {
    if (Analysis_ == TAnalysis::Complete) {
        Play_->Analysed(ScriptPath_);
    }
}

void TForm1::PanesRedecode() {
    Play_->Redecode();
}

} // namespace dialoscope
