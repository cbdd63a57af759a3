#pragma once
// TMapWorker: the Dialog Map's one worker thread. It builds the dialog graph of the analysed
// script, picks the vertices the map shows and has Graphviz lay it out (in a child process), so the
// window's thread never waits for any of it. A job posted while another runs stops that one (its
// layout child is killed at once) and replaces one not yet begun: only the latest job counts.
//
// The graph is built from the analysed script the job names, a read-only snapshot that the job
// keeps alive: the window may load and analyse anew while a job runs.

#include "graph/dialog_graph.h"
#include "graph/graph_layout.h"
#include "pipeline/analysed_script.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

namespace dialoscope {

enum class TMapScopeKind : std::uint8_t {
    Dialog, // what a dialog start reaches
    Around, // a node's neighbourhood
    Whole,  // the whole script
};

struct TMapScope {
    TMapScopeKind Kind = TMapScopeKind::Dialog;
    std::int32_t StartVertex = -1; // Dialog: a start vertex of the whole graph; -1: the first
    std::int32_t Node = -1;        // Around: a workspace node; -1: none selected
    std::int32_t Steps = 2;        // Around
    bool operator==(const TMapScope&) const = default;
};

struct TMapJob {
    TSharedScript Script;
    // The whole script's graph when it is already built; null: build it first.
    std::shared_ptr<const TDialogGraph> Whole;
    TGraphBuildOptions Build;
    TMapScope Scope;
};

struct TMapResult {
    std::uint64_t Job = 0;
    std::shared_ptr<const TDialogGraph> Whole;
    TDialogGraph Shown; // the vertices and edges laid out
    TLayoutResult Layout;
    // Why the map is empty when it is ("Select a node ..."); empty otherwise.
    std::string Note;
    std::int64_t Milliseconds = 0;
};

class TMapWorker {
public:
    // Called on the worker thread with each finished job that was not stopped.
    using TDeliver = std::function<void(std::shared_ptr<TMapResult>)>;

    explicit TMapWorker(TDeliver deliver);
    ~TMapWorker();
    TMapWorker(const TMapWorker&) = delete;
    TMapWorker& operator=(const TMapWorker&) = delete;

    // The job's number, which its result carries.
    std::uint64_t Post(TMapJob job);
    // Drops the waiting job and stops the running one, whose result is not delivered; returns at
    // once.
    void Drop();

private:
    void Run(std::stop_token stop);
    std::shared_ptr<TMapResult> Execute(const TMapJob& job, std::stop_token stop) const;

    TDeliver Deliver_;
    std::mutex Lock_;
    std::condition_variable_any Changed_;
    std::optional<TMapJob> Pending_;
    std::uint64_t PendingId_ = 0;
    std::stop_source Current_;
    std::jthread Thread_; // last: it starts once everything above exists
};

// The subgraph a scope gives, or an empty graph and why.
TDialogGraph SelectMapScope(const TDialogGraph& whole, const TMapScope& scope, std::string& note);

} // namespace dialoscope
