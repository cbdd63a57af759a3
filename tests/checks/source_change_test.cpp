// What changed in the original since the older one a translation was made from: a changed, a
// new and a removed original, each counted apart, and the changed one a finding at its line.

#include "check_support.h"

#include "checks/message_entries.h"
#include "checks/source_change.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace dialoscope::test {
namespace {

using ::testing::ElementsAre;

TEST(SourceChange, ChangedNewAndRemovedOriginals) {
    TLineStore sinceLines;
    sinceLines.SetText("{100}{}{Halt at the north gate.}\r\n"
                       "{101}{}{Well?}\r\n"
                       "{102}{}{A line cut since.}\r\n"
                       "{103}{}{Was duplicated.}\r\n"
                       "{103}{}{Kept.}\r\n");
    TLineStore originalLines;
    originalLines.SetText("# changed, unchanged, new; 102 removed\r\n"
                          "{100}{}{Halt at the east gate.}\r\n"
                          "{101}{}{Well?}\r\n"
                          "{104}{}{A new line.}\r\n"
                          "{103}{}{Kept.}\r\n");
    const TMessageEntries since = ReadMessageEntries(sinceLines);
    const TMessageEntries original = ReadMessageEntries(originalLines);

    struct TRow {
        std::int32_t Number;
        TSourceChange Expected;
    };
    for (const TRow row : {TRow{100, TSourceChange::Changed}, TRow{101, TSourceChange::Unchanged},
                           TRow{103, TSourceChange::Unchanged}, TRow{104, TSourceChange::New}}) {
        SCOPED_TRACE(row.Number);
        EXPECT_EQ(SourceChangeOf(row.Number, since, original), row.Expected);
    }
    EXPECT_EQ(CountSourceChanges(since, original),
              (TSourceChangeCounts{.Changed = 1, .New = 1, .Removed = 1, .Originals = 4}));

    std::vector<TFinding> findings;
    CompareSources(since, original, TSourceFiles{"orig.msg", TFindingSource::OriginalMessages},
                   TTextCodePage(), findings);
    EXPECT_THAT(DescribeAll(findings),
                ElementsAre("changed-source 2 #100: message 100 changed in the original: \"Halt "
                            "at the [-north-] {+east+} gate.\""));
    EXPECT_EQ(findings.front().File, "orig.msg");
    EXPECT_EQ(findings.front().Severity, TSeverity::Warning);
}

} // namespace
} // namespace dialoscope::test
