#include "block_comments.h"

namespace dialoscope::lsp {

std::vector<TBlockComment> BlockComments(const TScriptAnalysis& analysis) {
    std::vector<TBlockComment> comments;
    const TScanner& scanner = analysis.Ws->Scanner;
    const std::string& begin = scanner.CommentBegin();
    const std::string& end = scanner.CommentEnd();
    const std::string& bytes = analysis.Script.Bytes();
    if (begin.empty() || end.empty()) {
        return comments;
    }
    std::size_t covered = 0; // the end of the last block comment
    for (std::int32_t i = 0; i < scanner.TokenCount(); ++i) {
        if (scanner.KindAt(i) != TTokenKind::Comment) {
            continue;
        }
        // The scanner keeps a comment's text without its marker, one token per line.
        std::size_t offset = static_cast<std::size_t>(scanner.TokenAt(i)->Offset);
        if (offset < covered) {
            continue; // a later line of the comment found before
        }
        while (offset > 0 && (bytes[offset - 1] == ' ' || bytes[offset - 1] == '\t')) {
            --offset;
        }
        if (offset < begin.size() ||
            bytes.compare(offset - begin.size(), begin.size(), begin) != 0) {
            continue; // a line comment
        }
        offset -= begin.size();
        const std::size_t close = bytes.find(end, offset + begin.size());
        const std::size_t stop = close == std::string::npos ? bytes.size() : close + end.size();
        const auto [firstLine, firstByte] = analysis.Script.PlaceOf(offset);
        const auto [lastLine, endByte] = analysis.Script.PlaceOf(stop);
        comments.push_back({firstLine, firstByte, lastLine, endByte});
        covered = stop;
    }
    return comments;
}

} // namespace dialoscope::lsp
