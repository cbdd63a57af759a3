#include "comment_check.h"

#include "scanner/ascii.h"

namespace dialoscope {

namespace {

bool MarkerAt(std::string_view bytes, std::size_t at, std::string_view marker, bool exactCase) {
    if (at > bytes.size() || bytes.size() - at < marker.size()) {
        return false;
    }
    const std::string_view found = bytes.substr(at, marker.size());
    return exactCase ? found == marker : EqualIgnoringAsciiCase(found, marker);
}

bool HoldsMarkerFrom(std::string_view bytes, std::size_t from, std::string_view marker,
                     bool exactCase) {
    for (std::size_t at = from; at + marker.size() <= bytes.size(); ++at) {
        if (MarkerAt(bytes, at, marker, exactCase)) {
            return true;
        }
    }
    return false;
}

// The token that opens the block comment the script ends in, or -1: a comment that is still
// open at the end is the tail of the token list, one comment token per line, and only its first
// token stands right after the begin marker (the others start their lines).
std::int32_t OpenerOfTrailingComment(const TScanner& scanner, std::string_view bytes) {
    const std::string_view begin = scanner.CommentBegin();
    std::int32_t i = scanner.TokenCount() - 1;
    if (i >= 0 && scanner.KindAt(i) == TTokenKind::EndOfFile) {
        --i;
    }
    for (; i >= 0 && scanner.KindAt(i) == TTokenKind::Comment; --i) {
        const auto offset = static_cast<std::size_t>(scanner.TokenAt(i)->Offset);
        if (offset >= begin.size() &&
            MarkerAt(bytes, offset - begin.size(), begin, scanner.KeywordsCaseSensitive())) {
            return i;
        }
    }
    return -1;
}

} // namespace

void CheckComments(const TWorkspace& ws, const std::string& scriptFile,
                   std::vector<TFinding>& findings) {
    const TScanner& scanner = ws.Scanner;
    const std::string_view begin = scanner.CommentBegin();
    const std::string_view end = scanner.CommentEnd();
    if (begin.empty() || end.empty()) {
        return;
    }
    const std::string_view bytes = ws.ScriptStream.Data();
    const std::int32_t opener = OpenerOfTrailingComment(scanner, bytes);
    if (opener < 0) {
        return;
    }
    const TTokenView token = *scanner.TokenAt(opener);
    if (HoldsMarkerFrom(bytes, static_cast<std::size_t>(token.Offset), end,
                        scanner.KeywordsCaseSensitive())) {
        return;
    }
    findings.push_back(MakeFinding(TFindingKind::UnclosedComment, TFindingSource::Script,
                                   scriptFile, token.Line,
                                   "the comment opened by " + Quoted(begin) + " has no " +
                                       Quoted(end) + ": the rest of the script is comment"));
}

} // namespace dialoscope
