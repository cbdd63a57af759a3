#include "script_snapshot.h"

#include <memory>

namespace dialoscope {

namespace {

// The shared token list slices the bytes it was scanned from, which Load shares and the copy
// keeps alive. Only a stream that holds bytes of its own (not one Load fills) keeps them inside
// the workspace that changes next, and the copy must scan a copy of them.
void CopyTokens(const TWorkspace& ws, TWorkspace& copy) {
    copy.Scanner = ws.Scanner;
    if (ws.ScriptStream.SharedBytes != nullptr && ws.ScriptStream.Bytes.empty()) {
        copy.ScriptStream.SharedBytes = ws.ScriptStream.SharedBytes;
        copy.ScriptStream.Position = ws.ScriptStream.Position;
        return;
    }
    copy.ScriptStream.Bytes = ws.ScriptStream.Data();
    copy.ScriptStream.Position = 0;
    copy.Scanner.ScanStream(copy.ScriptStream);
}

} // namespace

TSharedScript SnapshotOf(const TWorkspace& ws) {
    auto port = std::make_unique<TNullPort>();
    auto copy = std::make_unique<TWorkspace>(*port);
    copy->Rich = ws.Rich;
    copy->MsgRich = ws.MsgRich;
    copy->IntRich = ws.IntRich;
    copy->Nodes = ws.Nodes;
    copy->ScriptList = ws.ScriptList;
    copy->ScriptIndex = ws.ScriptIndex;
    copy->MsgFileName = ws.MsgFileName;
    CopyTokens(ws, *copy);
    copy->AnalyzeEnabled = ws.AnalyzeEnabled;
    copy->AnalysisCommandsEnabled = ws.AnalysisCommandsEnabled;
    return std::make_shared<const TAnalysedScript>(std::move(port), std::move(copy));
}

} // namespace dialoscope
