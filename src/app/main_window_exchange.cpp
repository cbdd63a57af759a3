// The main window's side of the translators' exchange: Export Strings and Import Translation,
// and the bar that offers another code page when the loaded message file looks written in one.

#include "main_window.h"

#include "caption_display.h"
#include "code_page_bar.h"
#include "user_dialogs.h"
#include "window_project.h"

#include "analysis/errors.h"
#include "analysis/file_bytes.h"
#include "checks/run_checks.h"
#include "exchange/export_files.h"
#include "exchange/export_scripts.h"
#include "exchange/import_translation.h"
#include "text/charset_detect.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>

namespace dialoscope {

namespace {

const QString ExportFilter = QStringLiteral("PO file|*.po|CSV table|*.csv|Excel workbook|*.xlsx");
const QString TranslationFilter = QStringLiteral("PO file|*.po|CSV table|*.csv|All files|*.*");
const QString MessageFileFilter = QStringLiteral("Message file|*.msg|All files|*.*");
// A box lists this many refusals or undefined bytes; the rest are counted.
constexpr std::size_t ReportLines = 12;

QString FromBytes(const std::string& bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string PathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

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
                            .arg(QFileInfo(FromBytes(byte.File)).fileName())
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

} // namespace

void TForm1::ExportStringsClick() {
    if (!MayRun(TCommand::ExportStrings)) {
        return;
    }
    TExportRequest request;
    request.ScriptsLst = Ws_->ScriptsLstPath;
    request.ShowMessage = [this](std::string_view text) {
        Dialogs_->ShowInformation(this, Display_->Decode(text));
    };
    std::size_t leftOut = 0; // listed scripts that are not there, or named twice
    if (Project_) {
        // As check compares them: the project's originals, when a folder is chosen.
        request.Against = Project_->Against;
        for (const TProjectScript& script : Project_->Project.Scripts) {
            if (script.State == TScriptFileState::Found) {
                request.Scripts.push_back({script.ScriptPath, StemOf(script.ListName)});
            } else {
                ++leftOut;
            }
        }
    } else if (Ws_->AnalyzeEnabled) {
        if (Original_) {
            request.Against = OriginalPath_;
        }
        request.Scripts.push_back({ScriptPath_, StemOf(ScriptPath_)});
    }
    if (request.Scripts.empty()) {
        Dialogs_->ShowInformation(this, QStringLiteral("Load a script or open a project first."));
        return;
    }
    const QString proposed = QFileInfo(FromBytes(request.Scripts.front().Path)).completeBaseName();
    TFileDialogRequest dialog{ExportFilter, QStringLiteral("po"),
                              Project_ ? QStringLiteral("strings") : proposed,
                              QStringLiteral("Export Strings")};
    dialog.SuffixFollowsFilter = true;
    const QString path = Dialogs_->AskSaveFileName(this, dialog);
    if (path.isEmpty()) {
        return;
    }
    RunCommand([&] {
        const TExchangeFormat format = ExchangeFormatOf(PathBytes(path));
        const TTextCodePage codePage(ChosenCodePageName());
        const TExportResult result = CollectExportRows(request, codePage);
        WriteExport(PathBytes(path), format, result.Rows, TByteOrderMark::Omit);
        const QString leftOutNote =
            leftOut == 0 ? QString() : QStringLiteral("; %1 scripts left out").arg(leftOut);
        ShowStatusNote(QStringLiteral("Exported %1 messages to %2")
                           .arg(result.Rows.size())
                           .arg(QFileInfo(path).fileName()) +
                       leftOutNote);
        if (!result.UndefinedBytes.empty()) {
            Dialogs_->ShowInformation(this,
                                      UndefinedBytesText(result.UndefinedBytes, codePage.Name()));
        }
    });
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
    RunCommand([&] {
        const TTextCodePage codePage(ChosenCodePageName());
        const TImportSummary preview = ImportTranslation(options, codePage);
        QString text = SummaryText(preview, targetName);
        if (preview.Refused > 0) {
            Dialogs_->ShowInformation(this, text + QStringLiteral("\nNothing is written."));
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
        const TImportSummary summary = ImportTranslation(options, codePage);
        if (!summary.Written) {
            // The file changed since the preview in a way the import refuses.
            Dialogs_->ShowInformation(this, SummaryText(summary, targetName) +
                                                QStringLiteral("\nNothing is written."));
            return;
        }
        // The window keeps the texts Load read; it shows the new ones after the next Load.
        const bool loadedOne =
            !ScriptPath_.empty() && options.Target == MessageFilePath(ScriptPath_);
        ShowStatusNote(
            QStringLiteral("Imported into %1: %2%3")
                .arg(targetName, QString::fromStdString(summary.Line()),
                     loadedOne ? QStringLiteral("; Load shows the new texts") : QString()));
    });
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
