#include "features.h"
#include "uri.h"

namespace dialoscope::lsp {

std::string TFeatureContext::ScriptUri() const {
    return UriOfPath(Analysis.Input.ScriptPath);
}

std::string TFeatureContext::MessageUri() const {
    return UriOfPath(Analysis.MessagePath);
}

TJson RangeJson(const TRange& range) {
    return {{"start", {{"line", range.Start.Line}, {"character", range.Start.Character}}},
            {"end", {{"line", range.End.Line}, {"character", range.End.Character}}}};
}

TJson LocationJson(const std::string& uri, const TRange& range) {
    return {{"uri", uri}, {"range", RangeJson(range)}};
}

TRange FileLineRange(const TFileSource& files, const std::string& path, std::int32_t line) {
    if (const std::optional<TEncodedText> text = files.Read(path)) {
        return text->LineRange(line - 1);
    }
    return {{line - 1, 0}, {line - 1, 0}};
}

} // namespace dialoscope::lsp
