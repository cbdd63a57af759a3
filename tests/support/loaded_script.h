#pragma once
// A script written into a folder with its message file and scripts.lst, then loaded and analysed
// as the window does.

#include "temp_folder.h"

#include "analysis/port.h"
#include "analysis/workspace.h"

#include <memory>
#include <string>
#include <string_view>

namespace dialoscope::test {

// A workspace after Load and Analyze of talk.ipp in a folder.
struct TLoaded {
    TNullPort Port;
    TWorkspace Ws{Port};
    std::string ScriptPath;
    std::string AnalyzeError; // what() of an error that ended Analyze, empty when none
};

// Writes talk.ipp, talk.msg and scripts.lst (listing talk.int on line 1 unless scriptsLst is
// given) into the folder, then loads and analyses talk.ipp.
std::unique_ptr<TLoaded> LoadScript(const TTempFolder& folder, std::string_view script,
                                    std::string_view messages,
                                    std::string_view scriptsLst = "talk.int ; this script\n");

// Loads and analyses a script that is already on disk, with the scripts.lst beside it.
std::unique_ptr<TLoaded> LoadScriptFile(const std::string& scriptPath,
                                        const std::string& scriptsLst);

} // namespace dialoscope::test
