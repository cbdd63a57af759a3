#include "detail/message_use_check.h"

#include "message_parts.h"

#include "analysis/int_conversion.h"
#include "analysis/load.h"

#include <algorithm>
#include <map>
#include <unordered_set>
#include <utility>

namespace dialoscope {

namespace {

// At most this many missing numbers of one range are named in its finding.
constexpr std::size_t ListedMissingLimit = 10;

struct TUsedNumbers {
    std::unordered_set<std::int32_t> Singles;
    std::vector<std::pair<std::int32_t, std::int32_t>> Ranges; // sorted and merged by Seal

    void Seal();
    bool Contains(std::int32_t n) const;
};

void TUsedNumbers::Seal() {
    std::sort(Ranges.begin(), Ranges.end());
    std::vector<std::pair<std::int32_t, std::int32_t>> merged;
    for (const auto& range : Ranges) {
        if (!merged.empty() &&
            std::int64_t{range.first} <= std::int64_t{merged.back().second} + 1) {
            merged.back().second = std::max(merged.back().second, range.second);
        } else {
            merged.push_back(range);
        }
    }
    Ranges = std::move(merged);
}

bool TUsedNumbers::Contains(std::int32_t n) const {
    if (Singles.count(n) != 0) {
        return true;
    }
    // The first range whose start lies beyond n; the one before it is the only candidate.
    const auto after =
        std::upper_bound(Ranges.begin(), Ranges.end(), n,
                         [](std::int32_t value, const auto& range) { return value < range.first; });
    return after != Ranges.begin() && n <= std::prev(after)->second;
}

// The missing numbers of lo..hi, the first few of them named.
struct TRangeGaps {
    std::int64_t MissingCount = 0;
    std::vector<std::int32_t> Listed;
};

class TMessageUseChecker {
public:
    TMessageUseChecker(const TWorkspace& ws, const TMessageEntries& messages,
                       TOtherScriptNumbers& otherScripts, const TMessageUseFiles& files,
                       std::vector<TFinding>& findings)
        : Ws_(ws), Messages_(messages), Other_(otherScripts), Files_(files),
          MsgFileName_(FileNamePart(files.Messages)), Findings_(findings) {
        for (const auto& [number, index] : messages.LastByNumber) {
            Present_.push_back(number);
        }
        std::sort(Present_.begin(), Present_.end());
    }

    void CheckUses() {
        for (std::size_t i = 0; i < Ws_.Nodes.size(); ++i) {
            for (const TMsgUse use : Ws_.Nodes[i].Lists.MsgUses()) {
                CheckUse(static_cast<std::int32_t>(i), use);
            }
        }
    }

    void CollectGetStrReads();
    void CheckUnused();

private:
    void CheckUse(std::int32_t node, const TMsgUse& use);
    void CheckSingle(std::int32_t node, const TMsgUse& use, std::int32_t n);
    void CheckRange(std::int32_t node, const TMsgUse& use, std::int32_t lo, std::int32_t hi);
    void CheckOtherScript(std::int32_t node, const TMsgUse& use, const TMsgRef& item);
    const TRangeGaps& GapsOf(std::int32_t lo, std::int32_t hi);
    void AddScriptFinding(TFindingKind kind, std::int32_t node, const TMsgUse& use,
                          std::int32_t number, std::string text);

