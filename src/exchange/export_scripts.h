#pragma once
// The rows of an export of several scripts: each script loaded and analysed as the window does,
// its messages in dialog order, one script after another in the order given.

#include "export_rows.h"

#include "text/code_page.h"

#include <atomic>
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
    // Where the message boxes of an analysis go (a number that does not convert, ...).
    std::function<void(std::string_view)> ShowMessage;
    // How far the whole export is, 0..100, as each script's analysis goes on.
    std::function<void(int)> Progress;
    // Read while the scripts are analysed: once set, the export ends with no rows.
    const std::atomic<bool>* Cancel = nullptr;
    // Sees each script's analysis and rows while its workspace lives, for a caller that makes
    // more of them than rows (the voice-over script); may be empty.
    std::function<void(const TWorkspace&, const TScriptMessages&, const std::vector<TExportRow>&)>
        EachScript;
};

struct TExportResult {
    std::vector<TExportRow> Rows;
    std::vector<TUndefinedByte> UndefinedBytes;
    bool Cancelled = false; // the request's Cancel was set: Rows is empty
};

// A script named more than once is exported once. Throws EExchangeError for two different
// scripts of one name (in any letter case), and the error of the first script that cannot be
// loaded or analysed, or whose original cannot be read (EDialoscopeError with the file named);
// nothing is exported then.
TExportResult CollectExportRows(const TExportRequest& request, const TTextCodePage& codePage);

} // namespace dialoscope
