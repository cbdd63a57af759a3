#include "transcript.h"

namespace dialoscope {

namespace {

std::string MessageNumber(const TPlayMessage& message) {
    const std::string number = std::to_string(message.Number);
    return message.Script == 0 ? number : std::to_string(message.Script) + ":" + number;
}

std::string OriginalText(const TPlayMessage& message) {
    switch (message.Original) {
    case TOriginalState::None:
        return {};
    case TOriginalState::Found:
        return " | original: " + message.OriginalText;
    case TOriginalState::Missing:
        return " | not in the original";
    }
    return {};
}

std::string MissingText(const TPlayMessage& message) {
    switch (message.State) {
    case TPlayMessageState::Found:
        return {};
    case TPlayMessageState::Missing:
        return message.Original == TOriginalState::Found ? " missing translation" : " missing";
    case TPlayMessageState::NoScript:
        return " missing (scripts.lst names no script " + std::to_string(message.Script) + ")";
    case TPlayMessageState::NoFile:
        return " missing (no message file " + message.FileName + ")";
    }
    return {};
}

std::string MessageText(const TPlayMessage& message, TTranscriptStyle style) {
    std::string text = MessageNumber(message) + MissingText(message);
    if (style.Texts && message.State == TPlayMessageState::Found) {
        text += " " + message.Text;
        if (!message.Middle.empty()) {
            text += " [middle: " + message.Middle + "]";
        }
    }
    return text + OriginalText(message);
}

// A message part on one line; a range's messages follow on lines of their own (listed) or on
// the same line, parted by " / " (inline).
enum class TRangeLayout : std::uint8_t { Listed, Inline };

// A range as written, or in number order where it was written from high to low.
std::string RangeText(const TPlayLine& line) {
    if (!line.Ref.IsReversed()) {
        return line.RefText;
    }
    return std::to_string(line.Ref.First()) + "-" + std::to_string(line.Ref.Last());
}

// A literal that is all digits is a message number too large for any message file.
std::string LiteralText(const std::string& text) {
    const bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
    return (digits ? "(beyond the largest message number) " : "(not a message number) ") + text;
}

std::string PartText(const TPlayLine& line, TTranscriptStyle style, TRangeLayout layout) {
    if (line.Ref.Kind == TMsgRefKind::Literal) {
        return LiteralText(line.RefText);
    }
    if (line.Ref.Kind != TMsgRefKind::Range) {
        return MessageText(line.Messages.front(), style);
    }
    std::string text = "one of " + RangeText(line) + ":";
    if (line.Messages.empty()) {
        return text + " no message of the file";
    }
    for (std::size_t i = 0; i < line.Messages.size(); ++i) {
        const std::string message = MessageText(line.Messages[i], style);
        text +=
            layout == TRangeLayout::Listed ? "\n    " + message : (i == 0 ? " " : " / ") + message;
    }
    return text;
}

std::string LineLabel(const TPlayLine& line) {
    switch (line.Statement) {
    case TSaidKind::Say:
        return line.SpeakerText + ":";
    case TSaidKind::Write:
        return "writes:";
    case TSaidKind::SayWOAnswer:
        return "says:";
    case TSaidKind::SayForAnswer:
        return "asks:";
    case TSaidKind::Answer:
        return "answers:";
    }
    return {};
}

std::string TargetText(const TPlayChoice& choice) {
    return choice.TargetNode >= 0 ? choice.Target : choice.Target + " (no node)";
}

std::string NoNodeText(const TPlayChoice& choice) {
    return "  the " + std::string(KindWord(choice.Kind)) + " leads to " + choice.Target +
           ", which is no node\n";
}

} // namespace

std::string ChoiceText(const TPlayChoice& choice, std::int32_t number, TTranscriptStyle style) {
    std::string text = std::to_string(number) + ".";
    if (choice.Kind == TChoiceKind::Call) {
        return text + " goes on to " + TargetText(choice) + " (called in the code, line " +
               std::to_string(choice.Line) + ")";
    }
    for (std::size_t i = 0; i < choice.Texts.size(); ++i) {
        text += (i == 0 ? " " : " + ") + PartText(choice.Texts[i], style, TRangeLayout::Inline);
    }
    return text + " -> " + TargetText(choice);
}

std::string NodeViewText(const TPlayNodeView& view, TTranscriptStyle style) {
    std::string text = view.Name + " (line " + std::to_string(view.Line) + ")\n";
    for (const TPlayLine& line : view.Lines) {
        text += "  " + LineLabel(line) + " " + PartText(line, style, TRangeLayout::Listed) + "\n";
    }
    for (std::size_t i = 0; i < view.Choices.size(); ++i) {
        text += "  " + ChoiceText(view.Choices[i], static_cast<std::int32_t>(i + 1), style) + "\n";
    }
    if (view.EndsDialog) {
        text += "  the dialog ends here\n";
    } else if (view.Choices.empty()) {
        text += "  no answer and no call: the dialog stops here\n";
    }
    return text;
}

std::string TranscriptText(const TPlayScript& script, const TPlayWalk& walk,
                           TTranscriptStyle style) {
    std::string text = std::string(ConditionsNote) + "\n";
    if (!walk.IsStarted()) {
        return text;
    }
    text += "\n";
    text += NodeViewText(script.View(walk.Start()), style);
    for (const TPlayStep& step : walk.Steps()) {
        const TPlayNodeView from = script.View(step.From);
        const TPlayChoice& choice = from.Choices[static_cast<std::size_t>(step.Choice)];
        text += "> ";
        text += ChoiceText(choice, step.Choice + 1, style);
        text += "\n";
        if (step.To < 0) {
            text += NoNodeText(choice);
            continue;
        }
        text += "\n";
        text += NodeViewText(script.View(step.To), style);
    }
    return text;
}

} // namespace dialoscope
