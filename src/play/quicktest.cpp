#include "quicktest.h"

#include <algorithm>

namespace dialoscope {

namespace {

double Percent(std::int32_t part, std::int32_t whole) {
    return whole == 0 ? 100.0 : 100.0 * part / whole;
}

class TQuicktest {
public:
    explicit TQuicktest(const TPlayScript& script)
        : Script_(script), Size_(static_cast<std::size_t>(script.NodeCount())), Seen_(Size_, 0),
          OnPath_(Size_, 0), Longest_(Size_, 0), Next_(Size_, -1), ReachedAny_(Size_, 0) {}

    TQuicktestReport Run(std::string scriptName) {
        TQuicktestReport report;
        report.Script = std::move(scriptName);
        for (const TPlayStart& start : Script_.Starts()) {
            report.Starts.push_back(WalkFrom(start));
        }
        for (std::int32_t node = 0; node < Script_.NodeCount(); ++node) {
            if (!ReachedAny_[Index(node)] && Script_.OpensDialog(node)) {
                continue;
            }
            ++report.Nodes;
            const std::int32_t answers = Script_.AnswerCount(node);
            report.Answers += answers;
            report.Calls += Script_.ChoiceCount(node) - answers;
            if (ReachedAny_[Index(node)]) {
                ++report.NodesReached;
                report.AnswersOffered += answers;
            } else if (!report.Starts.empty()) {
                AddChoices(node, report.NeverOffered);
            }
        }
        return report;
    }

private:
    struct TFrame {
        std::int32_t Node = -1;
        std::int32_t NextChoice = 0;
    };

    static std::size_t Index(std::int32_t node) { return static_cast<std::size_t>(node); }

    TQuicktestChoice ChoiceAt(std::int32_t node, std::int32_t choice) const {
        const std::int32_t target = Script_.ChoiceTarget(node, choice);
        return {Script_.NodeName(node),
                choice + 1,
                Script_.ChoiceLine(node, choice),
                Script_.ChoiceKindOf(node, choice),
                std::string(Script_.ChoiceTargetName(node, choice)),
                target >= 0};
    }

    void AddChoices(std::int32_t node, std::vector<TQuicktestChoice>& to) const {
        for (std::int32_t choice = 0; choice < Script_.ChoiceCount(node); ++choice) {
            to.push_back(ChoiceAt(node, choice));
        }
    }

    // A node met for the first time from this start: what it offers and whether it ends.
    void Visit(std::int32_t node, TQuicktestStart& start) {
        const std::size_t i = Index(node);
        Seen_[i] = Stamp_;
        OnPath_[i] = 1;
        Longest_[i] = 0;
        Next_[i] = -1;
        ReachedAny_[i] = 1;
        ++start.NodesReached;
        start.AnswersOffered += Script_.AnswerCount(node);
        for (std::int32_t choice = 0; choice < Script_.ChoiceCount(node); ++choice) {
            if (Script_.ChoiceTarget(node, choice) < 0) {
                start.MissingTargets.push_back(ChoiceAt(node, choice));
            }
        }
        if (Script_.EndsDialog(node)) {
            start.Ends.push_back({Script_.NodeName(node), TDialogEndKind::CloseDialog});
        } else if (Script_.ChoiceCount(node) == 0) {
            start.Ends.push_back({Script_.NodeName(node), TDialogEndKind::NoWayOn});
        }
    }

    // to is finished, so its longest path is known and holds no node of the current path.
    void Offer(std::int32_t from, std::int32_t choice, std::int32_t to) {
        const std::int32_t length = Longest_[Index(to)] + 1;
        if (length > Longest_[Index(from)]) {
            Longest_[Index(from)] = length;
            Next_[Index(from)] = choice;
        }
    }

    TQuicktestStart WalkFrom(const TPlayStart& playStart) {
        TQuicktestStart start;
        start.Name = playStart.Name;
        start.OpenDialogLine = playStart.OpenDialogLine;
        start.NamesNode = playStart.Node >= 0;
        if (!start.NamesNode) {
            return start;
        }
        ++Stamp_;
        std::vector<TFrame> path;
        Visit(playStart.Node, start);
        path.push_back({playStart.Node, 0});
        while (!path.empty()) {
            const TFrame top = path.back();
            if (top.NextChoice < Script_.ChoiceCount(top.Node)) {
                ++path.back().NextChoice;
                Follow(top.Node, top.NextChoice, path, start);
                continue;
            }
            OnPath_[Index(top.Node)] = 0;
            path.pop_back();
            if (!path.empty()) {
                Offer(path.back().Node, path.back().NextChoice - 1, top.Node);
            }
        }
        KeepLongestPath(playStart.Node, start);
        return start;
    }

    void Follow(std::int32_t node, std::int32_t choice, std::vector<TFrame>& path,
                TQuicktestStart& start) {
        const std::int32_t to = Script_.ChoiceTarget(node, choice);
        if (to < 0) {
            return;
        }
        if (Seen_[Index(to)] != Stamp_) {
            Visit(to, start);
            path.push_back({to, 0});
        } else if (!OnPath_[Index(to)]) {
            Offer(node, choice, to);
        } // else: back into the path, a loop
    }

    void KeepLongestPath(std::int32_t node, TQuicktestStart& start) const {
        start.LongestPath.push_back(Script_.NodeName(node));
        for (std::int32_t choice = Next_[Index(node)]; choice >= 0; choice = Next_[Index(node)]) {
            start.LongestChoices.push_back(choice + 1);
            node = Script_.ChoiceTarget(node, choice);
            start.LongestPath.push_back(Script_.NodeName(node));
        }
    }

    const TPlayScript& Script_;
    std::size_t Size_;
    // Seen_[i] == Stamp_: node i was met from the current start, so no array is cleared between
    // starts and each start costs only what it reaches.
    std::vector<std::uint32_t> Seen_;
    std::uint32_t Stamp_ = 0;
    std::vector<char> OnPath_;
    std::vector<std::int32_t> Longest_; // choices on the longest path on from a finished node
    std::vector<std::int32_t> Next_;    // the choice that begins it, -1 at its end
    std::vector<char> ReachedAny_;
};

} // namespace

bool TQuicktestReport::HasMissingTarget() const {
    return std::ranges::any_of(Starts, [](const TQuicktestStart& start) {
        return !start.NamesNode || !start.MissingTargets.empty();
    });
}

double TQuicktestReport::NodeCoverage() const {
    return Percent(NodesReached, Nodes);
}

double TQuicktestReport::AnswerCoverage() const {
    return Percent(AnswersOffered, Answers);
}

TQuicktestReport RunQuicktest(const TPlayScript& script, std::string scriptName) {
    return TQuicktest(script).Run(std::move(scriptName));
}

} // namespace dialoscope
