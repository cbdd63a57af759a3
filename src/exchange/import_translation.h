#pragma once
// Import: the translations of a PO or CSV file written into one message file, encoded into its
// code page, every other byte of it unchanged, and the file replaced whole or not at all.

#include "message_patch.h"

#include "text/code_page.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dialoscope {

struct TImportOptions {
    std::string Translation; // the .po or .csv file
    std::string Target;      // the message file whose texts are replaced
    std::optional<std::string> Out; // where the result goes; the target itself when unset
    TAddMissing AddMissing = TAddMissing::No;
    bool DryRun = false; // report only, write nothing
    // Read last before the file is written: once set, nothing is written.
    const std::atomic<bool>* Cancel = nullptr;
};

struct TImportSummary {
    std::string Script; // the script the target belongs to: its file name without extension
    std::int32_t Replaced = 0;
    std::int32_t Unchanged = 0;
    std::int32_t Skipped = 0; // fuzzy PO entries
    std::int32_t Refused = 0;
    std::int32_t Missing = 0; // numbers the target lacks (appended with AddMissing::Yes)
    std::int32_t Added = 0;
    std::int32_t OtherScripts = 0; // entries of other scripts in the file, left alone
    std::vector<std::string> Reports; // one line per refusal and per missing number
    bool Written = false;

    // "replaced 3, unchanged 120, skipped 1, refused 0, missing 0"
    std::string Line() const;
};

// Reads the translations, keeps the target script's non-empty, non-fuzzy ones, encodes them and
// writes the result unless anything was refused or options.DryRun. Throws EExchangeError when
// the file holds no entry of the target's script at all, and the errors of reading and writing
// (EFOpenError, EFCreateError, EWriteError): the target is then untouched.
TImportSummary ImportTranslation(const TImportOptions& options, const TTextCodePage& codePage);

} // namespace dialoscope
