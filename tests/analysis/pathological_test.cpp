// Inputs far outside what a script usually holds: they must stay quick and small.

#include "analysis_texts.h"

#include "analysis/message_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace dialoscope::test {
namespace {

// Was 99,901 mark texts per node: about 7 GB for a thousand nodes.
TEST(Pathological, RangeOverTheWholeTableInEveryNodeOfAThousand) {
    std::string script = "script Talk('talk.msg');\r\n\r\n";
    for (int n = 1; n <= 1000; ++n) {
        script += "function N" + std::to_string(n) + ";\r\nbegin\r\n";
        script += "  Say(Self, 1, 3, Rnd(100,100000));\r\n  Answer(1, 100-100000, @N1);\r\n";
        script += "end;\r\n\r\n";
    }
    script += "end.\r\n";
    const auto a = AnalyzeText(script);
    ASSERT_EQ(a->Ws.NodeCount(), 1000);
    for (const TNodeKeep& node : a->Ws.Nodes) {
        ASSERT_EQ(node.MsgUsed.Count(), 99901);
    }
    EXPECT_EQ(a->Ws.Nodes[999].MsgMark(77777), "77777");
}

TEST(Pathological, MessageFileOfAHundredThousandLines) {
    std::string file;
    for (int n = 1; n <= 100000; ++n) {
        const std::string number = std::to_string(n);
        file.append("{")
            .append(number)
            .append("}{}{message number ")
            .append(number)
            .append("}\r\n");
    }
    TLineStore lines;
    lines.SetText(file);
    TMsgKeepArray table;
    const auto start = std::chrono::steady_clock::now();
    LoadMessages(table, lines);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(table.MaxNum, 100000);
    EXPECT_EQ(table.Text(100000), "message number 100000");
    EXPECT_EQ(table.Msg.size(), 100000u);
}

} // namespace
} // namespace dialoscope::test
