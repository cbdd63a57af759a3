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
    bool anyOfScript = false;
    for (const TTranslatedText& text : texts) {
        if (!EqualIgnoringAsciiCase(text.Script, summary.Script)) {
            ++summary.OtherScripts;
            continue;
        }
        anyOfScript = true;
        if (text.Fuzzy) {
            ++summary.Skipped;
            continue;
        }
        if (text.Text.empty()) {
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
    if (!anyOfScript && !texts.empty()) {
        throw EExchangeError("The file holds no translation of the script \"" + summary.Script +
                             "\"");
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

} // namespace

std::string TImportSummary::Line() const {
    return "replaced " + std::to_string(Replaced) + ", unchanged " + std::to_string(Unchanged) +
           ", skipped " + std::to_string(Skipped) + ", refused " + std::to_string(Refused) +
           ", missing " + std::to_string(Missing) +
           (Added > 0 ? ", added " + std::to_string(Added) : std::string());
}

TImportSummary ImportTranslation(const TImportOptions& options, const TTextCodePage& codePage) {
    TImportSummary summary;
    summary.Script = std::filesystem::path(options.Target).stem().string();
    const std::string target = ReadFileBytes(options.Target);
    const std::vector<TTranslatedText> texts = ReadTranslationFile(options.Translation);
    const std::vector<TPatchText> encoded = EncodeTexts(texts, codePage, summary);
    const TPatchResult patch = PatchMessageFile(target, encoded, options.AddMissing);
    AddPatchReports(patch, options.Target, summary);
    if (summary.Refused > 0 || options.DryRun || (options.Cancel != nullptr && *options.Cancel)) {
        return summary;
    }
    ReplaceFile(options.Out.value_or(options.Target), patch.Bytes);
    summary.Written = true;
    return summary;
}

} // namespace dialoscope
