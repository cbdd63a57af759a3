// The main window's message texts, code page and Problems pane: how the core's bytes are shown,
// and the checks' findings with the way to their places.

#include "main_window.h"

#include "byte_strings.h"
#include "caption_display.h"
#include "file_viewer.h"
#include "outline_model.h"
#include "output_pane.h"
#include "problems_model.h"
#include "problems_pane.h"
#include "window_port.h"

#include "user_dialogs.h"

#include "checks/message_entries.h"
#include "checks/run_checks.h"
#include "pipeline/quiet_session.h"
#include "text/word_difference.h"

#include <QAction>
#include <QLabel>

namespace dialoscope {

namespace {

const QString OriginalFilter = QStringLiteral("Message file|*.msg|All files|*.*");

} // namespace

void TForm1::ShowMessageTextsClick() {
    const bool on = ActionOf(TCommand::ShowTexts)->isChecked();
    Display_->SetShowTexts(on ? TShowTexts::On : TShowTexts::Off);
    ShowCaptionsAfresh();
}

void TForm1::CodePageClick(TDisplayCodePage page) {
    Display_->SetCodePage(page);
    Richedit_->SetCodePage(page);
    for (std::size_t i = 0; i < Counters_.size(); ++i) {
        Counters_[i]->setText(Display_->Decode(Ws_->Counters[i]));
    }
    Problems_->Model().RedecodeTexts();
    MessageViewer_->Redecode();
    ShowCaptionsAfresh();
}

void TForm1::ShowCaptionsAfresh() {
    GeneralModel_->DisplayChanged();
    DialogsModel_->DisplayChanged();
    PanesRedecode();
}

void TForm1::RunChecksClick() {
    if (!MayRun(TCommand::RunChecks)) {
        return;
    }
    Problems_->show();
    Problems_->raise();
    if (Project_) {
        ShowProjectChecks();
    } else {
        RunChecks();
    }
}

void TForm1::ShowChecksOfScript() {
    Problems_->show();
    Problems_->raise();
    RunChecks();
}

void TForm1::ForgetScriptFindings() {
    // A project's findings stay: they come from the files, not from the loaded script.
    if (!Problems_->Model().HoldsProject()) {
        Problems_->Clear();
    }
}

void TForm1::CompareOriginalClick() {
    if (MayRun(TCommand::CompareOriginal) &&
        ReadChosenOriginal(QStringLiteral("Choose the Original Message File"), Original_,
                           OriginalPath_)) {
        MessageViewer_->Forget(); // it may show the earlier original's lines
        ShowChecksOfScript();
    }
}

void TForm1::CompareSinceClick() {
    if (MayRun(TCommand::CompareSince) &&
        ReadChosenOriginal(QStringLiteral("Choose the Older Original Message File"), Since_,
                           SincePath_)) {
        ShowChecksOfScript();
    }
}

bool TForm1::ReadChosenOriginal(const QString& title, std::unique_ptr<TLineStore>& store,
                                std::string& storePath) {
    const QString path =
        Dialogs_->AskOpenFileName(this, {OriginalFilter, QStringLiteral("msg"), {}, title});
    if (path.isEmpty()) {
        return false;
    }
    return RunCommand([&] {
        auto lines = std::make_unique<TLineStore>();
        const std::string pathBytes = PathBytes(path);
        lines->LoadFromFile(pathBytes); // an unreadable file keeps the earlier one
        store = std::move(lines);
        storePath = pathBytes;
    });
}

void TForm1::RunChecks() {
    RunCommand([&] { Problems_->ShowFindings(CollectFindings()); });
}

std::vector<TFinding> TForm1::CollectFindings() const {
    TCheckOptions options;
    options.ScriptPath = ScriptPath_;
    options.Original = Original_.get();
    options.OriginalPath = OriginalPath_;
    // The changed words are the words of the code page the window shows.
    const TTextCodePage codePage(ChosenCodePageName());
    options.Since = Since_.get();
    options.CodePage = &codePage;
    if (Analysis_ == TAnalysis::Complete) {
        return dialoscope::RunChecks(*Ws_, options);
    }
    // Without a complete Analyze the nodes are missing or partial: only the message file can be
    // checked, and the first finding says why.
    std::vector<TFinding> findings = RunMessageFileChecks(*Ws_, options);
    const std::string why = Analysis_ == TAnalysis::NotRun
                                ? std::string("Analyze has not run since Load")
                                : AnalyzeStoppedText(AnalyzeError_);
    findings.insert(findings.begin(), MakeFinding(TFindingKind::AnalyzeError,
                                                  TFindingSource::Script, ScriptPath_, 0, why));
    return findings;
}

void TForm1::ShowFinding(const TFinding& finding) {
    if (!MayRun(TCommand::ShowFinding)) {
        return;
    }
    if (finding.Source != TFindingSource::Script) {
        ShowMessageFileLine(finding);
        return;
    }
    if (!SelectNodeOf(finding)) {
        ShowScriptLine(finding.Line);
    }
}

bool TForm1::SelectNodeOf(const TFinding& finding) {
    if (finding.Node < 0 || finding.Node >= Ws_->NodeCount() ||
        !SelectGeneralViewNode(finding.Node)) {
        return false;
    }
    // The node's source starts at the line of its "function".
    const std::int32_t first = Ws_->Nodes[static_cast<std::size_t>(finding.Node)].Line;
    if (finding.Line >= first && first > 0) {
        SelectWholeLine(*Richedit_, finding.Line - first);
    }
    return true;
}

void TForm1::ShowScriptLine(int line) {
    if (line <= 0) {
        return;
    }
    if (PaneScriptRevision_ != Richedit_->document()->revision()) {
        RunCommand([&] {
            Ws_->Port.ClearOutput();
            for (std::int32_t i = 0; i < Ws_->Rich.Count(); ++i) {
                Ws_->AppendOutput(Ws_->Rich.Line(i));
            }
        });
        PaneScriptRevision_ = Richedit_->document()->revision();
    }
    SelectWholeLine(*Richedit_, line - 1);
}

void TForm1::ShowMessageFileLine(const TFinding& finding) {
    // A message file is no script: it opens in its own viewer, uncoloured, and the pane keeps
    // the listing or search result the user was reading.
    const TLineStore* lines =
        finding.Source == TFindingSource::Messages ? &Ws_->MsgRich : Original_.get();
    if (lines == nullptr || finding.Line <= 0) {
        return;
    }
    MessageViewer_->ShowLines(FromBytes(finding.File), *lines);
    MessageViewer_->SelectLine(finding.Line);
    if (finding.Kind == TFindingKind::ChangedSource && Since_) {
        MarkAddedWords(*lines, finding);
    }
}

void TForm1::MarkAddedWords(const TLineStore& lines, const TFinding& finding) {
    if (!finding.MsgNumber) {
        return;
    }
    const TMessageEntries since = ReadMessageEntries(*Since_);
    const TMessageEntries shown = ReadMessageEntries(lines);
    const TMessageEntry* was = since.Find(*finding.MsgNumber);
    const TMessageEntry* is = shown.Find(*finding.MsgNumber);
    if (was == nullptr || is == nullptr || is->Line != finding.Line) {
        return;
    }
    // The runs are the text field's; the viewer counts from the line's start.
    const auto field = static_cast<std::size_t>(is->Text.data() - lines.Line(is->Line - 1).data());
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (const TAddedRun run :
         AddedRuns(was->Text, is->Text, TTextCodePage(ChosenCodePageName()))) {
        runs.emplace_back(field + run.Offset, run.Length);
    }
    MessageViewer_->MarkRuns(finding.Line, runs);
}

void TForm1::NameStoppedMessageLine() {
    // The error box names only the text that is no number; the status bar adds where it stands
    // when a line of the message file holds it (Analyze reads that file before the pass).
    TCheckOptions options;
    options.ScriptPath = ScriptPath_;
    for (const TFinding& finding : RunMessageFileChecks(*Ws_, options)) {
        if (finding.Kind == TFindingKind::BadMessageLine && finding.Text == AnalyzeError_) {
            ShowStatusNote(
                QString::fromUtf8(AnalyzeStopped) +
                QStringLiteral(" at %1, line %2").arg(FileNameOf(finding.File)).arg(finding.Line));
            return;
        }
    }
}

} // namespace dialoscope
