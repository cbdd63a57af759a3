#include "graphviz_run.h"

#include <stdexcept>

namespace dialoscope::graph_detail {

namespace {

// The child has no one to read Graphviz's warnings; its failure is reported by its result.
int NoMessages(char*) {
    return 0;
}

} // namespace

TGraphvizRun::TGraphvizRun(const TDialogGraph& graph, const std::string& engine)
    : Context_(gvContext()) {
    agseterr(AGMAX);
    agseterrf(NoMessages);
    Graph_ = MakeCgraph(graph);
    if (gvLayout(Context_, Graph_.Graph.get(), engine.c_str()) != 0) {
        throw std::runtime_error("layout failed");
    }
    LaidOut_ = true;
}

TGraphvizRun::~TGraphvizRun() {
    if (LaidOut_) {
        gvFreeLayout(Context_, Graph_.Graph.get());
    }
    Graph_.Graph.reset();
    gvFreeContext(Context_);
}

} // namespace dialoscope::graph_detail
