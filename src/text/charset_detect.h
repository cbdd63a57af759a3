#pragma once
// The single-byte code page some bytes look like, from ICU's charset detector: so that a
// message file written in another code page than the chosen one can be noticed and named,
// never switched to silently.

#include <optional>
#include <string>
#include <string_view>

namespace dialoscope {

struct TDetectedCodePage {
    std::string Name;   // a name TTextCodePage accepts: "windows-1251", "KOI8-R", ...
    int Confidence = 0; // ICU's confidence, 0 to 100

    friend bool operator==(const TDetectedCodePage&, const TDetectedCodePage&) = default;
};

// The best single-byte match when the detector is confident of it; nothing for bytes that are
// all ASCII (every code page reads them alike), for text that looks like UTF-8 or another
// multi-byte code page more than like any single-byte one, and when the detector hesitates.
// Texts of a few hundred bytes or more give a reliable answer; ICU reads the first few
// kilobytes only. ICU knows the Windows, ISO-8859 and KOI8-R code pages but not the DOS ones
// (IBM866, IBM437): their texts give nothing.
std::optional<TDetectedCodePage> DetectSingleByteCodePage(std::string_view bytes);

} // namespace dialoscope
