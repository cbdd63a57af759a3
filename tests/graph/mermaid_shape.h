#pragma once
// A structural reading of the Mermaid chart WriteMermaid writes, for the tests and the fuzz
// target: "flowchart TD", then vertex, edge and class lines only; every label quoted with no
// quote, "|" or line break inside; every id an edge or a class names defined. Empty when the
// chart holds, else what broke.

#include <set>
#include <sstream>
#include <string>
#include <string_view>

namespace dialoscope::test {

inline bool IsMermaidId(std::string_view id) {
    if (id.size() < 2 || id[0] != 'v') {
        return false;
    }
    return id.substr(1).find_first_not_of("0123456789") == std::string_view::npos;
}

// A quoted label at text's start: its length with the quotes, or npos when there is none.
inline std::size_t QuotedLabel(std::string_view text) {
    if (text.empty() || text[0] != '"') {
        return std::string_view::npos;
    }
    const std::size_t close = text.find('"', 1);
    return close == std::string_view::npos ? close : close + 1;
}

inline std::string MermaidProblem(const std::string& chart) {
    std::istringstream lines(chart);
    std::string line;
    if (!std::getline(lines, line) || line != "flowchart TD") {
        return "no flowchart TD header";
    }
    std::set<std::string> defined;
    std::set<std::string> used;
    while (std::getline(lines, line)) {
        std::string_view rest(line);
        if (rest.substr(0, 4) != "    ") {
            return "unindented line: " + line;
        }
        rest.remove_prefix(4);
        if (rest.substr(0, 9) == "classDef ") {
            continue;
        }
        if (rest.substr(0, 6) == "class ") {
            std::string_view members = rest.substr(6, rest.rfind(' ') - 6);
            while (!members.empty()) {
                const std::size_t comma = members.find(',');
                used.emplace(members.substr(0, comma));
                members = comma == std::string_view::npos ? "" : members.substr(comma + 1);
            }
            continue;
        }
        const std::size_t idEnd = rest.find_first_of(" [(");
        const std::string id(rest.substr(0, idEnd));
        if (!IsMermaidId(id) || idEnd == std::string_view::npos) {
            return "bad id: " + line;
        }
        rest.remove_prefix(idEnd);
        if (rest.substr(0, 2) == "[\"" || rest.substr(0, 3) == "([\"") {
            const std::size_t open = rest[0] == '(' ? 2 : 1;
            const std::size_t length = QuotedLabel(rest.substr(open));
            const std::string_view close = rest[0] == '(' ? "])" : "]";
            if (length == std::string_view::npos || rest.substr(open + length) != close) {
                return "bad vertex label: " + line;
            }
            defined.insert(id);
            continue;
        }
        used.insert(id);
        const std::size_t arrowEnd = rest.find_first_of("|v", 1);
        const std::string_view arrow = rest.substr(1, arrowEnd - 1);
        if (arrow != "--> " && arrow != "-.-> " && arrow != "==> " && arrow != "-->" &&
            arrow != "-.->" && arrow != "==>") {
            return "bad arrow: " + line;
        }
        rest.remove_prefix(arrowEnd);
        if (rest[0] == '|') {
            const std::size_t length = QuotedLabel(rest.substr(1));
            if (length == std::string_view::npos || rest.substr(1 + length, 2) != "| ") {
                return "bad edge label: " + line;
            }
            rest.remove_prefix(length + 3);
        }
        if (!IsMermaidId(rest)) {
            return "bad edge end: " + line;
        }
        used.emplace(rest);
    }
    for (const std::string& id : used) {
        if (!defined.contains(id)) {
            return "undefined id " + id;
        }
    }
    return {};
}

} // namespace dialoscope::test
