#pragma once
// Import: the translations of a PO or CSV file written into message files, each encoded into its
// code page, every other byte of it unchanged. Everything is read and checked first; only when
// nothing is refused is any file written, and each is replaced whole or not at all.

#include "message_patch.h"

#include "text/code_page.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace dialoscope {

struct TImportOptions {
    std::string Translation;        // the .po or .csv file
    std::string Target;             // the message file whose texts are replaced
    std::optional<std::string> Out; // where the result goes; the target itself when unset
    TAddMissing AddMissing = TAddMissing::No;
    bool DryRun = false; // report only, write nothing
    // Read last before the file is written: once set, nothing is written.
    const std::atomic<bool>* Cancel = nullptr;
};

struct TImportSummary {
    std::string Target;        // the message file
    std::string Script;        // the script the target belongs to: its file name without extension
    bool HasEntries = true;    // false: the file translates nothing of the script
    std::int32_t Replaced = 0; // replaced, or to be replaced in a dry run
    std::int32_t Unchanged = 0;
    std::int32_t Empty = 0;   // entries with an empty translation, left alone
    std::int32_t Skipped = 0; // fuzzy PO entries
    std::int32_t Refused = 0;
    std::int32_t Missing = 0; // numbers the target lacks (appended with AddMissing::Yes)
    std::int32_t Added = 0;
    std::int32_t OtherScripts = 0;    // entries of other scripts in the file, left alone
    std::vector<std::string> Reports; // one line per refusal and per missing number
    bool Written = false;

    // "replaced 3, unchanged 120, empty 2, skipped 1, refused 0, missing 0"; with a refusal
    // "nothing written: refused 1, unchanged 120, empty 2, skipped 1, missing 0", no replaced
    // figure, since nothing is.
    std::string Line() const;
};

struct TImportTarget {
    std::string Path;                // the message file whose texts are replaced
    std::optional<std::string> Out;  // where the result goes; Path itself when unset
    const TTextCodePage* CodePage{}; // the code page of its texts
    std::string Script;              // whose entries it takes; empty: Path's name sans extension
};

// What to do with a target whose script the translation file has no entry for.
enum class TWithoutEntries : std::uint8_t {
    Refuse,    // a target named on its own: the wrong file was surely given
    LeaveAlone // a project's script nobody translated yet
};

struct TImportRequest {
    std::string Translation; // the .po or .csv file
    std::vector<TImportTarget> Targets;
    TAddMissing AddMissing = TAddMissing::No;
    bool DryRun = false;
    TWithoutEntries WithoutEntries = TWithoutEntries::Refuse;
    // Read last before the files are written: once set, nothing is written.
    const std::atomic<bool>* Cancel = nullptr;
};

struct TImportRun {
    std::vector<TImportSummary> Targets; // in the request's order
    std::int32_t Refused = 0;            // over all targets: when not 0 nothing is written
    // A target that could not be written, after those before it were: its error. The targets
    // after it are not written.
    std::exception_ptr WriteFailure;
};

// Reads and checks the translations for every target, then, unless anything was refused or
// request.DryRun, writes every target. Throws, with no file written: EExchangeError for a target's
// code page that cannot write message files, for a target whose script the file holds no entry of
// (with TWithoutEntries::Refuse) and for a translation file that cannot be used (see
// ReadTranslationFile); EFOpenError for a file that cannot be read.
TImportRun ImportTranslations(const TImportRequest& request);

// One target: reads the translations, keeps the target script's non-empty, non-fuzzy ones,
// encodes them and writes the result unless anything was refused or options.DryRun. Throws as
// ImportTranslations does, and the errors of writing (EFCreateError, EWriteError): the target is
// then untouched.
TImportSummary ImportTranslation(const TImportOptions& options, const TTextCodePage& codePage);

} // namespace dialoscope
