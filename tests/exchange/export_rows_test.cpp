#include "exchange/export_scripts.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace dialoscope {
namespace {

std::map<std::int32_t, TExportRow> RowsByNumber(const std::string& folder,
                                                const std::string& script) {
    TExportRequest request;
    request.Scripts = {{folder + "/" + script + ".ipp", script}};
    request.ScriptsLst = folder + "/scripts.lst";
    std::map<std::int32_t, TExportRow> rows;
    for (TExportRow& row : CollectExportRows(request, TTextCodePage("windows-1252")).Rows) {
        rows[row.Number] = std::move(row);
    }
    return rows;
}

// Was: "previous" was the row before in the file, whatever the player heard; GetObjectID(14)
// and GetObjectID(23) were both "GetObjectID"; Say(Player, ...) was an "NPC line".
TEST(ExportRows, ContextIsWhatThePlayerHeardAndWhoSaysIt) {
    const std::string source = DIALOSCOPE_SOURCE_DIR;
    const struct {
        std::string Folder;
        std::string Script;
        std::int32_t Number;
        std::string Role;
        std::string Speaker;
        std::string Previous;
    } cases[] = {
        // An answer: the NPC line it answers, not the answer before it.
        {"/examples", "guard", 103, "player answer -> AskSmith", "Player",
         "Well? I haven't got all day."},
        // A node's first line: the answer the player came by.
        {"/examples", "guard", 106, "NPC line", "Self", "Tell me about the town."},
        // A concatenation is one line, and heard as one.
        {"/examples", "guard", 108, "NPC line, part of one line: 107 + 108", "Self",
         "Millbrook? Best mill on the river, and the worst ale."},
        {"/examples", "guard", 109, "player answer -> AskSmith", "Player",
         "The market opens at dawn. Keep your purse close there."},
        {"/examples", "guard", 120, "player answer -> Greeting, part of one line: 120 + 121",
         "Player", "No coin, no gate...."},
        {"/examples", "guard", 113, "player line", "Player", "I'd like to pass through the gate."},
        // Reached by a call: the caller's line before the call.
        {"/examples", "guard", 117, "NPC line", "Self", "Here is the toll."},
        // An answer after the player's own line answers the NPC's line before it.
        {"/tests/cli/inputs", "voiced", 101, "player answer -> Ask", "Player",
         "Halt! State your business."},
        {"/tests/cli/inputs", "voiced", 103, "NPC line", "GetObjectID(14)", " Well?"},
        {"/tests/cli/inputs", "voiced", 104, "NPC line", "GetObjectID(23)", "First guard."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Script + " " + std::to_string(c.Number));
        const auto rows = RowsByNumber(source + c.Folder, c.Script);
        ASSERT_TRUE(rows.contains(c.Number));
        const TExportRow& row = rows.at(c.Number);
        EXPECT_EQ(row.Role, c.Role);
        EXPECT_EQ(row.Speaker, c.Speaker);
        EXPECT_EQ(row.PreviousLine, c.Previous);
    }
}

} // namespace
} // namespace dialoscope
