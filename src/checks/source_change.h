#pragma once
// What changed in the original since an older original, the one a translation was made from:
// each number of the original is unchanged, changed (both hold it with other texts) or new (the
// older one lacks it); a number only the older one holds was removed. A changed text is a
// changed-source finding that shows the difference word by word.

#include "finding.h"
#include "message_entries.h"

#include "text/code_page.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dialoscope {

enum class TSourceChange : std::uint8_t { Unchanged, Changed, New };

struct TSourceChangeCounts {
    std::int64_t Changed = 0;
    std::int64_t New = 0;
    std::int64_t Removed = 0;
    std::int64_t Originals = 0; // the original's numbers, the changed share's whole

    friend bool operator==(const TSourceChangeCounts&, const TSourceChangeCounts&) = default;
};

// How number's text of original differs from since's (each file's last line with it).
TSourceChange SourceChangeOf(std::int32_t number, const TMessageEntries& since,
                             const TMessageEntries& original);

// Each number of the original once, and each number only since holds.
TSourceChangeCounts CountSourceChanges(const TMessageEntries& since,
                                       const TMessageEntries& original);

struct TSourceFiles {
    std::string Original;  // names the findings' file
    TFindingSource Source; // Messages when the script's own file is the original
};

// A changed-source finding at the original's line for each changed number: "message 105
// changed in the original: "the [-north-] {+east+} gate"", the marks cut by the code page's
// words (word_difference.h).
void CompareSources(const TMessageEntries& since, const TMessageEntries& original,
                    const TSourceFiles& files, const TTextCodePage& codePage,
                    std::vector<TFinding>& findings);

// The older original of the script at scriptPath: since itself when it names a file, else the
// file of the script's message file's name in the folder since names.
std::string SinceFileFor(const std::string& since, const std::string& scriptPath);

// The finding of a script whose older original (named by --since) cannot be read: why is the
// reading error, which names the file.
TFinding MissingSinceFinding(const std::string& scriptPath, const std::string& why);

} // namespace dialoscope
