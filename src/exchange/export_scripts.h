#pragma once
// The rows of an export of several scripts: each script loaded and analysed as the window does,
// its messages in dialog order, the scripts' rows in the order given whatever order they were
// analysed in.

#include "export_rows.h"

#include "text/code_page.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

struct TExportScript {
    std::string Path;   // the script file
    std::string Script; // its name in the export, as scripts.lst names it without extension
};

struct TExportRequest {
    std::vector<TExportScript> Scripts;
    std::string ScriptsLst;
    // The original message files: one file (for one script) or the folder that holds them under
    // the scripts' message files' names. Unset: each script's own message file is the original.
    std::optional<std::string> Against;
    // The older originals the translations were made from (a file, or a folder as Against):
    // what changed since is marked in the rows. Each must be readable.
    std::optional<std::string> Since;
    // Calls work(index, cores) for each script index below count, on as many workers as it
    // likes; cores is how many cores that script's own analysis may use. Unset: one script after
    // another, each on two cores.
    std::function<void(std::size_t count,
                       const std::function<void(std::size_t index, std::int32_t cores)>& work)>
        ForEach;
    // Where the message boxes of an analysis go (a number that does not convert, ...): each
    // script's once its analysis is done, in the scripts' order.
    std::function<void(std::string_view)> ShowMessage;
    // How far the whole export is, 0..100, as each script's analysis goes on; called from the
    // workers ForEach runs the scripts on.
    std::function<void(int)> Progress;
    // Read while the scripts are analysed: once set, the export ends with no rows.
    const std::atomic<bool>* Cancel = nullptr;
    // Sees each script's analysis and rows while its workspace lives, for a caller that makes
    // more of them than rows (the voice-over script); may be empty. Called on ForEach's workers,
    // so with a ForEach that runs scripts side by side it must keep each script apart.
    std::function<void(const TWorkspace&, const TScriptMessages&, const std::vector<TExportRow>&)>
        EachScript;
};

struct TExportResult {
    std::vector<TExportRow> Rows;
    std::vector<TUndefinedByte> UndefinedBytes;
    bool Cancelled = false; // the request's Cancel was set: Rows is empty
    // With Since: the changed, new and removed originals of every script.
    std::optional<TSourceChangeCounts> Changes;
};

// A script named more than once is exported once. Throws EExchangeError for two different
// scripts of one name (in any letter case), and the error of the first script that cannot be
// loaded or analysed, or whose original cannot be read (EDialoscopeError with the file named);
// nothing is exported then.
TExportResult CollectExportRows(const TExportRequest& request, const TTextCodePage& codePage);

} // namespace dialoscope
