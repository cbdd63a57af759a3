#include "play_script.h"

#include "analysis/msg_use_order.h"
#include "checks/script_places.h"

#include <algorithm>

namespace dialoscope {

TPlayScript::TPlayScript(const TWorkspace& ws, TPlaySources sources)
    : Ws_(ws), Sources_(std::move(sources)), Names_(ws.Nodes),
      Messages_(ReadMessageEntries(ws.MsgRich)),
      Closers_(NodesClosingDialog(ws.Nodes, ws.Scanner)) {
    if (Sources_.Original) {
        Original_ = std::make_unique<TMessageEntries>(ReadMessageEntries(*Sources_.Original));
    }
    IndexChoices();
    FindStarts();
}

TPlayScript::~TPlayScript() = default;

void TPlayScript::IndexChoices() {
    ChoiceBegin_.reserve(Ws_.Nodes.size() + 1);
    ChoiceBegin_.push_back(0);
    for (const TNodeKeep& node : Ws_.Nodes) {
        for (const TAnswer answer : node.Lists.Answers()) {
            ChoiceTargets_.push_back(Names_.Find(answer.Target));
        }
        for (const std::string_view jump : node.Lists.Jumps()) {
            ChoiceTargets_.push_back(Names_.Find(jump));
        }
        ChoiceBegin_.push_back(static_cast<std::int32_t>(ChoiceTargets_.size()));
    }
}

void TPlayScript::FindStarts() {
    std::vector<std::int32_t> openLines;
    for (const TDialogStart& start : FindDialogStarts(Ws_.Scanner)) {
        Starts_.push_back({std::string(start.Name), Names_.Find(start.Name), start.OpenDialogLine});
        openLines.push_back(start.OpenDialogLine);
    }
    Openers_ = NodesHoldingLines(Ws_.Nodes, openLines);
}

std::int32_t TPlayScript::ChoiceCount(std::int32_t node) const {
    return ChoiceBegin_[Index(node) + 1] - ChoiceBegin_[Index(node)];
}

TChoiceKind TPlayScript::ChoiceKindOf(std::int32_t node, std::int32_t choice) const {
    return choice < AnswerCount(node) ? TChoiceKind::Answer : TChoiceKind::Call;
}

std::int32_t TPlayScript::ChoiceTarget(std::int32_t node, std::int32_t choice) const {
    return ChoiceTargets_[static_cast<std::size_t>(ChoiceBegin_[Index(node)] + choice)];
}

std::string_view TPlayScript::ChoiceTargetName(std::int32_t node, std::int32_t choice) const {
    const TNodeLists& lists = Record(node).Lists;
    const std::int32_t answers = lists.AnswerCount();
    return choice < answers ? lists.Answer(choice).Target : lists.Jump(choice - answers);
}

std::int32_t TPlayScript::ChoiceLine(std::int32_t node, std::int32_t choice) const {
    const TNodeLists& lists = Record(node).Lists;
    const std::int32_t answers = lists.AnswerCount();
    return choice < answers ? lists.Answer(choice).Line : lists.JumpLine(choice - answers);
}

std::string TPlayScript::Decode(std::string_view bytes) const {
    return Sources_.Decode ? Sources_.Decode(bytes) : std::string(bytes);
}

TPlayMessage TPlayScript::OwnMessage(std::int32_t number) const {
    TPlayMessage message;
    message.Number = number;
    if (const TMessageEntry* entry = Messages_.Find(number)) {
        message.Text = Decode(entry->Text);
        message.Middle = Decode(entry->Middle);
    } else {
        message.State = TPlayMessageState::Missing;
    }
    if (Original_) {
        const TMessageEntry* original = Original_->Find(number);
        message.Original = original ? TOriginalState::Found : TOriginalState::Missing;
        if (original) {
            message.OriginalText = Decode(original->Text);
        }
    }
    return message;
}

TPlayMessage TPlayScript::OtherScriptMessage(std::int32_t script, std::int32_t number) const {
    if (!OtherScripts_) {
        OtherScripts_ =
            std::make_unique<TOtherScriptMessages>(Ws_.ScriptList, FolderOf(Sources_.ScriptPath));
    }
    const TOtherScript& other = OtherScripts_->Script(script);
    TPlayMessage message;
    message.Script = script;
    message.Number = number;
    message.FileName = other.MsgFileName;
    if (other.State == TOtherScriptState::NotListed) {
        message.State = TPlayMessageState::NoScript;
    } else if (other.State == TOtherScriptState::NoFile) {
        message.State = TPlayMessageState::NoFile;
    } else if (const TMessageEntry* entry = other.Messages.Find(number)) {
        message.Text = Decode(entry->Text);
        message.Middle = Decode(entry->Middle);
    } else {
        message.State = TPlayMessageState::Missing;
    }
    return message;
}

// A narrow range lists every number, so a gap shows; a wide one (Rnd(1,2000000000)) is walked
// through the file's numbers, so it costs no more than the file.
std::vector<std::int32_t> TPlayScript::RangeNumbers(std::int32_t low, std::int32_t high) const {
    std::vector<std::int32_t> numbers;
    if (static_cast<std::int64_t>(high) - low < ListedRangeWidth) {
        for (std::int64_t n = low; n <= high; ++n) {
            numbers.push_back(static_cast<std::int32_t>(n));
        }
        return numbers;
    }
    for (const auto& [number, entry] : Messages_.LastByNumber) {
        if (number >= low && number <= high) {
            numbers.push_back(number);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::vector<TPlayMessage> TPlayScript::MessagesOf(const TMsgRef& ref) const {
    std::vector<TPlayMessage> messages;
    switch (ref.Kind) {
    case TMsgRefKind::Single:
        messages.push_back(OwnMessage(ref.Number));
        break;
    case TMsgRefKind::Range:
        for (const std::int32_t number : RangeNumbers(ref.First(), ref.Last())) {
            messages.push_back(OwnMessage(number));
        }
        break;
    case TMsgRefKind::OtherScript:
        messages.push_back(OtherScriptMessage(ref.Script, ref.Number));
        break;
    case TMsgRefKind::Literal:
        break;
    }
    return messages;
}

TPlayLine TPlayScript::LineOf(const TMsgUse& use) const {
    TPlayLine line;
    line.Line = use.Line;
    line.Statement = use.Statement;
    line.Speaker = use.Speaker;
    if (use.Statement == TSaidKind::Say) {
        line.SpeakerText = use.Speaker == TSpeaker::Self     ? "Self"
                           : use.Speaker == TSpeaker::Player ? "Player"
                                                             : Decode(use.SpeakerText);
    }
    line.Ref = use.Value;
    line.RefText = Decode(use.Ref);
    line.Messages = MessagesOf(use.Value);
    return line;
}

// An answer's texts are the answer message uses from its line on: the analysis records an
// answer's parts right after the previous answer's, and each answer's first part on the line of
// its "Answer", so a use that reaches the next answer's line starts that answer's texts.
std::vector<TPlayChoice> TPlayScript::ChoicesOf(std::int32_t node) const {
    const TNodeLists& lists = Record(node).Lists;
    std::vector<TPlayChoice> choices;
    for (std::int32_t i = 0; i < ChoiceCount(node); ++i) {
        choices.push_back({ChoiceKindOf(node, i),
                           Decode(ChoiceTargetName(node, i)),
                           ChoiceTarget(node, i),
                           ChoiceLine(node, i),
                           {}});
    }
    std::int32_t answer = -1;
    for (const TMsgUse use : lists.MsgUses()) {
        if (!IsAnswerUse(use)) {
            continue;
        }
        if (answer + 1 < lists.AnswerCount() && use.Line >= lists.Answer(answer + 1).Line) {
            ++answer;
        }
        if (answer >= 0) {
            choices[static_cast<std::size_t>(answer)].Texts.push_back(LineOf(use));
        }
    }
    return choices;
}

TPlayNodeView TPlayScript::View(std::int32_t node) const {
    TPlayNodeView view;
    view.Node = node;
    view.Name = Decode(NodeName(node));
    view.Line = NodeLine(node);
    for (const TMsgUse& use : UsesInNodeOrder(Record(node).Lists)) {
        if (!IsAnswerUse(use)) {
            view.Lines.push_back(LineOf(use));
        }
    }
    view.Choices = ChoicesOf(node);
    view.EndsDialog = EndsDialog(node);
    return view;
}

} // namespace dialoscope
