#include "script_session.h"

#include "analysis/analyze.h"
#include "analysis/errors.h"
#include "analysis/load.h"
#include "pipeline/script_pipeline.h"

#include <cstdio>

namespace dialoscope {

class TSessionPort : public TNullPort {
public:
    void ShowMessage(std::string_view text) override {
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fputc('\n', stderr);
    }
};

TScriptSession::TScriptSession(bool mayUseSecondCore)
    : Request_{.Listing = false, .GeneralView = false, .Cores = mayUseSecondCore ? 2 : 1},
      Port_(std::make_unique<TSessionPort>()), Ws_(std::make_unique<TWorkspace>(*Port_)) {}

TScriptSession::~TScriptSession() = default;

void TScriptSession::Open(const std::string& script, const std::string& scriptsLst) {
    Ws_->ScriptsLstPath = scriptsLst;
    LoadScript(*Ws_, script, Request_);
    try {
        AnalyzeScript(*Ws_, Request_);
    } catch (const std::exception& error) {
        throw EDialoscopeError(std::string("Analyze stopped: ") + ErrorText(error));
    }
}

} // namespace dialoscope
