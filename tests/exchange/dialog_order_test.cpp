#include "exchange/detail/dialog_order.h"

#include "checks/message_entries.h"
#include "loaded_script.h"

#include <gtest/gtest.h>

namespace dialoscope {
namespace {

// Two starts (Talk reaches A, which loops back to itself and leads to B; Other reaches C,
// which calls B), an unreached node D, message 110 used twice, 120 used by none.
constexpr const char* Script =
    "script Talk('talk.msg');\n"
    "function A; forward;\nfunction B; forward;\n"
    "function C; forward;\nfunction D; forward;\n"
    "\n"
    "function A;\nbegin\n"
    "  SayForAnswer(102);\n"
    "  Say(Self, 1, 101);\n"
    "  Answer(1, 103, @A);\n"
    "  Answer(1, 104, @B);\n"
    "end;\n\n"
    "function B;\nbegin\n"
    "  Say(Player, 1, 110);\n"
    "  Write(GetStr(105) + GetStr(106));\n"
    "end;\n\n"
    "function C;\nbegin\n"
    "  Say(GetObjectID(5), 1, 107);\n"
    "  B;\n"
    "end;\n\n"
    "function D;\nbegin\n"
    "  Say(Self, 1, 3, Rnd(108,109));\n"
    "  Answer(1, 110, @A);\n"
    "end;\n\n"
    "function Talk;\nbegin\n  OpenDialog(GetObjectID(0));\n  A;\nend;\n\n"
    "function Other;\nbegin\n  OpenDialog(GetObjectID(1));\n  C;\nend;\n\n"
    "end.\n";

std::string Messages() {
    std::string text;
    for (int n = 101; n <= 110; ++n) {
        const std::string number = std::to_string(n);
        text.append("{").append(number).append("}{}{text ").append(number).append("}\n");
    }
    return text + "{120}{}{nobody}\n";
}

TEST(DialogOrder, StartsThenTheRestThenUnusedMessages) {
    const test::TTempFolder folder;
    const auto loaded = test::LoadScript(folder, Script, Messages());
    ASSERT_EQ(loaded->AnalyzeError, "");
    const TMessageEntries entries = ReadMessageEntries(loaded->Ws.MsgRich);
    std::vector<std::string> order;
    for (const TOrderedMessage& message : DialogOrder(loaded->Ws, entries)) {
        std::string text = std::to_string(message.Number);
        for (const TMessagePlace& place : message.Places) {
            text += " " + loaded->Ws.Nodes[static_cast<std::size_t>(place.Node)].Name + ":" +
                    std::to_string(place.Line);
        }
        order.push_back(text);
    }
    // A's lines in the order they stand (102 before 101), then its answers; B through A's
    // answer; C from the second start; D unreached; 120 unused. 110 appears once, both places.
    const std::vector<std::string> expected = {"102 A:9",       "101 A:10", "103 A:11", "104 A:12",
                                               "110 B:17 D:30", "105 B:18", "106 B:18", "107 C:23",
                                               "108 D:29",      "109 D:29", "120"};
    EXPECT_EQ(order, expected);
}

TEST(DialogOrder, NodesOnceEachReachedFirst) {
    const test::TTempFolder folder;
    const auto loaded = test::LoadScript(folder, Script, Messages());
    std::vector<std::string> names;
    for (const std::int32_t node : NodesInDialogOrder(loaded->Ws)) {
        names.push_back(loaded->Ws.Nodes[static_cast<std::size_t>(node)].Name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "C", "D", "Talk", "Other"}))
        << "reached from the starts first, then the rest in script order";
}

} // namespace
} // namespace dialoscope
