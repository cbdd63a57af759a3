#include "export_rows.h"

#include "detail/dialog_order.h"
#include "detail/voice_speakers.h"

#include "text/word_difference.h"

namespace dialoscope {

namespace {

std::string RefText(const TMsgRef& ref) {
    if (ref.Kind == TMsgRefKind::OtherScript) {
        return std::to_string(ref.Script) + ":" + std::to_string(ref.Number);
    }
    if (ref.Kind == TMsgRefKind::Range) {
        return std::to_string(ref.Number) + "-" + std::to_string(ref.High);
    }
    return std::to_string(ref.Number);
}

// ", part of one line: 120 + 121": a concatenation's texts are said as one line.
std::string OneLineText(const std::vector<TMsgRef>& oneLine) {
    if (oneLine.empty()) {
        return {};
    }
    std::string parts;
    for (const TMsgRef& ref : oneLine) {
        if (!parts.empty()) {
            parts += " + ";
        }
        parts += RefText(ref);
    }
    return ", part of one line: " + parts;
}

std::string RoleOf(const TMessagePlace& place) {
    if (place.Statement == TSaidKind::Answer) {
        return "player answer -> " + std::string(place.Target) + OneLineText(place.OneLine);
    }
    const bool player = place.Speaker == TSpeaker::Player;
    return (player ? "player line" : "NPC line") + OneLineText(place.OneLine);
}

class TRowMaker {
public:
    TRowMaker(const TWorkspace& ws, const TScriptMessages& script, const TTextCodePage& codePage,
              std::vector<TUndefinedByte>& undefinedBytes)
        : Ws_(ws), Script_(script), CodePage_(codePage), Undefined_(undefinedBytes) {}

    TExportRow Make(const TOrderedMessage& message, const TMessageEntry& original) {
        TExportRow row;
        row.Script = Script_.Script;
        row.ScriptFile = Script_.ScriptFile;
        row.ScriptNumber = Script_.ScriptNumber;
        row.Number = message.Number;
        DescribeUse(message, row);
        const std::string& originalFile =
            Script_.Original != nullptr ? Script_.OriginalFile : Script_.MessageFile;
        row.Original = Decode(original, originalFile);
        row.Middle = CodePage_.ToUtf8(original.Middle);
        if (Script_.Original != nullptr) {
            row.Translation = TranslationOf(message.Number, original);
        }
        if (Script_.Since != nullptr) {
            DescribeChange(original, row);
        }
        return row;
    }

private:
    void DescribeChange(const TMessageEntry& original, TExportRow& row) {
        const TMessageEntries& originals =
            Script_.Original != nullptr ? *Script_.Original : *Script_.Own;
        row.Change = SourceChangeOf(original.Number, *Script_.Since, originals);
        if (row.Change != TSourceChange::Changed) {
            return;
        }
        const TMessageEntry& was = *Script_.Since->Find(original.Number);
        row.PreviousOriginal = Decode(was, Script_.SinceFile);
        row.ChangeMarks = CodePage_.ToUtf8(WordDifference(was.Text, original.Text, CodePage_));
    }

    void DescribeUse(const TOrderedMessage& message, TExportRow& row) const {
        if (message.Places.empty()) {
            row.Role = "not used by any node";
            return;
        }
        const TMessagePlace& first = message.Places.front();
        row.Node = Ws_.Nodes[static_cast<std::size_t>(first.Node)].Name;
        row.Role = RoleOf(first);
        row.Speaker = SpeakerName(first.Speaker, first.SpeakerText, first.Statement);
        for (const TMessagePlace& place : message.Places) {
            row.Lines.push_back(place.Line);
        }
        row.PreviousLine = HeardText(first.Heard);
    }

    // The original texts of what the player heard before, as one line.
    std::string HeardText(const std::vector<TMsgRef>& heard) const {
        const TMessageEntries& originals =
            Script_.Original != nullptr ? *Script_.Original : *Script_.Own;
        std::string text;
        for (const TMsgRef& ref : heard) {
            if (ref.Kind != TMsgRefKind::Single && ref.Kind != TMsgRefKind::Range) {
                continue;
            }
            const TMessageEntry* entry = originals.Find(ref.Number);
            if (entry == nullptr) {
                continue;
            }
            if (!text.empty()) {
                text += ' ';
            }
            text += CodePage_.ToUtf8(entry->Text);
            if (ref.Kind == TMsgRefKind::Range) {
                text += "...";
            }
        }
        return text;
    }

    std::string TranslationOf(std::int32_t number, const TMessageEntry& original) {
        const TMessageEntry* own = Script_.Own->Find(number);
        if (own == nullptr || own->Text == original.Text) {
            return {};
        }
        return Decode(*own, Script_.MessageFile);
    }

    std::string Decode(const TMessageEntry& entry, const std::string& file) {
        std::string text = CodePage_.ToUtf8(entry.Text, Offsets_);
        for (const std::size_t offset : Offsets_) {
            Undefined_.push_back(
                {file, entry.Line, entry.Number, static_cast<unsigned char>(entry.Text[offset])});
        }
        return text;
    }

    const TWorkspace& Ws_;
    const TScriptMessages& Script_;
    const TTextCodePage& CodePage_;
    std::vector<TUndefinedByte>& Undefined_;
    std::vector<std::size_t> Offsets_;
};

} // namespace

std::vector<TExportRow> ExportRows(const TWorkspace& ws, const TScriptMessages& script,
                                   const TTextCodePage& codePage,
                                   std::vector<TUndefinedByte>& undefinedBytes) {
    const TMessageEntries& originals = script.Original != nullptr ? *script.Original : *script.Own;
    TRowMaker maker(ws, script, codePage, undefinedBytes);
    std::vector<TExportRow> rows;
    for (const TOrderedMessage& message : DialogOrder(ws, originals)) {
        rows.push_back(maker.Make(message, *originals.Find(message.Number)));
    }
    return rows;
}

} // namespace dialoscope
