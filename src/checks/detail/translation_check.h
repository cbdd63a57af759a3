#pragma once
// Translation comparison: the script's message file (the translation) against the original
// message file it was translated from.

#include "checks/finding.h"
#include "checks/message_entries.h"

#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

struct TTranslationFiles {
    std::string Original;    // names OriginalMessages findings
    std::string Translation; // names Messages findings
};

// For every number, the entry each file keeps (its last line with that number):
// missing-translation at the original's line when the translation lacks the number;
// extra-translation when only the translation has it; untranslated when the texts are equal and
// contain a letter (a byte >= 128 counts as one), or when the translation is empty and the
// original is not; whitespace-differs when the blanks (spaces, tabs) at the start or end of the
// texts differ; punctuation-differs when the final punctuation marks (the last run of
// . , ; : ! ? before trailing blanks and closing quotes) differ.
void CompareTranslation(const TMessageEntries& original, const TMessageEntries& translation,
                        const TTranslationFiles& files, std::vector<TFinding>& findings);

// The final punctuation of a text as compared above, e.g. "?!" for "Really?! ".
std::string_view FinalPunctuation(std::string_view text);

} // namespace dialoscope
