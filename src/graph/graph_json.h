#pragma once
// The dialog graph as JSON, written and read by nlohmann/json:
//   {"notes": [TEXT...],
//    "vertices": [{"id", "name", "kind": "node"|"missing"|"start", "node": INDEX|null, "line",
//                  "flags": ["start"|"unreachable"|"dead-end"|"missing"...],
//                  "lines": [{"caption", "message", "text"?}...]}...],
//    "edges": [{"from": ID, "to": ID, "kind": "answer"|"call"|"start", "label", "message",
//               "text"?, "line"}...]}
// A message is its number, "LOW-HIGH" for a range, "SCRIPT:NUMBER" for another script's, or
// null; "text" is there when the graph was built with texts and the message file has one.

#include "dialog_graph.h"

#include <string>
#include <string_view>

namespace dialoscope {

// Indented by two blanks, ending in a line break.
std::string WriteGraphJson(const TDialogGraph& graph);

// A graph from the JSON WriteGraphJson writes; throws nlohmann::json::exception (parse_error,
// type_error, out_of_range) on anything else, and std::invalid_argument for an edge whose end
// names no vertex.
TDialogGraph ReadGraphJson(std::string_view json);

} // namespace dialoscope
