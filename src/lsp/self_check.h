#pragma once
// dialoscope-lsp --check FILE: every feature of the server run on one script or message file,
// as an editor would ask for it, without an editor; what each answered is printed. The exit
// status is 1 when a request failed or the file cannot be read, else 0: the findings themselves
// are what the file says, not a fault of the server.

#include <cstdio>
#include <optional>
#include <string>

namespace dialoscope::lsp {

struct TSelfCheckOptions {
    std::string File;
    std::string CodePage = "windows-1252";
    std::optional<std::string> OriginalFolder;
};

int RunSelfCheck(const TSelfCheckOptions& options, std::FILE* out, std::FILE* errors);

} // namespace dialoscope::lsp
