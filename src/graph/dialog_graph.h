#pragma once
// TDialogGraph: where the conversation of one analysed script can go, as plain data for the
// exports, the layout and the window's map. A vertex per node record, a vertex per name that an
// answer, a call or a dialog start gives but no node has (marked missing), and a vertex per
// "OpenDialog" (a start); an edge per answer, per call and per dialog start. Every text in it is
// UTF-8, decoded from the script's and the message file's bytes through the chosen code page, so
// the exports never see a byte their format cannot hold.

#include "analysis/message_use.h"
#include "analysis/workspace.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

enum class TVertexKind : std::uint8_t {
    Node,    // a node record of the script
    Missing, // a name an answer, a call or a dialog start gives and no node has
    Start,   // an "OpenDialog": its one edge leads to the dialog's start node
};

// What the dialog-health checks say of a vertex; several may hold at once.
enum TVertexFlag : std::uint8_t {
    VertexStart = 1,       // a dialog start vertex, or the node a dialog starts at
    VertexUnreachable = 2, // no dialog start reaches the node
    VertexDeadEnd = 4,     // reached, but offers no answer, calls no node, closes no dialog
    VertexMissing = 8,     // the name is no node's name
};
using TVertexFlags = std::uint8_t;

// A message a said line or an answer uses, as the node analysis read it.
struct TGraphMessage {
    TMsgRef Ref;
    // The message file's text, UTF-8; only when texts were asked for and the file has one (a
    // message of this script's own file: a single number, or the low end of a range). For a
    // concatenation, the texts of all its parts that have one, joined with a blank.
    std::optional<std::string> Text;
    bool operator==(const TGraphMessage&) const = default;
};

// A said line of a node: its caption as the General View shows it ("say =101").
struct TGraphLine {
    std::string Caption;
    std::optional<TGraphMessage> Message; // its first message part, when it has one
    bool operator==(const TGraphLine&) const = default;
};

struct TGraphVertex {
    TVertexKind Kind = TVertexKind::Node;
    // Unique within the graph: the name for the node a name stands for (the last record of
    // that name), "NAME (line L)" for an earlier record of the same name, "OpenDialog (line
    // L)" for a start. DOT uses it as the node's id.
    std::string Id;
    std::string Name;       // the node's name; "OpenDialog" for a start
    std::int32_t Node = -1; // index into the workspace's Nodes; -1 for missing and start vertices
    std::int32_t Line = 0;  // "function" line, or the "OpenDialog" line; 0 when unknown
    TVertexFlags Flags = 0;
    std::vector<TGraphLine> Lines; // said lines, in the node record's order
    bool operator==(const TGraphVertex&) const = default;
};

enum class TEdgeKind : std::uint8_t { Answer, Call, Start };

struct TGraphEdge {
    std::int32_t From = 0; // vertex indexes
    std::int32_t To = 0;
    TEdgeKind Kind = TEdgeKind::Answer;
    // An answer's caption ("answer =102"), or its message text when texts were asked for and
    // found; empty for calls and starts.
    std::string Label;
    std::optional<TGraphMessage> Message; // an answer's first message part
    std::int32_t Line = 0;                // the answer's, call's or OpenDialog's line
    bool operator==(const TGraphEdge&) const = default;
};

struct TDialogGraph {
    std::vector<TGraphVertex> Vertices;
    std::vector<TGraphEdge> Edges;
    // What a user should know about the graph ("The script opens no dialog ..."), UTF-8.
    std::vector<std::string> Notes;

    std::int32_t VertexCount() const { return static_cast<std::int32_t>(Vertices.size()); }
    // The vertex with this id, or -1. Linear: for occasional lookups.
    std::int32_t FindVertex(std::string_view id) const;
    // The vertex of node record node (an index into the workspace's Nodes), or -1 when the
    // graph does not hold it.
    std::int32_t VertexOfNode(std::int32_t node) const;
};

// Bytes of the script or the message file to UTF-8.
using TUtf8Decoder = std::function<std::string(std::string_view)>;

struct TGraphBuildOptions {
    // Null: windows-1252.
    TUtf8Decoder ToUtf8;
    // Look up message texts in the script's message file for line messages and answer labels.
    bool Texts = false;
};

inline constexpr std::string_view NoDialogStartNote =
    "The script opens no dialog: the map shows the whole script.";

// The whole script's graph. ws holds an analysed script (after Load and Analyze; a stopped
// Analyze gives the records it kept). Linear in nodes, answers, calls and tokens.
TDialogGraph BuildDialogGraph(const TWorkspace& ws, const TGraphBuildOptions& options = {});

// Words for the exports.
std::string_view KindWord(TVertexKind kind);
std::string_view KindWord(TEdgeKind kind);
// The flags' words in a fixed order: "start", "unreachable", "dead-end", "missing".
std::vector<std::string_view> FlagWords(TVertexFlags flags);
// A message reference as the node analysis captions it: "101", "100-105", "5:123"; a literal
// has no text of its own and gives "".
std::string RefText(const TMsgRef& ref);

} // namespace dialoscope
