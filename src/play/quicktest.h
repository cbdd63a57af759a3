#pragma once
// Quicktest: from every dialog start, every answer and call is taken at least once, each node
// expanded once per start, and the report says what was reached and what went wrong: per start,
// the nodes reached of all nodes, the answers and calls that lead to no node, the nodes where the
// dialog can end and the longest choice path without repeats; for the script, the choices no
// start ever offers and the coverage.
//
// The longest choice path without repeats is taken in the dialog as a depth-first walk from the
// start sees it, choices in order: the walk drops each choice that leads back into the path it is
// on, which leaves no loop, and the longest path of what is left is the answer. Every path it
// gives repeats no node; a longer one may exist (finding the longest in general takes time no
// script can wait for), but never where the dialog has no loop. Each start costs time linear in
// the nodes and choices it reaches, whatever the loops; no recursion, so chains of any depth do.

#include "play_script.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dialoscope {

// A choice the report names.
struct TQuicktestChoice {
    std::string Node;        // the node that offers it
    std::int32_t Number = 0; // 1-based among the node's choices
    std::int32_t Line = 0;
    TChoiceKind Kind = TChoiceKind::Answer;
    std::string Target;
    bool TargetIsNode = true;
};

enum class TDialogEndKind : std::uint8_t {
    CloseDialog, // the node calls CloseDialog
    NoWayOn,     // the node has no answer and no call
};

struct TQuicktestEnd {
    std::string Node;
    TDialogEndKind Kind = TDialogEndKind::CloseDialog;
};

struct TQuicktestStart {
    std::string Name;
    bool NamesNode = true; // false: the start names no node, and nothing below is set
    std::int32_t OpenDialogLine = 0;
    std::int32_t NodesReached = 0;
    std::int32_t AnswersOffered = 0;
    std::vector<TQuicktestChoice> MissingTargets; // in the order the walk met them
    std::vector<TQuicktestEnd> Ends;
    // The longest choice path without repeats: the start, then each node a choice led to.
    std::vector<std::string> LongestPath;
    std::vector<std::int32_t> LongestChoices; // 1-based: the choice taken at each node but the last
};

// A node that opens a dialog (the script's entry that calls OpenDialog) is a starting place, not
// part of a dialog: unless a start reaches it, it counts in no total and offers nothing "never
// offered", so a script whose dialogs reach every node has full coverage.
struct TQuicktestReport {
    std::string Script;       // as the user named it
    std::string Error;        // the load or analysis error; nothing else is set when there is one
    std::int32_t Nodes = 0;   // the nodes of the dialogs: all but the unreached starting places
    std::int32_t Answers = 0; // their answers
    std::int32_t Calls = 0;   // and their calls
    std::int32_t NodesReached = 0;       // from any start
    std::int32_t AnswersOffered = 0;     // in the nodes reached from any start
    std::vector<TQuicktestStart> Starts; // empty: "no dialog start"
    // Answers and calls in nodes no start reaches, in script order.
    std::vector<TQuicktestChoice> NeverOffered;

    // An answer or call reached from a start, or a dialog start, that names no node.
    bool HasMissingTarget() const;
    // Failed: an error, or a missing target.
    bool Failed() const { return !Error.empty() || HasMissingTarget(); }
    // Percent of all, 100 when there is nothing to reach.
    double NodeCoverage() const;
    double AnswerCoverage() const;
};

TQuicktestReport RunQuicktest(const TPlayScript& script, std::string scriptName);

} // namespace dialoscope
