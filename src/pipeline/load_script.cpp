#include "script_pipeline.h"

#include "analysis/file_bytes.h"
#include "analysis/load.h"
#include "detail/background_work.h"
#include "detail/reread_on_two_cores.h"
#include "scanner/scanner.h"

#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <utility>

namespace dialoscope {

namespace {

std::uintmax_t ScriptSize(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

// About as many tokens as a script of this size holds, rather fewer: room not used would be
// memory taken for nothing, and the list grows past it as it needs.
constexpr std::uintmax_t BytesPerTokenRoom = 4;

// Room for a big script's tokens, made on the second core while the first reads the files, so
// that the scan writes into memory already in place instead of fresh pages it would wait for one
// by one. Without room (no memory to be had) the scan grows its list as it reads.
class TTokenRoomMaking {
public:
    explicit TTokenRoomMaking(std::uintmax_t scriptBytes)
        : Work_([this, scriptBytes] { MakeRoom(scriptBytes / BytesPerTokenRoom); }, true) {}
    // Waits for the room and gives it to scanner, emptying its list.
    void HandTo(TScanner& scanner) {
        Work_.Finish(nullptr);
        Room_ ? scanner.ClearTokens(std::move(*Room_)) : scanner.ClearTokens();
    }

private:
    void MakeRoom(std::size_t tokens) {
        try {
            Room_ = TScanner::TokenRoom(tokens, true);
        } catch (const std::bad_alloc&) {
        }
    }
    std::optional<TTokenStore> Room_;
    TBackgroundWork Work_; // last: started once Room_ is in place
};

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
