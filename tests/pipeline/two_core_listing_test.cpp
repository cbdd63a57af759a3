// Load and Analyze on two cores against one: the tables parsed beside the scan, the tokens read
// ahead taken where the scans meet, and every pane line, message, counter and General View item
// the same, on the generated megabytes with the measured plan and on a few lines with both
// splits forced.

#include "analysis/errors.h"
#include "analysis/load.h"
#include "analysis_texts.h"
#include "pipeline/script_pipeline.h"
#include "workload.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {
namespace {

// A big script's tables are parsed on a second core while it is scanned, but only when the
// token list is empty (the first Analyze after Load); a later Analyze does both in turn.
TEST(Analyze, TablesReadBesideABigScanAsInTurn) {
    const struct {
        std::size_t Bytes;
        TSplitPlan Plan;
    } sizes[] = {{(std::size_t{1} << 20) + 1000, MeasuredPlan}, {200, ForcedPlan}};
    for (const auto& size : sizes) {
        std::string script = "function N; forward;\r\n";
        while (script.size() < size.Bytes) {
            script += "function N;\r\nbegin\r\n  Say(Self, 1, 101);\r\n  N;\r\nend;\r\n\r\n";
        }
        script += "end.";
        for (const std::string_view messages : {"{101}{}{ok}", "{101}{}{ok}\r\n{bad}{}{}"}) {
            SCOPED_TRACE(std::string(messages) + ", " + std::to_string(size.Bytes) + " bytes");
            const bool bad = messages.find("bad") != std::string_view::npos;
            test::TAnalyzed a;
            test::LoadTexts(a.Ws, script, messages);
            std::vector<std::string> outputs;
            for (int run = 0; run < 2; ++run) {
                EXPECT_EQ(a.Ws.Scanner.TokenCount() == 0, run == 0 || bad);
                try {
                    AnalyzeScript(a.Ws, EverythingRequest, size.Plan);
                    EXPECT_FALSE(bad);
                } catch (const EConvertError&) {
                    EXPECT_TRUE(bad);
                    EXPECT_EQ(a.Ws.Scanner.TokenCount(), 0); // as if the scan had not begun
                }
                EXPECT_EQ(a.Port.Output.empty(), bad);
                outputs.push_back(a.Port.Output.empty() ? "" : a.Port.Output.back());
                EXPECT_EQ(a.Ws.MsgTable.Text(101), "ok");
            }
            EXPECT_EQ(outputs[0], outputs[1]);
        }
    }
}

// A script loaded and analysed on two cores: the first core takes the tokens the second read
// ahead, and the pass shows exactly what it shows on one core.
TEST(Analyze, BigScriptOnTwoCoresAsOnOne) {
    const struct {
        const char* Workload;
        TSplitPlan Plan;
    } sizes[] = {{"--target-mb 2 --seed 5", MeasuredPlan}, {"--nodes 6 --seed 5", ForcedPlan}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(size.Workload);
        const std::string folder = test::GeneratedWorkload(size.Workload);
        test::TRecordingPort twoPort;
        test::TRecordingPort onePort;
        TWorkspace two(twoPort);
        TWorkspace one(onePort);
        for (TWorkspace* ws : {&two, &one}) {
            const TAnalyzeRequest request{.Cores = ws == &two ? 2 : 1};
            ws->ScriptsLstPath = folder + "/scripts.lst";
            LoadScript(*ws, folder + "/talk.ipp", request, size.Plan);
            AnalyzeScript(*ws, request, size.Plan);
        }
        EXPECT_GT(two.TokensReadAhead, two.Scanner.TokenCount() / 8);
        EXPECT_EQ(one.TokensReadAhead, 0);
        EXPECT_EQ(twoPort.Output, onePort.Output);
        EXPECT_EQ(twoPort.Messages, onePort.Messages);
        EXPECT_EQ(two.Counters, one.Counters);
        EXPECT_EQ(test::TreeLines(two.GeneralView), test::TreeLines(one.GeneralView));
    }
}

} // namespace
} // namespace dialoscope
