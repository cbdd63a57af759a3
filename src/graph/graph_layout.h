#pragma once
// The dialog graph laid out by Graphviz, as plain data the window draws: a box per vertex, a
// spline per edge with its arrowhead and label place, and the size of the whole drawing.
//
// Where the layout runs, and why: Graphviz keeps process-wide state that is not thread-safe and
// can abort the process on some inputs, and the window must never go down with a layout. So
// LayOutDialogGraph forks a child process (detail/child_process.h) that builds the Graphviz
// graph, lays it out and sends back the positions; the caller's process never calls the layout
// engine. A crash in the child is a failed layout with a note, a layout past the timeout is
// killed with a note, and a stop request kills it at once. The call blocks until then: the
// window runs it on a worker thread and requests a stop to cancel.
//
// Engines: "dot", top to bottom, for a dialog or a neighbourhood and for a whole script of up to
// DotVertexLimit vertices; beyond that "sfdp" (no ranks, but seconds instead of minutes), with a
// note asking for a dialog.

#include "dialog_graph.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace dialoscope {

// Points (1/72 inch) with y growing downwards, (0,0) the drawing's top left corner.
struct TLayoutPoint {
    double X = 0;
    double Y = 0;
    bool operator==(const TLayoutPoint&) const = default;
};

struct TVertexBox {
    TLayoutPoint Center;
    double Width = 0; // the whole box
    double Height = 0;
};

struct TEdgeCurve {
    // A cubic B-spline as Graphviz draws it: a start point, then three points per piece
    // (two control points and the piece's end); may be empty when the engine drew no curve.
    std::vector<TLayoutPoint> Points;
    // Where the arrowhead's tip lies; the head then runs from the curve's last point to it.
    std::optional<TLayoutPoint> ArrowTip;
    // The label's centre and size, when the edge has a label.
    std::optional<TLayoutPoint> LabelCenter;
    double LabelWidth = 0;
    double LabelHeight = 0;
};

struct TGraphLayout {
    double Width = 0;
    double Height = 0;
    std::string Engine;            // "dot" or "sfdp"
    std::vector<TVertexBox> Boxes; // one per vertex of the graph laid out, same index
    std::vector<TEdgeCurve> Edges; // one per edge, same index
};

enum class TLayoutStatus : std::uint8_t {
    Done,
    Failed,    // Graphviz failed or crashed on this graph; Note says so
    TimedOut,  // killed after the timeout; Note says so
    Cancelled, // a stop was requested
};

struct TLayoutResult {
    TLayoutStatus Status = TLayoutStatus::Failed;
    TGraphLayout Layout; // Done only
    // What the user should read beside the map (the engine chosen for a big graph, why there is
    // no map); empty when there is nothing to say.
    std::string Note;
};

inline constexpr std::int32_t DotVertexLimit = 2000;

enum class TLayoutEngine : std::uint8_t {
    Auto, // dot up to DotVertexLimit vertices, sfdp beyond
    Dot,
    Sfdp,
};

struct TLayoutOptions {
    TLayoutEngine Engine = TLayoutEngine::Auto;
    std::chrono::milliseconds Timeout{60000};
};

// The engine Auto picks for a graph, and the note that goes with it (empty for dot).
TLayoutEngine ChooseEngine(const TDialogGraph& graph, TLayoutEngine wanted, std::string& note);
std::string_view EngineName(TLayoutEngine engine);

// Lays the graph out in a child process; see the header comment. Safe to call from any thread.
TLayoutResult LayOutDialogGraph(const TDialogGraph& graph, const TLayoutOptions& options = {},
                                std::stop_token stop = {});

} // namespace dialoscope
