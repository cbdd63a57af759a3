#pragma once
// How dialoscope-cli check writes findings: "FILE:LINE: KIND: TEXT" lines, or one JSON array,
// and the summary line of a run over several scripts.

#include "checks/finding.h"
#include "project/code_page_choice.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace dialoscope {

enum class TCheckFormat : std::uint8_t { Text, Json };
enum class TSummary : std::uint8_t { Omit, Print };

// One line per finding; LINE is 0 when the finding concerns the whole file. Bytes of the
// scripts and message files are written unchanged. Lines end in LF.
std::string FindingLine(const TFinding& finding);

// A JSON object: file, line, kind, severity, node (null when none), message (the message
// number, null when none), text, on one line with ": " and ", " between. The strings are
// decoded through the code page and every character beyond ASCII is written as \uXXXX, so the
// output is plain ASCII.
std::string FindingJson(const TFinding& finding, TCodePageChoice& codePage);

// A JSON string literal of bytes in the code page, escaped as above.
std::string JsonText(std::string_view bytes, TCodePageChoice& codePage);

// "checked 3 scripts: 2 errors, 5 warnings (missing-message 1, unused-message 4, ...)": the
// kinds that occurred, in kind order.
std::string SummaryLine(std::size_t scripts, const std::vector<std::int64_t>& countsByKind);

class TCheckWriter {
public:
    // Writes to standard output. codePage: the message texts' code page, for JSON (an ICU
    // converter name or "auto").
    explicit TCheckWriter(TCheckFormat format, const std::string& codePage = "windows-1252")
        : Format_(format), CodePage_(codePage) {}

    void Write(const std::vector<TFinding>& findings);
    // Closes the JSON array; with Print, writes the summary line (to standard error for JSON,
    // so that standard output stays one JSON document).
    void Finish(TSummary summary);

private:
    TCheckFormat Format_;
    TCodePageChoice CodePage_;
    std::size_t Scripts_ = 0;
    std::size_t Written_ = 0;
    std::vector<std::int64_t> Counts_;
};

} // namespace dialoscope
