#include "script_session.h"

#include "analysis/analyze.h"
#include "analysis/errors.h"
#include "analysis/load.h"

#include <cstdio>

namespace dialoscope {

class TSessionPort : public TNullPort {
public:
    explicit TSessionPort(bool mayUseSecondCore) : MayUseSecondCore_(mayUseSecondCore) {}
    bool MayUseSecondCore() const override { return MayUseSecondCore_; }
    bool ShowsOutput() const override { return false; }
    bool ShowsGeneralView() const override { return false; }
    void ShowMessage(std::string_view text) override {
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fputc('\n', stderr);
    }

private:
    bool MayUseSecondCore_;
};

TScriptSession::TScriptSession(bool mayUseSecondCore)
    : Port_(std::make_unique<TSessionPort>(mayUseSecondCore)),
      Ws_(std::make_unique<TWorkspace>(*Port_)) {}

TScriptSession::~TScriptSession() = default;

void TScriptSession::Open(const std::string& script, const std::string& scriptsLst) {
    Ws_->ScriptsLstPath = scriptsLst;
    mnLoadClick(*Ws_, script);
    try {
        sbRestartClick(*Ws_);
    } catch (const std::exception& error) {
        throw EDialoscopeError(std::string("Analyze stopped: ") + ErrorText(error));
    }
}

} // namespace dialoscope