    const TWorkspace& Ws_;
    const TMessageEntries& Messages_;
    TOtherScriptNumbers& Other_;
    const TMessageUseFiles& Files_;
    std::string MsgFileName_;
    std::vector<TFinding>& Findings_;
    std::vector<std::int32_t> Present_; // the message file's numbers, sorted
    std::map<std::pair<std::int32_t, std::int32_t>, TRangeGaps> Gaps_;
    TUsedNumbers Used_;
};

void TMessageUseChecker::AddScriptFinding(TFindingKind kind, std::int32_t node, const TMsgUse& use,
                                          std::int32_t number, std::string text) {
    TFinding finding =
        MakeFinding(kind, TFindingSource::Script, Files_.Script, use.Line, std::move(text));
    finding.Node = node;
    finding.NodeName = Ws_.Nodes[static_cast<std::size_t>(node)].Name;
    finding.MsgNumber = number;
    Findings_.push_back(std::move(finding));
}

void TMessageUseChecker::CheckUse(std::int32_t node, const TMsgUse& use) {
    const TMsgRef& ref = use.Value;
    switch (ref.Kind) {
    case TMsgRefKind::Single:
        CheckSingle(node, use, ref.Number);
        break;
    case TMsgRefKind::Range:
        if (ref.IsReversed()) {
            AddScriptFinding(TFindingKind::ReversedRange, node, use, ref.First(),
                             "range " + std::string(use.Ref) + " runs from high to low: read as " +
                                 std::to_string(ref.First()) + "-" + std::to_string(ref.Last()));
        }
        CheckRange(node, use, ref.First(), ref.Last());
        break;
    case TMsgRefKind::OtherScript:
        CheckOtherScript(node, use, ref);
        break;
    case TMsgRefKind::Literal:
        break; // a variable or expression: nothing to check
    }
}

void TMessageUseChecker::CheckSingle(std::int32_t node, const TMsgUse& use, std::int32_t n) {
    Used_.Singles.insert(n);
    if (Messages_.Find(n) != nullptr) {
        return;
    }
    AddScriptFinding(TFindingKind::MissingMessage, node, use, n,
                     "message " + std::to_string(n) + " is not in " + MsgFileName_);
}

const TRangeGaps& TMessageUseChecker::GapsOf(std::int32_t lo, std::int32_t hi) {
    const auto [it, isNew] = Gaps_.try_emplace({lo, hi});
    TRangeGaps& gaps = it->second;
    if (!isNew) {
        return gaps;
    }
    const auto first = std::lower_bound(Present_.begin(), Present_.end(), lo);
    const auto last = std::upper_bound(Present_.begin(), Present_.end(), hi);
    gaps.MissingCount = (std::int64_t{hi} - lo + 1) - (last - first);
    // Walk the gaps between present numbers until enough missing ones are named.
    std::int64_t next = lo;
    for (auto p = first; gaps.Listed.size() < ListedMissingLimit && next <= hi; ++p) {
        const std::int64_t gapEnd = p == last ? std::int64_t{hi} + 1 : std::int64_t{*p};
        for (; next < gapEnd && gaps.Listed.size() < ListedMissingLimit; ++next) {
            gaps.Listed.push_back(static_cast<std::int32_t>(next));
        }
        if (p == last) {
            break;
        }
        next = std::int64_t{*p} + 1;
    }
    return gaps;
}

void TMessageUseChecker::CheckRange(std::int32_t node, const TMsgUse& use, std::int32_t lo,
                                    std::int32_t hi) {
    Used_.Ranges.emplace_back(lo, hi);
    const TRangeGaps& gaps = GapsOf(lo, hi);
    if (gaps.MissingCount == 0) {
        return;
    }
    std::string text = "range " + std::string(use.Ref) + ": ";
    for (std::size_t i = 0; i < gaps.Listed.size(); ++i) {
        text += (i == 0 ? "" : ", ") + std::to_string(gaps.Listed[i]);
    }
    if (gaps.MissingCount > static_cast<std::int64_t>(gaps.Listed.size())) {
        text += " and " + std::to_string(gaps.MissingCount - gaps.Listed.size()) + " more";
    }
    text += gaps.MissingCount == 1 ? " is" : " are";
    text += " not in " + MsgFileName_;
    AddScriptFinding(TFindingKind::MissingMessage, node, use, gaps.Listed.front(), std::move(text));
}

void TMessageUseChecker::CheckOtherScript(std::int32_t node, const TMsgUse& use,
                                          const TMsgRef& item) {
    const TOtherScriptAnswer other = Other_.Ask(item.Script, item.Number);
    if (other.State == TOtherScriptState::NotListed) {
        AddScriptFinding(TFindingKind::BadScriptRef, node, use, item.Number,
                         std::string(use.Ref) + ": script " + std::to_string(item.Script) +
                             " is not in scripts.lst");
        return;
    }
    // Without its message file beside the script, the reference cannot be checked further.
    if (other.State == TOtherScriptState::Loaded && !other.HoldsMessage) {
        AddScriptFinding(TFindingKind::BadScriptRef, node, use, item.Number,
                         std::string(use.Ref) + ": message " + std::to_string(item.Number) +
                             " is not in " + other.MsgFileName);
    }
}

// "GetStr(n)" outside the statements the node analysis reads (conditions, assignments) still
// shows message n.
void TMessageUseChecker::CollectGetStrReads() {
    const TScanner& scanner = Ws_.Scanner;
    const std::int32_t count = scanner.TokenCount();
    for (std::int32_t i = 0; i + 3 < count; ++i) {
        if (scanner.TextAt(i) != "GetStr" || scanner.TextAt(i + 1) != "(" ||
            scanner.TextAt(i + 3) != ")") {
            continue;
        }
        const std::string_view ref = scanner.TextAt(i + 2);
        const std::size_t comma = ref.find(',');
        if (comma != std::string_view::npos) {
            if (TryStrToInt(ref.substr(0, comma)) != Ws_.ScriptIndex) {
                continue; // another script's message
            }
        }
        const auto n = TryStrToInt(comma == std::string_view::npos ? ref : ref.substr(comma + 1));
        if (n) {
            Used_.Singles.insert(*n);
        }
    }
}

void TMessageUseChecker::CheckUnused() {
    Used_.Seal();
    std::unordered_set<std::int32_t> reported;
    for (const TMessageEntry& entry : Messages_.Entries) {
        if (Used_.Contains(entry.Number) || !reported.insert(entry.Number).second) {
            continue;
        }
        TFinding finding = MakeFinding(
            TFindingKind::UnusedMessage, TFindingSource::Messages, Files_.Messages, entry.Line,
            "message " + std::to_string(entry.Number) + " is not used by any node");
        finding.MsgNumber = entry.Number;
        Findings_.push_back(std::move(finding));
    }
}

} // namespace

void CheckMessageUses(const TWorkspace& ws, const TMessageEntries& messages,
                      TOtherScriptNumbers& otherScripts, const TMessageUseFiles& files,
                      std::vector<TFinding>& findings) {
    TMessageUseChecker checker(ws, messages, otherScripts, files, findings);
    checker.CheckUses();
    checker.CollectGetStrReads();
    checker.CheckUnused();
}

} // namespace dialoscope
