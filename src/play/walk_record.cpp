#include "walk_record.h"

#include <vector>

namespace dialoscope {

namespace {

constexpr std::string_view Arrow = " -> ";

// At most this many characters of a saved walk's text are quoted in a message: a line may be
// megabytes long, or not text at all.
constexpr std::size_t ExcerptCharacters = 80;

// text as a message may quote it: each byte outside printable ASCII as \xNN, cut after
// ExcerptCharacters characters with "..." after it.
std::string Excerpt(std::string_view text) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool printable = byte >= 0x20 && byte < 0x7F;
        if (shown.size() + (printable ? 1 : 4) > ExcerptCharacters) {
            return shown + "...";
        }
        if (printable) {
            shown += c;
        } else {
            shown += {'\\', 'x', Hex[byte >> 4], Hex[byte & 0xF]};
        }
    }
    return shown;
}

std::string Quoted(std::string_view name) {
    std::string text("'");
    text += Excerpt(name);
    return text + "'";
}

std::string_view TrimLineEnd(std::string_view line) {
    return line.substr(0, line.find_last_not_of("\r \t") + 1); // npos + 1: nothing is left
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(TrimLineEnd(text.substr(0, end)));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

struct TSavedStep {
    TChoiceKind Kind = TChoiceKind::Answer;
    std::string_view From;
    std::string_view Target;
};

// "answer FROM -> TARGET" or "call FROM -> TARGET".
std::optional<TSavedStep> ReadStep(std::string_view line) {
    TSavedStep step;
    if (line.starts_with("answer ")) {
        line.remove_prefix(7);
    } else if (line.starts_with("call ")) {
        step.Kind = TChoiceKind::Call;
        line.remove_prefix(5);
    } else {
        return std::nullopt;
    }
    const std::size_t arrow = line.find(Arrow);
    if (arrow == std::string_view::npos || arrow == 0 || arrow + Arrow.size() == line.size()) {
        return std::nullopt;
    }
    step.From = line.substr(0, arrow);
    step.Target = line.substr(arrow + Arrow.size());
    return step;
}

// The first choice at node of that kind and target, or -1.
std::int32_t FindChoice(const TPlayScript& script, std::int32_t node, const TSavedStep& step) {
    for (std::int32_t choice = 0; choice < script.ChoiceCount(node); ++choice) {
        if (script.ChoiceKindOf(node, choice) == step.Kind &&
            script.ChoiceTargetName(node, choice) == step.Target) {
            return choice;
        }
    }
    return -1;
}

class TReplayer {
public:
    TReplayer(const TPlayScript& script, const std::string& file) : Script_(script), File_(file) {}

    TReplay Run(std::string_view text) {
        const std::vector<std::string_view> lines = SplitLines(text);
        for (std::size_t i = 0; i < lines.size() && !Result_.Stop; ++i) {
            Take(lines[i], static_cast<std::int32_t>(i + 1));
        }
        if (!Result_.Stop && !Result_.Walk.IsStarted()) {
            Result_.Stop = File_ + ": the saved walk has no start";
        }
        return std::move(Result_);
    }

private:
    void Take(std::string_view line, std::int32_t number) {
        if (line.empty() || line.front() == '#') {
            return;
        }
        if (line.starts_with("start ") && !Result_.Walk.IsStarted()) {
            StartAt(line.substr(6), number);
        } else if (const auto step = ReadStep(line); step && Result_.Walk.IsStarted()) {
            Follow(*step, number);
        } else {
            throw EWalkRecordError(File_, number, line);
        }
    }

    void StopAt(std::int32_t number, const std::string& why) {
        Result_.Stop = File_ + ":" + std::to_string(number) + ": " + why;
    }

    void StartAt(std::string_view name, std::int32_t number) {
        const std::int32_t node = Script_.FindNode(name);
        if (node < 0) {
            StopAt(number, "the walk starts at " + Quoted(name) + ", which is no node any more");
            return;
        }
        Result_.Walk = TPlayWalk(node);
    }

    void Follow(const TSavedStep& step, std::int32_t number) {
        const std::int32_t at = Result_.Walk.Position();
        const std::string& atName = Script_.NodeName(at);
        if (step.From != atName) {
            StopAt(number, "the step is taken at " + Quoted(step.From) + ", but the walk is at " +
                               Quoted(atName));
            return;
        }
        const std::int32_t choice = FindChoice(Script_, at, step);
        const std::string what = std::string(KindWord(step.Kind));
        if (choice < 0) {
            StopAt(number, "node " + Quoted(atName) + " has no " + what + " leading to " +
                               Quoted(step.Target) + " any more");
            return;
        }
        if (Result_.Walk.Choose(Script_, choice) != TChooseOutcome::Moved) {
            Result_.Walk.Back(); // the step led nowhere: the walk ends before it
            StopAt(number, "the " + what + " at " + Quoted(atName) + " leads to " +
                               Quoted(step.Target) + ", which is no node any more");
        }
    }

    const TPlayScript& Script_;
    const std::string& File_;
    TReplay Result_;
};

} // namespace

EWalkRecordError::EWalkRecordError(const std::string& file, std::int32_t line,
                                   std::string_view text)
    : EDialoscopeError(file + ":" + std::to_string(line) +
                       ": not a step of a saved walk: " + Excerpt(text)),
      Line(line) {}

std::string WalkRecordText(const TPlayScript& script, const TPlayWalk& walk) {
    std::string text = "# a dialog walk: the start, then one step a line: answer|call NODE -> "
                       "TARGET\n";
    if (!walk.IsStarted()) {
        return text;
    }
    text += "start " + script.NodeName(walk.Start()) + "\n";
    for (const TPlayStep& step : walk.Steps()) {
        if (step.To < 0) {
            continue;
        }
        text += std::string(KindWord(script.ChoiceKindOf(step.From, step.Choice))) + " " +
                script.NodeName(step.From) + std::string(Arrow) +
                std::string(script.ChoiceTargetName(step.From, step.Choice)) + "\n";
    }
    return text;
}

TReplay ReplayWalk(const TPlayScript& script, std::string_view recordText,
                   const std::string& fileName) {
    return TReplayer(script, fileName).Run(recordText);
}

} // namespace dialoscope
