#pragma once
// PO files through gettext's own library: the entries Dialoscope exports (a context, the
// original, the translation, comments and references) and the ones an import reads back.
// The library is not thread-safe; use it from one thread at a time.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace dialoscope {

struct TPoEntry {
    std::string Context;           // msgctxt, "SCRIPT:NUMBER"
    std::string Id;                // msgid: the original text, UTF-8
    std::string Str;               // msgstr: the translation, empty when none
    std::string ExtractedComments; // the "#." lines, joined with "\n"
    std::vector<std::pair<std::string, std::int32_t>> References; // "#: file:line"
    bool Fuzzy = false;
    std::int32_t Line = 0;    // where the entry stands in a file read back, 0 when unknown
    bool Plural = false;      // read back: it has a msgid_plural, and Str is its first form
    bool StrHoldsNul = false; // read back: the translation held a NUL, where gettext cut it
    // "#| msgid": the original the translation was made from, when it changed since.
    std::optional<std::string> PreviousId = std::nullopt;
};

// What the header says besides the fields every file carries (MIME-Version, a UTF-8
// Content-Type, Content-Transfer-Encoding) and the ones left empty for a translator's editor to
// fill (PO-Revision-Date, Last-Translator, Language-Team).
struct TPoHeader {
    std::string Project;  // Project-Id-Version
    std::string Language; // Language: "de", "pt_BR"; empty when not known
};

// Writes a PO file with the header and the entries in order: whole or not at all (a temporary
// file beside path, then one rename). msgfmt --check-header finds nothing to say about the
// header but, when Language is empty, that it still has its initial value. Throws
// EExchangeError naming path.
void WritePoFile(const std::string& path, const std::vector<TPoEntry>& entries,
                 const TPoHeader& header = {});

// Every entry of a PO file but its header and obsolete entries, texts in UTF-8 whatever the
// charset its header names; a UTF-8 byte order mark before it is passed over. Throws
// EExchangeError naming the file and the line when the file does not parse (in the library's own
// words), when it defines one message twice (both lines named), when it holds a NUL byte
// outside a translation, and when its charset is unknown or a translation is not in it;
// EFOpenError when it cannot be read.
std::vector<TPoEntry> ReadPoFile(const std::string& path);

} // namespace dialoscope
