#pragma once
// XLIFF 1.2, the exchange format of translation memory tools: a <file> per script, a
// <trans-unit> per message whose id and resname are "SCRIPT:NUMBER", the original as <source>,
// the translation as <target> with its state, and the row's comments as developer <note>s.
// Written by the project's own small writer (UTF-8, every text escaped), read with expat.
//
// The conventions followed are those translate-toolkit's xliff2po and po2xliff and the common
// translation tools read: approved="yes" on a translated unit, state "needs-translation",
// "translated" or "needs-review-translation" (an original changed since the translation), notes
// from="developer", and a unit's number read from its resname, else from the po-reference
// context group po2xliff writes ("SCRIPT" and "NUMBER" as source file and line), else its id.

#include "translation_file.h"

#include "exchange/export_rows.h"

#include <string>
#include <vector>

namespace dialoscope {

struct TXliffLanguages {
    std::string Source = "en"; // source-language, which every <file> must name
    std::string Target;        // target-language; left out when empty
};

// Writes rows (one script's rows together, as an export gives them) whole or not at all. Throws
// EExchangeError naming path for a text holding a control character XML 1.0 cannot carry.
void WriteXliffFile(const std::string& path, const std::vector<TExportRow>& rows,
                    const TXliffLanguages& languages);

// The units of an XLIFF 1.2 file (or 1.1, as po2xliff writes it; its PO header unit is passed
// over): the target's text (empty without one), fuzzy when the target
// waits for review (a "needs-review-..." state, or approved="no" with a text). Throws
// EExchangeError naming the file and the line for a file that is not well-formed XML or not
// XLIFF 1.2, a DOCTYPE, a unit without an id, two units of one id in a <file>, a unit that names
// no SCRIPT:NUMBER, and a target holding inline markup (<g>, <x/>, <bpt>, ...), which a message
// line cannot hold (the unit named); EFOpenError when it cannot be read.
std::vector<TTranslatedText> ReadXliffFile(const std::string& path);

} // namespace dialoscope
