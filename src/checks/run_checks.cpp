#include "run_checks.h"

#include "comment_check.h"
#include "detail/message_file_check.h"
#include "detail/message_use_check.h"
#include "detail/translation_check.h"
#include "dialog_health.h"
#include "message_entries.h"
#include "other_script_messages.h"
#include "source_change.h"

#include "analysis/errors.h"
#include "analysis/load.h"

#include <filesystem>

namespace dialoscope {

namespace {

void CompareWithSince(const TMessageEntries& original, const TSourceFiles& files,
                      const TCheckOptions& options, std::vector<TFinding>& findings) {
    if (options.Since == nullptr) {
        return;
    }
    const TTextCodePage fallback;
    CompareSources(ReadMessageEntries(*options.Since), original, files,
                   options.CodePage != nullptr ? *options.CodePage : fallback, findings);
}

void CheckMessagesAlone(const TMessageEntries& messages, const TCheckOptions& options,
                        std::vector<TFinding>& findings) {
    const std::string messagePath = MessageFilePath(options.ScriptPath);
    CheckMessageFile(messages, TFindingSource::Messages, messagePath, findings);
    if (options.Original == nullptr) {
        CompareWithSince(messages, TSourceFiles{messagePath, TFindingSource::Messages}, options,
                         findings);
        return;
    }
    const TMessageEntries original = ReadMessageEntries(*options.Original);
    CompareWithSince(original,
                     TSourceFiles{options.OriginalPath, TFindingSource::OriginalMessages},
                     options, findings);
    CheckMessageFile(original, TFindingSource::OriginalMessages, options.OriginalPath, findings);
    CompareTranslation(original, messages, TTranslationFiles{options.OriginalPath, messagePath},
                       findings);
}

} // namespace

std::string MessageFilePath(const std::string& scriptPath) {
    return ChangeFileExt(scriptPath, ".msg");
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

std::optional<std::string> OriginalMessageFile(const std::optional<std::string>& against,
                                               const std::string& messageFile) {
    if (!against || !IsFolder(*against)) {
        return against;
    }
    return (std::filesystem::path(*against) / FileNamePart(messageFile)).string();
}

std::vector<TFinding> RunChecks(const TWorkspace& ws, const TCheckOptions& options) {
    std::vector<TFinding> findings;
    const TMessageEntries messages = ReadMessageEntries(ws.MsgRich);
    CheckMessagesAlone(messages, options, findings);
    TOtherScriptMessages ownReads(ws.ScriptList, FolderOf(options.ScriptPath));
    TOtherScriptNumbers& otherScripts =
        options.OtherScripts != nullptr ? *options.OtherScripts : ownReads;
    CheckMessageUses(ws, messages, otherScripts,
                     TMessageUseFiles{options.ScriptPath, MessageFilePath(options.ScriptPath)},
                     findings);
    CheckDialogHealth(ws, options.ScriptPath, findings);
    CheckComments(ws, options.ScriptPath, findings);
    SortFindings(findings);
    return findings;
}

std::vector<TFinding> RunSessionChecks(const TWorkspace& ws,
                                       const std::optional<TSessionStop>& stop,
                                       const TCheckOptions& options) {
    if (!stop) {
        return RunChecks(ws, options);
    }
    const bool loaded = stop->Step == TSessionStep::Analyze;
    std::vector<TFinding> findings =
        loaded ? RunMessageFileChecks(ws, options) : std::vector<TFinding>{};
    findings.insert(findings.begin(),
                    MakeFinding(loaded ? TFindingKind::AnalyzeError : TFindingKind::LoadError,
                                TFindingSource::Script, options.ScriptPath, 0, stop->Text));
    return findings;
}

TCheckOriginal::TCheckOriginal(const std::optional<std::string>& against, TCheckOptions& options) {
    const auto path = OriginalMessageFile(against, MessageFilePath(options.ScriptPath));
    if (!path) {
        return;
    }
    try {
        Lines_.LoadFromFile(*path);
    } catch (const std::exception& error) {
        Missing_ =
            MakeFinding(TFindingKind::MissingOriginal, TFindingSource::Script, options.ScriptPath,
                        0, ErrorText(error) + "; nothing of the translation is compared");
        return;
    }
    options.Original = &Lines_;
    options.OriginalPath = *path;
}

bool TCheckOriginal::AddMissing(std::vector<TFinding>& findings) {
    if (!Missing_) {
        return false;
    }
    findings.push_back(std::move(*Missing_));
    SortFindings(findings);
    return true;
}

std::vector<TFinding> RunMessageFileChecks(const TWorkspace& ws, const TCheckOptions& options) {
    std::vector<TFinding> findings;
    CheckMessagesAlone(ReadMessageEntries(ws.MsgRich), options, findings);
    SortFindings(findings);
    return findings;
}

} // namespace dialoscope
