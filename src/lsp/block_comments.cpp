#include "block_comments.h"

namespace dialoscope::lsp {

namespace {

// The 0-based line and byte column of a byte offset of the script, from a known line start on.
struct TLineWalk {
    const std::string& Bytes;
    std::int32_t Line = 0;
    std::size_t LineStart = 0;

    void MoveTo(std::size_t offset) {
        for (std::size_t i = LineStart; i < offset && i < Bytes.size(); ++i) {
            if (Bytes[i] == '\r' && i + 1 < Bytes.size() && Bytes[i + 1] == '\n') {
                continue; // the LF after it ends the line
            }
            if (Bytes[i] == '\r' || Bytes[i] == '\n') {
                ++Line;
                LineStart = i + 1;
            }
        }
    }
};

} // namespace

std::vector<TBlockComment> BlockComments(const TScriptAnalysis& analysis) {
    std::vector<TBlockComment> comments;
    const TScanner& scanner = analysis.Ws->Scanner;
    const std::string& begin = scanner.CommentBegin();
    const std::string& end = scanner.CommentEnd();
    const std::string& bytes = analysis.Script.Bytes();
    if (begin.empty() || end.empty()) {
        return comments;
    }
    TLineWalk walk{bytes};
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
        if (offset < begin.size() || bytes.compare(offset - begin.size(), begin.size(), begin) != 0) {
            continue; // a line comment
        }
        offset -= begin.size();
        walk.MoveTo(offset);
        TBlockComment comment{walk.Line, offset - walk.LineStart};
        const std::size_t close = bytes.find(end, offset + begin.size());
        const std::size_t stop = close == std::string::npos ? bytes.size() : close + end.size();
        walk.MoveTo(stop);
        comment.LastLine = walk.Line;
        comment.EndByte = stop - walk.LineStart;
        comments.push_back(comment);
        covered = stop;
    }
    return comments;
}

} // namespace dialoscope::lsp
