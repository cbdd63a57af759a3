#include "script_places.h"

#include "dialogtree/dialog_tree.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace dialoscope {

namespace {

std::int32_t LineOf(const TScanner& scanner, std::int32_t i) {
    const auto token = scanner.TokenAt(i);
    return token ? token->Line : 0;
}

// The script lines of every token whose text is exactly text, whatever its kind.
std::vector<std::int32_t> TokenLines(const TScanner& scanner, std::string_view text) {
    std::vector<std::int32_t> lines;
    const std::int32_t count = scanner.TokenCount();
    for (std::int32_t i = 0; i < count; ++i) {
        if (scanner.TextAt(i) == text) {
            lines.push_back(LineOf(scanner, i));
        }
    }
    return lines;
}

} // namespace

std::vector<TDialogStart> FindDialogStarts(const TScanner& scanner) {
    std::vector<TDialogStart> starts;
    const std::int32_t count = scanner.TokenCount();
    std::int32_t i = 1;
    while (i < count) {
        if (scanner.KindAt(i) == TTokenKind::Keyword && scanner.TextAt(i) == "OpenDialog") {
            const std::int32_t line = LineOf(scanner, i);
            i = FindStartName(scanner, i);
            if (i < 0) {
                break;
            }
            starts.push_back(TDialogStart{scanner.TextAt(i), line});
        }
        ++i;
        if (i + 1 >= count || scanner.TextAt(i + 1) == ".") {
            break;
        }
    }
    return starts;
}

std::vector<TForwardDeclaration> FindForwardDeclarations(const TScanner& scanner) {
    std::vector<TForwardDeclaration> declarations;
    const std::int32_t count = scanner.TokenCount();
    for (std::int32_t p = 0; p + 3 < count; ++p) {
        if (scanner.TextAt(p) == "function" && scanner.TextAt(p + 3) == "forward") {
            declarations.push_back(TForwardDeclaration{scanner.TextAt(p + 1), LineOf(scanner, p)});
        }
    }
    return declarations;
}

std::vector<char> NodesHoldingLines(const std::deque<TNodeKeep>& nodes,
                                    const std::vector<std::int32_t>& lines) {
    std::vector<std::pair<std::int32_t, std::int32_t>> starts; // (function line, node), sorted
    starts.reserve(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].Line > 0) { // 0: a record without a known place
            starts.emplace_back(nodes[i].Line, static_cast<std::int32_t>(i));
        }
    }
    std::sort(starts.begin(), starts.end());
    std::vector<char> holding(nodes.size(), 0);
    for (const std::int32_t line : lines) {
        const auto after =
            std::upper_bound(starts.begin(), starts.end(), line,
                             [](std::int32_t l, const auto& entry) { return l < entry.first; });
        if (after != starts.begin()) {
            holding[static_cast<std::size_t>(std::prev(after)->second)] = 1;
        }
    }
    return holding;
}

std::vector<char> NodesClosingDialog(const std::deque<TNodeKeep>& nodes, const TScanner& scanner) {
    return NodesHoldingLines(nodes, TokenLines(scanner, "CloseDialog"));
}

} // namespace dialoscope
