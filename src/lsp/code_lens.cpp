// Code lens above each node: how dialogs reach it (from how many starts, never, or it is a dead
// end) and how many answers, calls and starts name it.
#include "features.h"

#include <deque>
#include <set>
#include <unordered_map>

namespace dialoscope::lsp {

namespace {

// Per-start walks cost starts times nodes; past this many starts only "reached" is said.
constexpr std::size_t CountedStartLimit = 64;

using TEdges = std::vector<std::vector<std::int32_t>>;

TEdges NodeEdges(const TScriptAnalysis& analysis) {
    const std::deque<TNodeKeep>& nodes = analysis.Ws->Nodes;
    TEdges edges(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        for (const TAnswer answer : nodes[i].Lists.Answers()) {
            if (const std::int32_t target = analysis.FindNode(answer.Target); target >= 0) {
                edges[i].push_back(target);
            }
        }
        for (const std::string_view jump : nodes[i].Lists.Jumps()) {
            if (const std::int32_t target = analysis.FindNode(jump); target >= 0) {
                edges[i].push_back(target);
            }
        }
    }
    return edges;
}

// For each node, from how many dialog starts a walk over answers and calls gets to it; empty
// when there are too many starts to count.
std::vector<std::int32_t> StartsReaching(const TScriptAnalysis& analysis) {
    const std::vector<TDialogStart>& starts = analysis.Reach.Starts;
    if (starts.size() > CountedStartLimit) {
        return {};
    }
    const TEdges edges = NodeEdges(analysis);
    std::vector<std::int32_t> counts(edges.size(), 0);
    std::vector<char> seen(edges.size());
    for (const TDialogStart& start : starts) {
        const std::int32_t first = analysis.FindNode(start.Name);
        if (first < 0) {
            continue;
        }
        std::fill(seen.begin(), seen.end(), 0);
        std::vector<std::int32_t> todo{first};
        seen[static_cast<std::size_t>(first)] = 1;
        while (!todo.empty()) {
            const std::int32_t node = todo.back();
            todo.pop_back();
            ++counts[static_cast<std::size_t>(node)];
            for (const std::int32_t next : edges[static_cast<std::size_t>(node)]) {
                if (!seen[static_cast<std::size_t>(next)]) {
                    seen[static_cast<std::size_t>(next)] = 1;
                    todo.push_back(next);
                }
            }
        }
    }
    return counts;
}

// How many answers, calls and dialog starts name each name.
std::unordered_map<std::string_view, std::int32_t> UseCounts(const TScriptAnalysis& analysis) {
    std::unordered_map<std::string_view, std::int32_t> uses;
    for (const TNodeKeep& node : analysis.Ws->Nodes) {
        for (const TAnswer answer : node.Lists.Answers()) {
            ++uses[answer.Target];
        }
        for (const std::string_view jump : node.Lists.Jumps()) {
            ++uses[jump];
        }
    }
    // A start that is also a call of its opener is one use, not two.
    std::set<std::pair<std::string_view, std::int32_t>> calls;
    for (const TNodeKeep& node : analysis.Ws->Nodes) {
        for (std::int32_t j = 0; j < node.JumpCount(); ++j) {
            calls.emplace(node.Lists.Jump(j), node.Lists.JumpLine(j));
        }
    }
    for (const TDialogStart& start : analysis.Reach.Starts) {
        if (!calls.contains({start.Name, StartNameRange(analysis, start).Start.Line + 1})) {
            ++uses[start.Name];
        }
    }
    return uses;
}

std::string Plural(std::int32_t n, std::string_view one, std::string_view many) {
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

std::string ReachTitle(const TScriptAnalysis& analysis, std::size_t i,
                       const std::vector<std::int32_t>& counts) {
    const TDialogReach& reach = analysis.Reach;
    if (reach.Starts.empty() || i >= reach.Reached.size()) {
        return {};
    }
    if (!reach.Reached[i]) {
        return "never reached";
    }
    const TNodeKeep& node = analysis.Ws->Nodes[i];
    if (!reach.Opener[i] && !reach.Closer[i] && node.AnswerCount() == 0 && node.JumpCount() == 0) {
        return "dead end";
    }
    if (counts.empty() || counts[i] == 0) {
        return "reached";
    }
    return "reached from " + Plural(counts[i], "dialog start", "dialog starts");
}

TJson Lens(const TRange& range, std::string title, TJson command = "") {
    TJson lens = {{"range", RangeJson(range)}, {"command", {{"title", std::move(title)}, {"command", ""}}}};
    if (command.is_object()) {
        lens["command"] = std::move(command);
    }
    return lens;
}

} // namespace

TJson CodeLenses(const TFeatureContext& context) {
    const TScriptAnalysis& analysis = context.Analysis;
    const std::vector<std::int32_t> counts = StartsReaching(analysis);
    const std::unordered_map<std::string_view, std::int32_t> uses = UseCounts(analysis);
    TJson lenses = TJson::array();
    for (std::size_t i = 0; i < analysis.Ws->Nodes.size(); ++i) {
        const TNodeKeep& node = analysis.Ws->Nodes[i];
        if (node.Line <= 0) {
            continue;
        }
        const TRange range = WordRange(analysis.Script, node.Line, node.Name);
        if (std::string title = ReachTitle(analysis, i, counts); !title.empty()) {
            lenses.push_back(Lens(range, std::move(title)));
        }
        const auto named = uses.find(node.Name);
        const std::int32_t useCount = named == uses.end() ? 0 : named->second;
        const TJson show = {
            {"title", Plural(useCount, "use", "uses")},
            {"command", "dialoscope.showReferences"},
            {"arguments", {context.ScriptUri(), {{"line", range.Start.Line}, {"character", range.Start.Character}}}}};
        lenses.push_back(Lens(range, "", show));
    }
    return lenses;
}

} // namespace dialoscope::lsp
