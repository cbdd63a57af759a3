#include "searches.h"

#include "scanner/ascii.h"

#include <algorithm>
#include <string>

namespace dialoscope {

namespace {

constexpr std::string_view NotFound = "Not found!";

void AppendLeadsTo(TWorkspace& ws, const TNodeKeep& node, std::string_view target) {
    ws.AppendOutput(node.Name + " --> " + std::string(target));
}

} // namespace

void Button2Click(TWorkspace& ws, std::int32_t n) {
    ws.Port.ClearOutput();
    // Numbers outside the marked range have no slot; the field would have clamped them anyway.
    n = std::clamp(n, MsgUsedLow, MsgUsedHigh);
    const std::string number = std::to_string(n);
    bool found = false;
    for (const TNodeKeep& node : ws.Nodes) {
        // A mark written with leading zeros is not the plain number and does not count.
        if (node.MsgMark(n) == number) {
            ws.AppendOutput(node.Name + " " + number);
            found = true;
        }
    }
    if (!found) {
        ws.AppendOutput(NotFound);
    }
}

void Button3Click(TWorkspace& ws, std::string_view name) {
    ws.Port.ClearOutput();
    bool found = false;
    for (const TNodeKeep& node : ws.Nodes) {
        for (const std::string_view jump : node.Lists.Jumps()) {
            if (EqualIgnoringAsciiCase(jump, name)) {
                AppendLeadsTo(ws, node, jump);
                found = true;
            }
        }
        for (const TAnswer answer : node.Lists.Answers()) {
            if (EqualIgnoringAsciiCase(answer.Target, name)) {
                AppendLeadsTo(ws, node, answer.Target);
                found = true;
            }
        }
    }
    if (!found) {
        ws.AppendOutput(NotFound);
    }
}

} // namespace dialoscope
