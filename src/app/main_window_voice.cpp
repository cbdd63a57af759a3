// The main window's Export Voice Script: the spoken lines of the loaded script or of the open
// project, by speaker, for a recording studio, written beside the event loop as Export Strings
// is.

#include "main_window.h"

#include "byte_strings.h"
#include "caption_display.h"
#include "user_dialogs.h"
#include "window_project.h"

#include "exchange/voice_files.h"

#include <QFileInfo>

#include <filesystem>
#include <mutex>

namespace dialoscope {

namespace {

const QString VoiceFilter =
    QStringLiteral("Excel workbook|*.xlsx|CSV table|*.csv|Fountain screenplay|*.fountain");

std::string StemOf(const std::string& path) {
    return std::filesystem::path(path).stem().string();
}

// The choices of the dialog: what to record and whether the player's lines go with it, two
// choices per scope, the loaded script's first.
QStringList VoiceChoices(const QString& script, const QString& project) {
    QStringList choices;
    for (const QString& scope : {script, project}) {
        if (!scope.isEmpty()) {
            choices << QStringLiteral("%1, every speaker but the player").arg(scope)
                    << QStringLiteral("%1, the player too").arg(scope);
        }
    }
    return choices;
}

} // namespace

void TForm1::ExportVoiceScriptClick() {
    if (!MayRun(TCommand::ExportVoiceScript)) {
        return;
    }
    const bool script = Ws_->AnalyzeEnabled && !ScriptPath_.empty();
    if (!script && !Project_) {
        Dialogs_->ShowInformation(this, QStringLiteral("Load a script or open a project first."));
        return;
    }
    const QString scriptName = FileNameOf(ScriptPath_);
    TFileDialogRequest dialog{VoiceFilter, QStringLiteral("xlsx"),
                              script ? QFileInfo(scriptName).completeBaseName() +
                                           QStringLiteral("_voice")
                                     : QStringLiteral("voice"),
                              QStringLiteral("Export Voice Script")};
    dialog.SuffixFollowsFilter = true;
    int chosen = 0;
    dialog.ChoiceLabel = QStringLiteral("Record:");
    dialog.Choices = VoiceChoices(
        script ? QStringLiteral("The loaded script (%1)").arg(scriptName) : QString(),
        Project_
            ? QStringLiteral("The open project (%1)").arg(FileNameOf(Project_->Project.ListPath))
            : QString());
    dialog.Chosen = &chosen;
    const QString path = Dialogs_->AskSaveFileName(this, dialog);
    if (path.isEmpty()) {
        return;
    }
    TVoiceOptions options;
    options.PlayerToo = chosen % 2 == 1;
    TExportRequest request;
    request.ScriptsLst = Ws_->ScriptsLstPath;
    if (script && chosen < 2) {
        request.Scripts.push_back({ScriptPath_, StemOf(ScriptPath_)});
    } else {
        for (const TProjectScript& entry : Project_->Project.Scripts) {
            if (entry.State == TScriptFileState::Found) {
                request.Scripts.push_back({entry.ScriptPath, StemOf(entry.ListName)});
            }
        }
    }
    VoiceInBackground(std::move(request), options, path);
}

void TForm1::VoiceInBackground(TExportRequest request, const TVoiceOptions& options,
                               const QString& path) {
    const TTextCodePage codePage(ChosenCodePageName());
    TVoiceScript voice;
    const bool written = RunExportJob(
        QStringLiteral("Export Voice Script"), request, [&](const std::atomic<bool>& cancel) {
            const TVoiceFormat format = VoiceFormatOf(PathBytes(path));
            voice = CollectVoiceScript(request, codePage, options);
            if (voice.Cancelled || cancel) {
                return false;
            }
            WriteVoiceScript(PathBytes(path), format, voice);
            return true;
        });
    if (!written) {
        return;
    }
    const QString speakers = voice.Speakers.size() == 1
                                 ? QStringLiteral("1 speaker")
                                 : QStringLiteral("%1 speakers").arg(voice.Speakers.size());
    ShowStatusNote(QStringLiteral("Wrote %1 lines of %2 to %3")
                       .arg(voice.Lines.size())
                       .arg(speakers, QFileInfo(path).fileName()));
}

} // namespace dialoscope
