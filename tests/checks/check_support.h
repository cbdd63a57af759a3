#pragma once
// Shared helpers of the checks tests: scripts written into a temporary folder, loaded and
// analysed as the window does, and findings described in one line each for comparisons.

#include "analysis/port.h"
#include "analysis/workspace.h"
#include "checks/finding.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope::test {

// A folder that lives as long as the object.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // Writes the bytes to name inside the folder and returns the file's path.
    std::string Write(const std::string& name, std::string_view bytes) const;
    std::string Path(const std::string& name) const { return Folder_ + "/" + name; }
    const std::string& Folder() const { return Folder_; }

private:
    std::string Folder_;
};

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

// "kind line node #n: text" (node and #n only when set), for whole-list comparisons.
std::string Describe(const TFinding& finding);
std::vector<std::string> DescribeAll(const std::vector<TFinding>& findings);
// Only the findings of one kind, described.
std::vector<std::string> DescribeKind(const std::vector<TFinding>& findings, TFindingKind kind);

// The 1-based line of the first line of text that contains needle; 0 when none.
std::int32_t LineOf(std::string_view text, std::string_view needle);

// A dialog script: the header, a forward declaration per name in forwards, the node texts as
// given (each followed by a blank line), a start node "TalkStart" that opens a dialog at
// startNode, and "end.".
std::string DialogScript(const std::vector<std::string>& forwards,
                         const std::vector<std::string>& nodes,
                         std::string_view startNode = "Node1");

} // namespace dialoscope::test
