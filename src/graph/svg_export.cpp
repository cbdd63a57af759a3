#include "svg_export.h"

#include "detail/child_process.h"
#include "detail/graphviz_run.h"

#include <memory>
#include <stdexcept>

namespace dialoscope {

namespace {

using graph_detail::TChildStatus;

std::string RenderInChild(const TDialogGraph& graph, const std::string& engine) {
    const graph_detail::TGraphvizRun run(graph, engine);
    char* data = nullptr;
    unsigned int length = 0;
    if (gvRenderData(run.Context(), run.Graph().Graph.get(), "svg", &data, &length) != 0) {
        throw std::runtime_error("rendering failed");
    }
    const std::unique_ptr<char, void (*)(char*)> owned(data, gvFreeRenderData);
    return std::string(data, length);
}

} // namespace

TSvgResult RenderSvg(const TDialogGraph& graph, const TLayoutOptions& options,
                     std::stop_token stop) {
    TSvgResult result;
    const std::string engine(EngineName(ChooseEngine(graph, options.Engine, result.Note)));
    const graph_detail::TChildResult child = graph_detail::RunInChildProcess(
        [&] { return RenderInChild(graph, engine); }, options.Timeout, stop);
    switch (child.Status) {
    case TChildStatus::Done:
        result.Status = TLayoutStatus::Done;
        result.Svg = child.Output;
        return result;
    case TChildStatus::Failed:
        result.Status = TLayoutStatus::Failed;
        result.Note = "Graphviz could not draw this graph (" + child.Why + ").";
        return result;
    case TChildStatus::TimedOut:
        result.Status = TLayoutStatus::TimedOut;
        result.Note = "Drawing the graph took longer than " +
                      std::to_string(options.Timeout.count() / 1000) + " s and was stopped.";
        return result;
    case TChildStatus::Cancelled:
        result.Status = TLayoutStatus::Cancelled;
        result.Note = "Drawing the graph was cancelled.";
        return result;
    }
    return result;
}

} // namespace dialoscope
