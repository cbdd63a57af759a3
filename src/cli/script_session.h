#pragma once
// One script loaded and analysed for play and quicktest: Load and Analyze with a port that shows
// neither the pane nor the General View, message boxes as lines on standard error.

#include "analysis/analyze_request.h"
#include "analysis/workspace.h"

#include <memory>
#include <string>

namespace dialoscope {

class TSessionPort;

class TScriptSession {
public:
    // mayUseSecondCore: false when every core already analyses a script of its own.
    explicit TScriptSession(bool mayUseSecondCore = true);
    ~TScriptSession();
    TScriptSession(const TScriptSession&) = delete;
    TScriptSession& operator=(const TScriptSession&) = delete;

    // Throws what Load or Analyze throws; Analyze's error text begins "Analyze stopped: ".
    void Open(const std::string& script, const std::string& scriptsLst);
    const TWorkspace& Workspace() const { return *Ws_; }

private:
    TAnalyzeRequest Request_;
    std::unique_ptr<TSessionPort> Port_;
    std::unique_ptr<TWorkspace> Ws_;
};

} // namespace dialoscope
