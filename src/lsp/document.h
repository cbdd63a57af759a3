#pragma once
// TDocument: a file the editor has open, as the editor holds it: Unicode text (kept as UTF-8),
// its version, and which of the server's languages it is. Changes arrive whole or as ranges in
// the editor's UTF-16 positions.

#include "text_lines.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope::lsp {

enum class TLanguage : std::uint8_t { Script, Messages, Other };

// "dialoscope-script", "dialoscope-messages"; else by the file's extension (.ipp, .msg).
TLanguage LanguageOf(std::string_view languageId, std::string_view path);

// One change of didChange: the whole text when Range is empty.
struct TTextChange {
    std::optional<TRange> Range;
    std::string Text;
};

class TDocument {
public:
    TDocument(std::string uri, std::string path, TLanguage language, std::int32_t version,
              std::string text);

    const std::string& Uri() const { return Uri_; }
    const std::string& Path() const { return Path_; }
    TLanguage Language() const { return Language_; }
    std::int32_t Version() const { return Version_; }
    const std::string& Text() const { return Text_; }

    // A range is clamped to the text: a position past a line's end stands for the end, one past
    // the last line for the end of the text, and an end before the start for the start.
    void Apply(const TTextChange& change);
    void SetVersion(std::int32_t version) { Version_ = version; }

private:
    std::string Uri_;
    std::string Path_;
    TLanguage Language_;
    std::int32_t Version_;
    std::string Text_;
    std::vector<std::size_t> Starts_;
};

} // namespace dialoscope::lsp
