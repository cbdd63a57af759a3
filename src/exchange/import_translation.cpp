#include "import_translation.h"

#include "detail/exchange_error.h"
#include "detail/translation_file.h"

#include "analysis/file_bytes.h"
#include "dialogtree/savers.h"
#include "scanner/ascii.h"

#include <cstdio>
#include <filesystem>

namespace dialoscope {

namespace {

std::string CharacterName(char32_t c) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
    return name;
}

std::string RefusalText(std::int32_t number, const TEncodeRefusal& refusal, const std::string& text,
                        const TTextCodePage& codePage) {
    if (refusal.Failure == TEncodeFailure::InvalidUtf8) {
        return "message " + std::to_string(number) + ": the text is not UTF-8 at byte " +
               std::to_string(refusal.Offset + 1);
    }
    std::size_t length = 1;
    while (refusal.Offset + length < text.size() &&
           (static_cast<unsigned char>(text[refusal.Offset + length]) & 0xC0) == 0x80) {
        ++length;
    }
    return "message " + std::to_string(number) + ": the character " +
           CharacterName(refusal.CodePoint) + " \"" + text.substr(refusal.Offset, length) +
           "\" cannot be written in " + codePage.Name();
}

// The target script's texts in the code page; refusals counted and reported.
std::vector<TPatchText> EncodeTexts(const std::vector<TTranslatedText>& texts,
                                    const TTextCodePage& codePage, TImportSummary& summary) {
    std::vector<TPatchText> encoded;
    summary.HasEntries = false;
    for (const TTranslatedText& text : texts) {
        if (!EqualIgnoringAsciiCase(text.Script, summary.Script)) {
            ++summary.OtherScripts;
            continue;
        }
        summary.HasEntries = true;
        if (text.Fuzzy) {
            ++summary.Skipped;
            continue;
        }
        if (text.Text.empty()) {
            ++summary.Empty;
            continue;
        }
        TEncodeResult result = codePage.FromUtf8(text.Text);
        if (!result.IsEncoded()) {
            ++summary.Refused;
            summary.Reports.push_back(
                RefusalText(text.Number, *result.Refusal, text.Text, codePage));
            continue;
        }
        encoded.push_back({text.Number, std::move(result.Bytes)});
    }
    return encoded;
}

void AddPatchReports(const TPatchResult& patch, const std::string& target,
                     TImportSummary& summary) {
    for (const TPatchRefusal& refusal : patch.Refused) {
        ++summary.Refused;
        summary.Reports.push_back("message " + std::to_string(refusal.Number) + ": " + refusal.Why);
    }
    for (const std::int32_t number : patch.Missing) {
        summary.Reports.push_back("message " + std::to_string(number) + " is not in " + target);
    }
    summary.Missing = static_cast<std::int32_t>(patch.Missing.size());
    summary.Replaced = patch.Replaced;
    summary.Unchanged = patch.Unchanged;
    summary.Added = patch.Added;
}

std::string ScriptOf(const TImportTarget& target) {
    return target.Script.empty() ? std::filesystem::path(target.Path).stem().string()
                                 : target.Script;
}

void RefuseUnwritableCodePages(const TImportRequest& request) {
    for (const TImportTarget& target : request.Targets) {
        if (const auto why = target.CodePage->WhyNotForMessageFiles()) {
            throw EExchangeError(target.Path, 0,
                                 "cannot be written in " + target.CodePage->Name() + ": " + *why);
        }
    }
}

// A patched target, ready to be written.
struct TPatchedTarget {
    TImportSummary Summary;
    std::string Bytes;
};

TPatchedTarget PatchTarget(const TImportRequest& request, const TImportTarget& target,
                           const std::vector<TTranslatedText>& texts) {
    TPatchedTarget patched;
    TImportSummary& summary = patched.Summary;
    summary.Target = target.Path;
    summary.Script = ScriptOf(target);
    const std::string bytes = ReadFileBytes(target.Path);
    const std::vector<TPatchText> encoded = EncodeTexts(texts, *target.CodePage, summary);
    if (!summary.HasEntries && !texts.empty() &&
        request.WithoutEntries == TWithoutEntries::Refuse) {
        throw EExchangeError("The file holds no translation of the script \"" + summary.Script +
                             "\"");
    }
    TPatchResult patch = PatchMessageFile(bytes, encoded, request.AddMissing);
    AddPatchReports(patch, target.Path, summary);
    patched.Bytes = std::move(patch.Bytes);
    return patched;
}

// Every target in turn; the first that cannot be written stops the rest.
void WriteTargets(const TImportRequest& request, std::vector<TPatchedTarget>& patched,
                  TImportRun& run) {
    for (std::size_t i = 0; i < patched.size(); ++i) {
        const TImportTarget& target = request.Targets[i];
        if (!patched[i].Summary.HasEntries) {
            continue;
        }
        try {
            ReplaceFile(target.Out.value_or(target.Path), patched[i].Bytes);
        } catch (const std::exception&) {
            run.WriteFailure = std::current_exception();
            return;
        }
        run.Targets[i].Written = true;
    }
}

} // namespace

std::string TImportSummary::Line() const {
    const std::string rest = "unchanged " + std::to_string(Unchanged) + ", empty " +
                             std::to_string(Empty) + ", skipped " + std::to_string(Skipped);
    const std::string missing = "missing " + std::to_string(Missing);
    if (!HasEntries) {
        return "no translation of " + Script + " in the file; left as it is";
    }
    if (Refused > 0) {
        return "nothing written: refused " + std::to_string(Refused) + ", " + rest + ", " + missing;
    }
    return "replaced " + std::to_string(Replaced) + ", " + rest + ", refused 0, " + missing +
           (Added > 0 ? ", added " + std::to_string(Added) : std::string());
}

TImportRun ImportTranslations(const TImportRequest& request) {
    RefuseUnwritableCodePages(request);
    const std::vector<TTranslatedText> texts = ReadTranslationFile(request.Translation);
    std::vector<TPatchedTarget> patched;
    TImportRun run;
    for (const TImportTarget& target : request.Targets) {
        patched.push_back(PatchTarget(request, target, texts));
        run.Targets.push_back(patched.back().Summary);
        run.Refused += patched.back().Summary.Refused;
    }
    const bool cancelled = request.Cancel != nullptr && *request.Cancel;
    if (run.Refused == 0 && !request.DryRun && !cancelled) {
        WriteTargets(request, patched, run);
    }
    return run;
}

TImportSummary ImportTranslation(const TImportOptions& options, const TTextCodePage& codePage) {
    TImportRequest request;
    request.Translation = options.Translation;
    request.Targets.push_back({options.Target, options.Out, &codePage, {}});
    request.AddMissing = options.AddMissing;
    request.DryRun = options.DryRun;
    request.Cancel = options.Cancel;
    const TImportRun run = ImportTranslations(request);
    if (run.WriteFailure) {
        std::rethrow_exception(run.WriteFailure);
    }
    return run.Targets.front();
}

} // namespace dialoscope
