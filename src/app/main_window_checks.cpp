// The main window's message texts, code page and Problems pane: how the core's bytes are shown,
// and the checks' findings with the way to their places.

#include "main_window.h"

#include "caption_display.h"
#include "outline_model.h"
#include "output_pane.h"
#include "problems_pane.h"
#include "window_port.h"

#include "user_dialogs.h"

#include "checks/run_checks.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QTextBlock>
#include <QTreeView>

namespace dialoscope {

namespace {

// Which of the workspace's files the output pane shows for a finding.
enum TPaneFile : int { PaneScript = 0, PaneMessages = 1, PaneOriginal = 2 };

const QString OriginalFilter = QStringLiteral("Message file|*.msg|All files|*.*");

} // namespace

void TForm1::ShowMessageTextsClick() {
    Display_->SetShowTexts(ShowTexts_->isChecked() ? TShowTexts::On : TShowTexts::Off);
    ShowCaptionsAfresh();
}

void TForm1::CodePageClick(TDisplayCodePage page) {
    Display_->SetCodePage(page);
    Richedit_->SetCodePage(page);
    for (std::size_t i = 0; i < Counters_.size(); ++i) {
        Counters_[i]->setText(Display_->Decode(Ws_->Counters[i]));
    }
    Problems_->RedecodeTexts();
    ShowCaptionsAfresh();
}

void TForm1::ShowCaptionsAfresh() {
    GeneralModel_->DisplayChanged();
    DialogsModel_->DisplayChanged();
}

void TForm1::RunChecksClick() {
    if (PassRunning_) {
        return;
    }
    Problems_->show();
    Problems_->raise();
    RunChecks();
}

void TForm1::CompareOriginalClick() {
    if (PassRunning_) {
        return;
    }
    const QString path =
        Dialogs_->AskOpenFileName(this, {OriginalFilter, QStringLiteral("msg"), {}});
    if (path.isEmpty()) {
        return;
    }
    bool read = false;
    RunCommand([&] {
        auto original = std::make_unique<TLineStore>();
        const std::string pathBytes = QFile::encodeName(path).toStdString();
        original->LoadFromFile(pathBytes); // an unreadable file keeps the earlier original
        Original_ = std::move(original);
        OriginalPath_ = pathBytes;
        read = true;
    });
    if (read) {
        PaneFileSource_ = -1; // the pane may show the earlier original's lines
        RunChecksClick();
    }
}

void TForm1::RunChecks() {
    RunCommand([&] { Problems_->ShowFindings(CollectFindings()); });
}

std::vector<TFinding> TForm1::CollectFindings() const {
    TCheckOptions options;
    options.ScriptPath = ScriptPath_;
    options.Original = Original_.get();
    options.OriginalPath = OriginalPath_;
    if (Analysis_ == TAnalysis::Complete) {
        return dialoscope::RunChecks(*Ws_, options);
    }
    // Without a complete Analyze the nodes are missing or partial: only the message file can be
    // checked, and the first finding says why.
    std::vector<TFinding> findings = RunMessageFileChecks(*Ws_, options);
    const std::string why = Analysis_ == TAnalysis::NotRun
                                ? std::string("Analyze has not run since Load")
                                : "Analyze stopped: " + AnalyzeError_;
    findings.insert(findings.begin(), MakeFinding(TFindingKind::AnalyzeError,
                                                  TFindingSource::Script, ScriptPath_, 0, why));
    return findings;
}

void TForm1::ShowFinding(const TFinding& finding) {
    if (PassRunning_) {
        return;
    }
    if (finding.Source == TFindingSource::Script && SelectNodeOf(finding)) {
        return;
    }
    ShowFileLine(finding);
}

bool TForm1::SelectNodeOf(const TFinding& finding) {
    if (finding.Node < 0 || finding.Node >= Ws_->NodeCount()) {
        return false;
    }
    std::int32_t item = -1;
    for (std::int32_t i = 0; i < Ws_->GeneralView.Count(); ++i) {
        const TTreeItem& candidate = Ws_->GeneralView.Item(i);
        if (candidate.Parent == TOutlineTree::NoParent && candidate.Node == finding.Node) {
            item = i;
            break;
        }
    }
    if (item < 0) {
        return false;
    }
    PageControl1_->setCurrentWidget(TreeView1_);
    const QModelIndex index = GeneralModel_->IndexOf(item);
    if (TreeView1_->currentIndex() == index) {
        // The pane may show something else by now; selecting again would not bring the source.
        TreeView1Change(index);
    } else {
        TreeView1_->setCurrentIndex(index);
    }
    TreeView1_->scrollTo(index);
    // The node's source starts at the line of its "function".
    const std::int32_t first = Ws_->Nodes[static_cast<std::size_t>(finding.Node)].Line;
    if (finding.Line >= first && first > 0) {
        SelectPaneLine(finding.Line - first);
    }
    return true;
}

void TForm1::ShowFileLine(const TFinding& finding) {
    const TLineStore* lines = &Ws_->MsgRich;
    int source = PaneMessages;
    if (finding.Source == TFindingSource::Script) {
        lines = &Ws_->Rich;
        source = PaneScript;
    } else if (finding.Source == TFindingSource::OriginalMessages) {
        lines = Original_.get();
        source = PaneOriginal;
    }
    if (finding.Line <= 0 || lines == nullptr) {
        return;
    }
    const bool shown =
        PaneFileSource_ == source && PaneFileRevision_ == Richedit_->document()->revision();
    if (!shown) {
        RunCommand([&] {
            Ws_->Port.ClearOutput();
            for (std::int32_t i = 0; i < lines->Count(); ++i) {
                Ws_->AppendOutput(lines->Line(i));
            }
        });
        PaneFileSource_ = source;
        PaneFileRevision_ = Richedit_->document()->revision();
    }
    SelectPaneLine(finding.Line - 1);
}

void TForm1::SelectPaneLine(int line) {
    const QTextBlock block = Richedit_->document()->findBlockByNumber(line);
    if (!block.isValid()) {
        return;
    }
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    Richedit_->setTextCursor(cursor);
    Richedit_->centerCursor();
}

} // namespace dialoscope
