// The main window's side of the translators' exchange: Export Strings and Import Translation,
// and the bar that offers another code page when the loaded message file looks written in one.

#include "main_window.h"

#include "byte_strings.h"
#include "caption_display.h"
#include "code_page_bar.h"
#include "user_dialogs.h"
#include "window_project.h"

#include "analysis/errors.h"
#include "analysis/file_bytes.h"
#include "checks/run_checks.h"
#include "dialogtree/savers.h"
#include "exchange/export_files.h"
#include "text/charset_detect.h"

#include <QFileInfo>
#include <QProgressBar>

#include <filesystem>
#include <mutex>

namespace dialoscope {

namespace {

const QString ExportFilter =
    QStringLiteral("PO file|*.po|CSV table|*.csv|Excel workbook|*.xlsx|XLIFF file|*.xlf");
const QString TranslationFilter =
    QStringLiteral("PO file|*.po|CSV table|*.csv|XLIFF file|*.xlf *.xliff|All files|*.*");
const QString MessageFileFilter = QStringLiteral("Message file|*.msg|All files|*.*");
// A box lists this many refusals or undefined bytes; the rest are counted.
constexpr std::size_t ReportLines = 12;

std::string StemOf(const std::string& path) {
    return std::filesystem::path(path).stem().string();
}

// The first lines of a report and how many more there are.
QString ReportText(const std::vector<QString>& lines) {
    QString text;
    for (std::size_t i = 0; i < lines.size() && i < ReportLines; ++i) {
        text += lines[i] + QLatin1Char('\n');
    }
    if (lines.size() > ReportLines) {
        text += QStringLiteral("... and %1 more\n").arg(lines.size() - ReportLines);
    }
    return text;
}

QString UndefinedBytesText(const std::vector<TUndefinedByte>& bytes, const std::string& codePage) {
    std::vector<QString> lines;
    for (const TUndefinedByte& byte : bytes) {
        const QString hex =
            QStringLiteral("%1").arg(static_cast<unsigned>(byte.Byte), 2, 16, QLatin1Char('0'));
        lines.push_back(QStringLiteral("%1:%2: message %3, byte %4")
                            .arg(FileNameOf(byte.File))
                            .arg(byte.Line)
                            .arg(byte.Number)
                            .arg(hex.toUpper()));
    }
    return QStringLiteral("These bytes are undefined in %1; they were exported as U+FFFD:\n")
               .arg(QString::fromStdString(codePage)) +
           ReportText(lines);
}

QString SummaryText(const TImportSummary& summary, const QString& target) {
    std::vector<QString> reports;
    for (const std::string& report : summary.Reports) {
        reports.push_back(FromBytes(report));
    }
    return QStringLiteral("%1: %2\n").arg(target, QString::fromStdString(summary.Line())) +
           ReportText(reports);
}

// The loaded script's rows from its last complete Analyze, as CollectExportRows makes them from
// the files, which are not read again; original: the lines of the chosen original, or null.
TExportResult RowsOfAnalysed(const TAnalysedScript& analysed, const std::string& scriptPath,
                             const TLineStore* original, const std::string& originalPath,
                             const TTextCodePage& codePage) {
    const TWorkspace& ws = analysed.Workspace();
    const TMessageEntries own = ReadMessageEntries(ws.MsgRich);
    const TMessageEntries originals = ReadMessageEntries(original ? *original : TLineStore());
    TScriptMessages messages;
    messages.Script = StemOf(scriptPath);
    messages.ScriptFile = std::filesystem::path(scriptPath).filename().string();
    messages.ScriptNumber = ws.ScriptIndex;
    messages.MessageFile = MessageFilePath(scriptPath);
    messages.Own = &own;
    if (original != nullptr) {
        messages.OriginalFile = originalPath;
        messages.Original = &originals;
    }
    TExportResult result;
    result.Rows = ExportRows(ws, messages, codePage, result.UndefinedBytes);
    return result;
}

} // namespace

void TForm1::ExportStringsClick() {
    if (!MayRun(TCommand::ExportStrings)) {
        return;
    }
    TExportRequest request;
    request.ScriptsLst = Ws_->ScriptsLstPath;
    std::size_t leftOut = 0; // listed scripts that are not there, or named twice
    QString path;
    const TExportScope scope = ChooseExportScope(request, leftOut, path);
    if (scope == TExportScope::None) {
        return;
    }
    // The loaded script is exported as its last Analyze read it; loaded but not analysed, or its
    // message file rewritten by an import since, it is read and analysed for the export.
    const bool fromSnapshot = scope == TExportScope::LoadedScript && !MessagesRewritten_;
    ExportInBackground(std::move(request), fromSnapshot ? Analysed_ : nullptr, path, leftOut);
}

TForm1::TExportScope TForm1::ChooseExportScope(TExportRequest& request, std::size_t& leftOut,
                                               QString& path) {
    const bool script = Ws_->AnalyzeEnabled && !ScriptPath_.empty();
    if (!script && !Project_) {
        Dialogs_->ShowInformation(this, QStringLiteral("Load a script or open a project first."));
        return TExportScope::None;
    }
    const QString scriptName = FromBytes(ScriptPath_);
    TFileDialogRequest dialog{ExportFilter, QStringLiteral("po"),
                              script ? QFileInfo(scriptName).completeBaseName()
                                     : QStringLiteral("strings"),
                              QStringLiteral("Export Strings")};
    dialog.SuffixFollowsFilter = true;
    // The loaded script comes first: it is what the user looks at.
    int chosen = 0;
    if (script && Project_) {
        dialog.ChoiceLabel = QStringLiteral("Export:");
        dialog.Choices = {
            QStringLiteral("The loaded script (%1)").arg(QFileInfo(scriptName).fileName()),
            QStringLiteral("The open project (%1, %2 scripts)")
                .arg(FileNameOf(Project_->Project.ListPath))
                .arg(Project_->Project.Scripts.size())};
        dialog.Chosen = &chosen;
    }
    path = Dialogs_->AskSaveFileName(this, dialog);
    if (path.isEmpty()) {
        return TExportScope::None;
    }
    if (!script || chosen == 1) {
        // As check compares them: the project's originals, when a folder is chosen.
        request.Against = Project_->Against;
        for (const TProjectScript& entry : Project_->Project.Scripts) {
            if (entry.State == TScriptFileState::Found) {
                request.Scripts.push_back({entry.ScriptPath, StemOf(entry.ListName)});
            } else {
                ++leftOut;
            }
        }
        return TExportScope::Project;
    }
    if (Original_) {
        request.Against = OriginalPath_;
    }
    if (Since_) {
        request.Since = SincePath_;
    }
    request.Scripts.push_back({ScriptPath_, StemOf(ScriptPath_)});
    return TExportScope::LoadedScript;
}

bool TForm1::RunExportJob(const QString& passName, TExportRequest& request,
                          const std::function<bool(const std::atomic<bool>& cancel)>& job) {
    std::atomic<bool> cancel{false};
    // The analysis' message boxes wait until the run has ended: a box cannot be shown from the
    // worker's thread.
    std::mutex messagesLock;
    std::vector<std::string> messages;
    request.ShowMessage = [&](std::string_view text) {
        const std::lock_guard lock(messagesLock);
        messages.emplace_back(text);
    };
    request.Progress = [this](int percent) {
        QMetaObject::invokeMethod(
            this, [this, percent] { RzProgressBar1_->setValue(percent); }, Qt::QueuedConnection);
    };
    request.Cancel = &cancel;
    bool written = false;
    ShowStatusNote(QStringLiteral("%1: analysing %2 scripts; Esc cancels")
                       .arg(passName)
                       .arg(request.Scripts.size()));
    const bool ended = RunInBackground(passName, cancel, [&] { written = job(cancel); });
    for (const std::string& text : messages) {
        Dialogs_->ShowInformation(this, Display_->Decode(text));
    }
    if (ended && !written) {
        ShowStatusNote(passName + QStringLiteral(" cancelled: nothing written"));
    }
    return ended && written;
}

void TForm1::ExportInBackground(TExportRequest request, TSharedScript analysed, const QString& path,
                                std::size_t leftOut) {
    const TTextCodePage codePage(ChosenCodePageName());
    // The worker reads its own share of the original's lines.
    const std::optional<TLineStore> original =
        Original_ ? std::optional<TLineStore>(*Original_) : std::nullopt;
    TExportResult result;
    const bool written = RunExportJob(
        QStringLiteral("Export Strings"), request, [&](const std::atomic<bool>& cancel) {
            const TExchangeFormat format = ExchangeFormatOf(PathBytes(path));
            result = analysed != nullptr
                         ? RowsOfAnalysed(*analysed, request.Scripts.front().Path,
                                          original ? &*original : nullptr, OriginalPath_, codePage)
                         : CollectExportRows(request, codePage);
            if (result.Cancelled || cancel) {
                return false;
            }
            TExportHeader header;
            header.WithChanges = request.Since.has_value();
            WriteExport(PathBytes(path), format, result.Rows, TByteOrderMark::Omit, header);
            return true;
        });
    if (!written) {
        return;
    }
    const QString leftOutNote =
        leftOut == 0 ? QString() : QStringLiteral("; %1 scripts left out").arg(leftOut);
    ShowStatusNote(QStringLiteral("Exported %1 messages to %2")
                       .arg(result.Rows.size())
                       .arg(QFileInfo(path).fileName()) +
                   leftOutNote);
    if (!result.UndefinedBytes.empty()) {
        Dialogs_->ShowInformation(this, UndefinedBytesText(result.UndefinedBytes, codePage.Name()));
    }
}

bool TForm1::ImportInBackground(const TImportOptions& options, TImportSummary& summary) {
    std::atomic<bool> cancel{false};
    TImportOptions cancellable = options;
    cancellable.Cancel = &cancel;
    const TTextCodePage codePage(ChosenCodePageName());
    // The import does not say how far it is: the bar only shows that it is busy.
    RzProgressBar1_->setRange(0, 0);
    ShowStatusNote(QStringLiteral("Import Translation: reading %1; Esc cancels")
                       .arg(FileNameOf(options.Translation)));
    const bool ended = RunInBackground(QStringLiteral("Import Translation"), cancel,
                                       [&] { summary = ImportTranslation(cancellable, codePage); });
    if (ended && cancel && !summary.Written) {
        ShowStatusNote(QStringLiteral("Import Translation cancelled: nothing written"));
        return false;
    }
    return ended;
}

void TForm1::ImportTranslationClick() {
    if (!MayRun(TCommand::ImportTranslation)) {
        return;
    }
    const QString translation = Dialogs_->AskOpenFileName(
        this,
        {TranslationFilter, QStringLiteral("po"), {}, QStringLiteral("Choose the Translation")});
    if (translation.isEmpty()) {
        return;
    }
    const QString proposed =
        ScriptPath_.empty() ? QString() : FromBytes(MessageFilePath(ScriptPath_));
    const QString target =
        Dialogs_->AskOpenFileName(this, {MessageFileFilter, QStringLiteral("msg"), proposed,
                                         QStringLiteral("Choose the Message File to Write")});
    if (target.isEmpty()) {
        return;
    }
    TImportOptions options;
    options.Translation = PathBytes(translation);
    options.Target = PathBytes(target);
    options.DryRun = true;
    const QString targetName = QFileInfo(target).fileName();
    TImportSummary preview;
    if (!ImportInBackground(options, preview)) {
        return;
    }
    const QString text = SummaryText(preview, targetName);
    if (preview.Refused > 0) {
        // The summary of a refused import already says that nothing is written.
        Dialogs_->ShowInformation(this, text);
        return;
    }
    if (preview.Replaced == 0) {
        Dialogs_->ShowInformation(this, text + QStringLiteral("\nNothing to change."));
        return;
    }
    if (!Dialogs_->AskYesNo(this, text + QStringLiteral("\nWrite %1?").arg(targetName))) {
        return;
    }
    options.DryRun = false;
    TImportUndo before{options.Target, {}};
    const bool read = RunCommand([&] { before.Bytes = ReadFileBytes(options.Target); });
    TImportSummary summary;
    if (!read || !ImportInBackground(options, summary)) {
        return;
    }
    if (!summary.Written) {
        // The file changed since the preview in a way the import refuses.
        Dialogs_->ShowInformation(this, SummaryText(summary, targetName) +
                                            QStringLiteral("\nNothing is written."));
        return;
    }
    ImportUndo_ = std::move(before);
    // The window keeps the texts Load read; it shows the new ones after the next Load.
    const bool loadedOne = !ScriptPath_.empty() && options.Target == MessageFilePath(ScriptPath_);
    MessagesRewritten_ = MessagesRewritten_ || loadedOne;
    ShowStatusNote(QStringLiteral("Imported into %1: %2%3; Edit > Undo Import restores it")
                       .arg(targetName, QString::fromStdString(summary.Line()),
                            loadedOne ? QStringLiteral("; Load shows the new texts") : QString()));
}

void TForm1::UndoImportClick() {
    if (!MayRun(TCommand::UndoImport)) {
        return;
    }
    if (!ImportUndo_) {
        ShowStatusNote(QStringLiteral("No import to undo since the window opened"));
        return;
    }
    const QString name = FileNameOf(ImportUndo_->Path);
    if (!Dialogs_->AskYesNo(
            this, QStringLiteral("Restore %1 as it was before the last import?").arg(name))) {
        return;
    }
    if (RunCommand([&] { ReplaceFile(ImportUndo_->Path, ImportUndo_->Bytes); })) {
        MessagesRewritten_ =
            MessagesRewritten_ ||
            (!ScriptPath_.empty() && ImportUndo_->Path == MessageFilePath(ScriptPath_));
        ImportUndo_.reset();
        ShowStatusNote(QStringLiteral("Restored %1 as it was before the import").arg(name));
    }
}

void TForm1::OfferDetectedCodePage() {
    CodePageBar_->hide();
    if (!Ws_->AnalyzeEnabled || ScriptPath_.empty()) {
        return;
    }
    std::string bytes;
    try {
        bytes = ReadFileBytes(MessageFilePath(ScriptPath_));
    } catch (const EDialoscopeError&) {
        return; // Load has said what it could not read
    }
    const std::optional<TDetectedCodePage> detected = DetectSingleByteCodePage(bytes);
    if (!detected) {
        return;
    }
    const std::optional<TDisplayCodePage> page = DisplayCodePageNamed(detected->Name);
    if (page == Display_->CodePage()) {
        return;
    }
    CodePageBar_->Offer(page ? CodePageCaption(*page) : QString::fromStdString(detected->Name),
                        page);
}

} // namespace dialoscope
