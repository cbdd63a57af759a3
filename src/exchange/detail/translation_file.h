#pragma once
// Reading a translators' file back: the translated texts of a PO file or a CSV table in the
// layout the export writes, by script and message number.

#include <cstdint>
#include <string>
#include <vector>

namespace dialoscope {

struct TTranslatedText {
    std::string Script; // as the export names it: "guard"
    std::int32_t Number = 0;
    std::string Text;      // UTF-8; empty when not translated
    bool Fuzzy = false;    // a PO entry marked fuzzy: not to be taken
    std::int32_t Line = 0; // the CSV row's or the PO entry's line; 0 when unknown
};

// The entries of path, a .po or .csv file. Throws EExchangeError naming the file (and the line
// where there is one) for a file that does not parse, a CSV that is not UTF-8 or not separated
// by commas, a CSV header without the columns "script", "message number" and "translation", a
// row of another width, a message number that is not a number, a PO context that is not
// "SCRIPT:NUMBER", a plural PO entry, a PO translation that held a NUL, one message translated
// twice (both lines named), or an XLSX file; EFOpenError for a file that cannot be read.
std::vector<TTranslatedText> ReadTranslationFile(const std::string& path);

} // namespace dialoscope
