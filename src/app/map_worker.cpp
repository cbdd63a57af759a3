#include "map_worker.h"

#include "graph/graph_scope.h"

#include <chrono>

namespace dialoscope {

namespace {

std::int32_t FirstStart(const TDialogGraph& graph) {
    for (std::int32_t v = 0; v < graph.VertexCount(); ++v) {
        if (graph.Vertices[static_cast<std::size_t>(v)].Kind == TVertexKind::Start) {
            return v;
        }
    }
    return -1;
}

bool IsStartVertex(const TDialogGraph& graph, std::int32_t v) {
    return v >= 0 && v < graph.VertexCount() &&
           graph.Vertices[static_cast<std::size_t>(v)].Kind == TVertexKind::Start;
}

} // namespace

TDialogGraph SelectMapScope(const TDialogGraph& whole, const TMapScope& scope, std::string& note) {
    switch (scope.Kind) {
    case TMapScopeKind::Whole:
        return SelectScope(whole, {TScopeKind::Whole});
    case TMapScopeKind::Dialog: {
        const std::int32_t start =
            IsStartVertex(whole, scope.StartVertex) ? scope.StartVertex : FirstStart(whole);
        // Without a dialog start the whole script is the map; the graph's note says so.
        return start < 0 ? SelectScope(whole, {TScopeKind::Whole})
                         : SelectScope(whole, {TScopeKind::Dialog, start});
    }
    case TMapScopeKind::Around: {
        const std::int32_t root = whole.VertexOfNode(scope.Node);
        if (root < 0) {
            note = "Select a node in the General View to map its neighbourhood.";
            return {};
        }
        return SelectScope(whole, {TScopeKind::Around, root, scope.Steps});
    }
    }
    return {};
}

TMapWorker::TMapWorker(TDeliver deliver)
    : Deliver_(std::move(deliver)), Thread_([this](std::stop_token stop) { Run(stop); }) {}

TMapWorker::~TMapWorker() {
    {
        const std::lock_guard lock(Lock_);
        Current_.request_stop();
    }
    Thread_.request_stop();
    Thread_.join();
}

std::uint64_t TMapWorker::Post(TMapJob job) {
    const std::lock_guard lock(Lock_);
    Current_.request_stop();
    Pending_ = std::move(job);
    ++PendingId_;
    Changed_.notify_all();
    return PendingId_;
}

void TMapWorker::Drop() {
    const std::lock_guard lock(Lock_);
    Pending_.reset();
    Current_.request_stop();
}

void TMapWorker::Run(std::stop_token stop) {
    for (;;) {
        std::unique_lock lock(Lock_);
        if (!Changed_.wait(lock, stop, [this] { return Pending_.has_value(); })) {
            return;
        }
        const TMapJob job = std::move(*Pending_);
        const std::uint64_t id = PendingId_;
        Pending_.reset();
        Current_ = std::stop_source();
        const std::stop_token jobStop = Current_.get_token();
        lock.unlock();

        std::shared_ptr<TMapResult> result;
        try {
            result = Execute(job, jobStop);
        } catch (const std::exception& error) {
            // Out of memory on a huge script, say: the map says so instead of the thread ending
            // the program.
            result = std::make_shared<TMapResult>();
            result->Note = std::string("The map could not be made: ") + error.what();
        }
        result->Job = id;
        if (!jobStop.stop_requested()) {
            Deliver_(std::move(result));
        }
    }
}

std::shared_ptr<TMapResult> TMapWorker::Execute(const TMapJob& job, std::stop_token stop) const {
    const auto started = std::chrono::steady_clock::now();
    auto result = std::make_shared<TMapResult>();
    result->Whole = job.Whole ? job.Whole
                              : std::make_shared<const TDialogGraph>(
                                    BuildDialogGraph(job.Script->Workspace(), job.Build));
    result->Shown = SelectMapScope(*result->Whole, job.Scope, result->Note);
    // Graphviz takes minutes on such a map, and its engines have given up on generated dialogs
    // of a few thousand nodes; the user picks a smaller part instead of waiting for that.
    if (result->Shown.VertexCount() > DotVertexLimit) {
        result->Layout.Status = TLayoutStatus::Failed;
        result->Layout.Note = "This map has " + std::to_string(result->Shown.VertexCount()) +
                              " boxes, more than the window lays out in good time: choose "
                              "\"Around the selected node\" (or dialoscope-cli graph for the "
                              "whole file).";
    } else if (!result->Shown.Vertices.empty() && !stop.stop_requested()) {
        result->Layout = LayOutDialogGraph(result->Shown, {}, stop);
    }
    // dot's edge routing gives up (aborts) on some dialogs; sfdp still gives a map to read.
    const bool laidOutByDot = result->Shown.VertexCount() <= DotVertexLimit;
    if (result->Layout.Status == TLayoutStatus::Failed && laidOutByDot && !stop.stop_requested()) {
        TLayoutResult second =
            LayOutDialogGraph(result->Shown, {.Engine = TLayoutEngine::Sfdp}, stop);
        if (second.Status == TLayoutStatus::Done) {
            second.Note = result->Layout.Note + " The map is laid out by sfdp instead.";
            result->Layout = std::move(second);
        }
    }
    result->Milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(
                               std::chrono::steady_clock::now() - started)
                               .count();
    return result;
}

} // namespace dialoscope
