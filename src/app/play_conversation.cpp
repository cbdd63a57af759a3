#include "play_conversation.h"

#include "byte_strings.h"
#include "play/transcript.h"

#include <QStringList>

#include <array>

namespace dialoscope {

namespace {

QString MessageNumber(const TPlayMessage& message) {
    const QString number = QString::number(message.Number);
    return message.Script == 0 ? number : QString::number(message.Script) + u':' + number;
}

QString MessageText(const TPlayMessage& message) {
    if (message.State == TPlayMessageState::Found) {
        return Utf8(message.Text);
    }
    return QStringLiteral("[%1 missing]").arg(MessageNumber(message));
}

// Where a missing message was looked for, for the tool tip.
QString MissingWhy(const TPlayMessage& message) {
    switch (message.State) {
    case TPlayMessageState::Found:
    case TPlayMessageState::Missing:
        return {};
    case TPlayMessageState::NoScript:
        return QStringLiteral(" (scripts.lst names no script %1)").arg(message.Script);
    case TPlayMessageState::NoFile:
        return QStringLiteral(" (no message file %1)").arg(Utf8(message.FileName));
    }
    return {};
}

QString PartText(const TPlayLine& line) {
    if (line.Ref.Kind == TMsgRefKind::Literal) {
        return Utf8(line.RefText);
    }
    if (line.Ref.Kind != TMsgRefKind::Range) {
        return MessageText(line.Messages.front());
    }
    if (line.Messages.empty()) {
        return QStringLiteral("[one of %1: no message of the file]").arg(Utf8(line.RefText));
    }
    QStringList texts;
    for (const TPlayMessage& message : line.Messages) {
        texts << MessageText(message);
    }
    return QStringLiteral("one of: ") + texts.join(QStringLiteral(" / "));
}

QString PartTip(const TPlayLine& line) {
    switch (line.Ref.Kind) {
    case TMsgRefKind::Literal:
        return QStringLiteral("not a message number: %1").arg(Utf8(line.RefText));
    case TMsgRefKind::Range:
        return QStringLiteral("messages %1").arg(Utf8(line.RefText));
    case TMsgRefKind::Single:
    case TMsgRefKind::OtherScript:
        break;
    }
    const TPlayMessage& message = line.Messages.front();
    QString tip = QStringLiteral("message %1").arg(MessageNumber(message));
    if (message.Script != 0 && !message.FileName.empty()) {
        tip += QStringLiteral(" of %1").arg(Utf8(message.FileName));
    }
    return tip + MissingWhy(message);
}

// What the player says is on the player's side; everything else the node says is the NPC's.
TConversationSide SideOf(const TPlayLine& line) {
    return line.Speaker == TSpeaker::Player ? TConversationSide::Player : TConversationSide::Npc;
}

// The items of a concatenation ("GetStr(107) + GetStr(108)") are one line of the conversation.
bool SameStatement(const TPlayLine& a, const TPlayLine& b) {
    return a.Line == b.Line && a.Statement == b.Statement && a.Speaker == b.Speaker;
}

void AddNodeLines(const TPlayNodeView& view, std::vector<TConversationLine>& out) {
    out.push_back({TConversationSide::Note, Utf8(view.Name),
                   QStringLiteral("%1, line %2").arg(Utf8(view.Name)).arg(view.Line)});
    const TPlayLine* previous = nullptr;
    for (const TPlayLine& line : view.Lines) {
        if (previous != nullptr && SameStatement(*previous, line)) {
            out.back().Text += u' ' + PartText(line);
            out.back().Tip += QStringLiteral(" + ") + PartTip(line);
        } else {
            out.push_back({SideOf(line), PartText(line),
                           PartTip(line) + QStringLiteral(", line %1").arg(line.Line)});
        }
        previous = &line;
    }
    if (view.EndsDialog) {
        out.push_back({TConversationSide::Note, QStringLiteral("The dialog ends here."), {}});
    } else if (view.Choices.empty()) {
        out.push_back({TConversationSide::Note,
                       QStringLiteral("No answer and no call: the dialog stops here."),
                       {}});
    }
}

QString HtmlClass(TConversationSide side) {
    // In TConversationSide's order.
    static const std::array<const char*, 3> classes = {"npc", "player", "note"};
    return QString::fromLatin1(classes.at(static_cast<std::size_t>(side)));
}

} // namespace

QString ChoiceCaption(const TPlayChoice& choice) {
    const QString target = Utf8(choice.Target);
    if (choice.Kind == TChoiceKind::Call) {
        return QStringLiteral("goes on to %1").arg(target);
    }
    QStringList texts;
    for (const TPlayLine& part : choice.Texts) {
        texts << PartText(part);
    }
    return texts.join(u' ') + QStringLiteral("  → ") + target +
           (choice.TargetNode < 0 ? QStringLiteral(" (no node)") : QString());
}

QString ChoiceTip(const TPlayChoice& choice) {
    if (choice.Kind == TChoiceKind::Call) {
        return QStringLiteral("called in the code, line %1").arg(choice.Line);
    }
    QStringList tips;
    for (const TPlayLine& part : choice.Texts) {
        tips << PartTip(part);
    }
    return tips.join(QStringLiteral(" + ")) + QStringLiteral(", line %1").arg(choice.Line);
}

std::vector<TConversationLine> Conversation(const TPlayScript& script, const TPlayWalk& walk) {
    std::vector<TConversationLine> out;
    out.push_back({TConversationSide::Note, Utf8(ConditionsNote), {}});
    if (!walk.IsStarted()) {
        return out;
    }
    AddNodeLines(script.View(walk.Start()), out);
    for (const TPlayStep& step : walk.Steps()) {
        const TPlayNodeView from = script.View(step.From);
        const TPlayChoice& choice = from.Choices[static_cast<std::size_t>(step.Choice)];
        out.push_back({TConversationSide::Player,
                       QStringLiteral("%1. %2").arg(step.Choice + 1).arg(ChoiceCaption(choice)),
                       ChoiceTip(choice)});
        if (step.To < 0) {
            const QString what = choice.Kind == TChoiceKind::Answer ? QStringLiteral("answer")
                                                                    : QStringLiteral("call");
            out.push_back({TConversationSide::Note,
                           QStringLiteral("The %1 leads to %2, which is no node.")
                               .arg(what, Utf8(choice.Target)),
                           {}});
            continue;
        }
        AddNodeLines(script.View(step.To), out);
    }
    return out;
}

QString ConversationHtml(const std::vector<TConversationLine>& lines, const QString& title) {
    QString html =
        QStringLiteral(
            "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n"
            "<style>\n"
            "body { font-family: sans-serif; max-width: 48em; margin: 1em auto; }\n"
            "p { margin: 0.4em 0; padding: 0.3em 0.6em; border-radius: 0.6em; }\n"
            ".npc { background: #eef2f7; margin-right: 25%; }\n"
            ".player { background: #e3f3e0; margin-left: 25%; text-align: right; }\n"
            ".note { color: #777; font-size: small; text-align: center; }\n"
            "</style>\n</head>\n<body>\n")
            .arg(title.toHtmlEscaped());
    for (const TConversationLine& line : lines) {
        html += QStringLiteral("<p class=\"%1\" title=\"%2\">%3</p>\n")
                    .arg(HtmlClass(line.Side), line.Tip.toHtmlEscaped(), line.Text.toHtmlEscaped());
    }
    return html + QStringLiteral("</body>\n</html>\n");
}

} // namespace dialoscope
