#include "load.h"

#include "file_bytes.h"

#include <memory>
#include <utility>

namespace dialoscope {

namespace {

void ResetWindowForNewScript(TWorkspace& ws, const std::string& fileName) {
    ws.Caption = "Dialoscope - " + fileName;
    ws.GeneralView.Clear();
    ws.DialogsTree.Clear();
    for (const TCounter counter :
         {TCounter::Script, TCounter::Msg, TCounter::Units, TCounter::Vars, TCounter::Func}) {
        ws.SetCounter(counter, "*");
    }
    ws.Port.ClearOutput();
    ws.IntFileName = ChangeFileExt(fileName, ".int");
    ws.SaveOutputPreset = ChangeFileExt(fileName, ".prs");
    ws.SaveTreePreset = ChangeFileExt(fileName, ".tre");
}

} // namespace

void mnLoadClick(TWorkspace& ws, const std::string& path) {
    mnLoadClick(ws, path, nullptr);
}

void mnLoadClick(TWorkspace& ws, const std::string& path,
                 const std::function<void()>& betweenScriptReads) {
    ResetForScript(ws, path);
    ReadScriptFiles(ws, path);
    ws.Scanner.ClearTokens();
    if (betweenScriptReads) {
        betweenScriptReads();
    }
    const std::shared_ptr<const std::string> lines = ws.Rich.SharedBytes();
    TakeScriptBytes(ws, RereadFileBytes(path, *lines));
}

void ResetForScript(TWorkspace& ws, const std::string& path) {
    ResetWindowForNewScript(ws, FileNamePart(path));
}

// Each read replaces its buffer only when the file could be read, so a failure leaves this
// buffer and every later one as the previous Load left them.
void ReadScriptFiles(TWorkspace& ws, const std::string& path) {
    ws.IntRich.LoadFromFile(ws.ScriptsLstPath);
    ws.MsgRich.LoadFromFile(ChangeFileExt(path, ".msg"));
    ws.Rich.LoadFromFile(path);
    ws.AnalyzeEnabled = true;
}

// Both reads nearly always give the same bytes: the stream then shares the lines' copy instead
// of holding a second one. Either way the bytes are shared, so that a snapshot sharing the token
// list that slices them keeps them alive.
void TakeScriptBytes(TWorkspace& ws, TReread reread) {
    ws.ScriptStream.Clear();
    ws.ScriptStream.SharedBytes =
        reread.Same ? ws.Rich.SharedBytes()
                    : std::make_shared<const std::string>(std::move(reread.Bytes));
    ws.ScriptStream.Position = ws.ScriptStream.Size();
}

} // namespace dialoscope
