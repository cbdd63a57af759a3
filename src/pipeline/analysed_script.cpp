#include "analysed_script.h"

#include <utility>

namespace dialoscope {

TAnalysedScript::TAnalysedScript(std::unique_ptr<TPort> port, std::unique_ptr<TWorkspace> ws)
    : Port_(std::move(port)), Ws_(std::move(ws)) {}

TAnalysedScript::~TAnalysedScript() = default;

} // namespace dialoscope
