#include "script_pipeline.h"

#include "analysis/file_bytes.h"
#include "analysis/load.h"
#include "detail/background_work.h"
#include "detail/reread_on_two_cores.h"
#include "detail/token_room.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace dialoscope {

namespace {

std::uintmax_t ScriptSize(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

bool LoadsOnTwoCores(const std::string& path, const TAnalyzeRequest& request,
                     const TSplitPlan& plan) {
    return request.Cores >= 2 && plan.PaysTwoCores(ScriptSize(path));
}

} // namespace

TReread RereadOnTwoCores(const std::string& path, std::string_view known) {
    const std::size_t middle = known.size() / 2;
    bool secondHolds = false;
    TBackgroundWork second(
        [&] {
            secondHolds = FileHoldsAt(path, known.substr(middle), middle, TFileEnd::RightAfter);
        },
        true);
    const bool firstHolds = FileHoldsAt(path, known.substr(0, middle), 0, TFileEnd::Anywhere);
    second.Finish(nullptr);
    if (firstHolds && secondHolds) {
        return {.Same = true, .Bytes = {}};
    }
    return RereadFileBytes(path, known);
}

void LoadScript(TWorkspace& ws, const std::string& path, const TAnalyzeRequest& request,
                const TSplitPlan& plan, const std::function<void()>& betweenScriptReads) {
    if (!LoadsOnTwoCores(path, request, plan)) {
        mnLoadClick(ws, path, betweenScriptReads);
        return;
    }
    ResetForScript(ws, path);
    // While this core reads the files, the second makes room for the script's tokens.
    TTokenRoomMaking room(ScriptSize(path));
    ReadScriptFiles(ws, path);
    room.HandTo(ws.Scanner);
    if (betweenScriptReads) {
        betweenScriptReads();
    }
    const std::shared_ptr<const std::string> lines = ws.Rich.SharedBytes();
    TakeScriptBytes(ws, RereadOnTwoCores(path, *lines));
}

} // namespace dialoscope
