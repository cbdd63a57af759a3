#pragma once
// Quicktest reports as the command line writes them: a text report, one JSON document, or JUnit
// XML in which each script is a test case (failed when an answer or call leads to no node, in
// error when the script could not be loaded or analysed), so a build server lists the scripts.
// Every name is written through decode (UTF-8 out); lines end in LF.

#include "play_script.h"
#include "quicktest.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

enum class TQuicktestFormat : std::uint8_t { Text, Json, Junit };

std::string QuicktestOutput(const std::vector<TQuicktestReport>& reports, TQuicktestFormat format,
                            const TDecodeText& decode);

// One script's part of the text report.
std::string QuicktestText(const TQuicktestReport& report, const TDecodeText& decode);

// "1 choice", "3 choices".
std::string ChoiceCount(std::size_t count);

// text with &, <, >, " and ' as XML writes them, and the characters XML 1.0 forbids (controls
// but tab, LF and CR) as U+FFFD.
std::string XmlEscaped(std::string_view text);

} // namespace dialoscope
