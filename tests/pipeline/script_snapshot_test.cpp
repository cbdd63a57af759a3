// A snapshot shares the node records and the token list Analyze made instead of copying them,
// and keeps them as they were while the workspace loads and analyses another script, also when
// the file changed between Load's two reads of it.

#include "pipeline/script_snapshot.h"

#include "analysis/analyze.h"
#include "analysis/load.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace dialoscope {
namespace {

using test::TTempFolder;

std::string Script(const std::string& node) {
    return "script S('s.msg');\r\n\r\nfunction " + node + ";\r\nbegin\r\n  Say(Self, 1, 100);\r\n" +
           "end;\r\n\r\nend.\r\n";
}

// What the snapshot's readers read: the nodes' names and every token's text.
std::string Contents(const TWorkspace& ws) {
    std::string contents;
    for (const TNodeKeep& node : ws.Nodes) {
        contents += node.Name + '\n';
    }
    for (std::int32_t i = 0; i < ws.Scanner.TokenCount(); ++i) {
        contents += std::string(ws.Scanner.TextAt(i)) + ' ';
    }
    return contents;
}

TEST(SnapshotOf, SharesWhatAnalyzeMadeAndKeepsItThroughTheNextLoadAndAnalyze) {
    for (const bool changedBetweenReads : {false, true}) {
        SCOPED_TRACE(changedBetweenReads ? "file changed between Load's reads" : "file unchanged");
        TTempFolder folder;
        const std::string path = folder.Write("s.ipp", Script("Hello"));
        folder.Write("s.msg", "{100}{}{Hello.}\r\n");
        TNullPort port;
        TWorkspace ws(port);
        ws.ScriptsLstPath = folder.Write("scripts.lst", "s.int 1\r\n");
        mnLoadClick(ws, path, [&] {
            if (changedBetweenReads) {
                folder.Write("s.ipp", Script("Changed"));
            }
        });
        sbRestartClick(ws);
        const TSharedScript snapshot = SnapshotOf(ws);
        const TWorkspace& shared = snapshot->Workspace();
        ASSERT_EQ(shared.NodeCount(), 1);
        EXPECT_EQ(&shared.Nodes[0], &ws.Nodes[0]);
        ASSERT_NE(ws.Scanner.TokenTags(), nullptr);
        EXPECT_EQ(shared.Scanner.TokenTags(), ws.Scanner.TokenTags());
        const std::string before = Contents(shared);
        EXPECT_NE(before.find(changedBetweenReads ? "Changed" : "Hello"), std::string::npos);

        folder.Write("s.ipp", Script("Another") + "// longer\r\n");
        mnLoadClick(ws, path);
        sbRestartClick(ws);
        EXPECT_NE(Contents(ws), before);
        EXPECT_EQ(Contents(shared), before);
    }
}

} // namespace
} // namespace dialoscope
