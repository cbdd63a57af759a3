#pragma once
// TAnalysedScript: one script after Load and Analyze, read only and shared. The command-line
// commands, the project run, the exchange, the window's background work and the language server
// read it; nothing changes it once it is made, so any thread may read it while the window loads
// or analyses anew.

#include "analysis/port.h"
#include "analysis/workspace.h"

#include <memory>

namespace dialoscope {

class TAnalysedScript {
public:
    // Takes over a workspace that Load and Analyze have filled, and the port it was made with.
    TAnalysedScript(std::unique_ptr<TPort> port, std::unique_ptr<TWorkspace> ws);
    TAnalysedScript(const TAnalysedScript&) = delete;
    TAnalysedScript& operator=(const TAnalysedScript&) = delete;
    ~TAnalysedScript();

    const TWorkspace& Workspace() const { return *Ws_; }

private:
    std::unique_ptr<TPort> Port_; // first: destroyed after the workspace that refers to it
    std::unique_ptr<TWorkspace> Ws_;
};

using TSharedScript = std::shared_ptr<const TAnalysedScript>;

} // namespace dialoscope
