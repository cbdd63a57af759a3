#include "load.h"

#include "detail/background_work.h"
#include "file_bytes.h"

#include <filesystem>
#include <new>
#include <optional>

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

// About as many tokens as a script of this size holds, rather fewer: room not used would be
// memory taken for nothing, and the list grows past it as it needs.
constexpr std::uintmax_t BytesPerTokenRoom = 4;

std::uintmax_t ScriptSize(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

} // namespace

void mnLoadClick(TWorkspace& ws, const std::string& path) {
    mnLoadClick(ws, path, nullptr);
}

void mnLoadClick(TWorkspace& ws, const std::string& path,
                 const std::function<void()>& betweenScriptReads) {
    ResetWindowForNewScript(ws, FileNamePart(path));
    // While this core reads a big script, the second makes room for its tokens.
    const std::uintmax_t size = ScriptSize(path);
    const bool big = size >= SecondCoreFromBytes && ws.Port.MayUseSecondCore();
    std::optional<TTokenStore> room;
    TBackgroundWork roomMaking(
        [&room, size] {
            try {
                room = TScanner::TokenRoom(size / BytesPerTokenRoom, true);
            } catch (const std::bad_alloc&) {
                // No room: the scan grows its list as it reads, as on a small script.
            }
        },
        big);
    // Each read replaces its buffer only when the file could be read, so a failure leaves
    // this buffer and every later one as the previous Load left them.
    ws.IntRich.LoadFromFile(ws.ScriptsLstPath);
    ws.MsgRich.LoadFromFile(ChangeFileExt(path, ".msg"));
    ws.Rich.LoadFromFile(path);
    ws.AnalyzeEnabled = true;
    if (big) {
        roomMaking.Finish(nullptr);
    }
    if (room) {
        ws.Scanner.ClearTokens(std::move(*room));
    } else {
        ws.Scanner.ClearTokens();
    }
    if (betweenScriptReads) {
        betweenScriptReads();
    }
    std::shared_ptr<const std::string> lines = ws.Rich.SharedBytes();
    // A big script is compared on both cores.
    TReread reread = RereadFileBytes(path, *lines, big);
    ws.ScriptStream.Clear();
    // Both reads nearly always give the same bytes: the stream then shares the lines' copy
    // instead of holding a second one.
    if (reread.Same) {
        ws.ScriptStream.SharedBytes = std::move(lines);
    } else {
        ws.ScriptStream.Bytes = std::move(reread.Bytes);
    }
    ws.ScriptStream.Position = ws.ScriptStream.Size();
}

} // namespace dialoscope
