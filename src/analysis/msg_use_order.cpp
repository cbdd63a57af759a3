#include "msg_use_order.h"

#include <algorithm>

namespace dialoscope {

std::vector<TMsgUse> UsesInNodeOrder(const TNodeLists& lists) {
    std::vector<TMsgUse> uses;
    uses.reserve(static_cast<std::size_t>(lists.MsgUseCount()));
    for (const TMsgUse use : lists.MsgUses()) {
        uses.push_back(use);
    }
    std::stable_sort(uses.begin(), uses.end(), [](const TMsgUse& a, const TMsgUse& b) {
        if (IsAnswerUse(a) != IsAnswerUse(b)) {
            return IsAnswerUse(b);
        }
        return a.Line < b.Line;
    });
    return uses;
}

} // namespace dialoscope
