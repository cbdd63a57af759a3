// The voice-over script as a Fountain screenplay: a title page, then a part per speaker (a
// section, and a page break before each part but the first). Each line is a take: a forced scene
// heading with its line ID and node, a note with the audio file, counts and other places, a
// note with what came before, then the speaker's cue in capitals, the direction as a
// parenthetical and the text as dialogue. Elements are separated by blank lines, and the cue,
// parenthetical and dialogue stand on consecutive lines, as Fountain wants them.

#include "voice_files.h"

#include "scanner/ascii.h"

#include <algorithm>

namespace dialoscope {

namespace {

// One line: a line break or a tab in a text would end or shape the element it stands in.
std::string OneLine(std::string_view text) {
    std::string line(text);
    std::ranges::replace_if(
        line, [](char c) { return c == '\r' || c == '\n' || c == '\t'; }, ' ');
    return line;
}

// A note ends at "]]", so none may stand inside one.
std::string NoteText(std::string_view text) {
    std::string note;
    for (const char c : OneLine(text)) {
        if (c == ']' && !note.empty() && note.back() == ']') {
            note += ' ';
        }
        note += c;
    }
    return note;
}

// Dialogue shows * and _ as emphasis unless escaped; a blank line would end it.
std::string DialogueText(std::string_view text) {
    std::string dialogue;
    for (const char c : OneLine(text)) {
        if (c == '*' || c == '_' || c == '\\') {
            dialogue += '\\';
        }
        dialogue += c;
    }
    return dialogue.find_first_not_of(' ') == std::string::npos ? "  " : dialogue;
}

// A cue is a line in capitals with a letter in it; one that is not (a name beyond ASCII, or
// without a letter) is forced with "@".
std::string Cue(std::string_view speaker) {
    std::string cue = OneLine(speaker);
    std::ranges::transform(cue, cue.begin(), [](char c) { return AsciiUpper(c); });
    const bool ascii = std::ranges::all_of(cue, [](char c) { return c >= ' ' && c <= '~'; });
    const bool letter = std::ranges::any_of(cue, [](char c) { return c >= 'A' && c <= 'Z'; });
    const bool transition = cue.ends_with("TO:");
    return ascii && letter && !transition ? cue : std::string("@").append(cue);
}

std::string Counts(const TVoiceLine& line) {
    return std::to_string(line.Words) + (line.Words == 1 ? " word, " : " words, ") +
           std::to_string(line.Characters) + (line.Characters == 1 ? " character" : " characters");
}

std::string AlsoAt(const TVoiceLine& line) {
    std::string places;
    for (std::size_t p = 1; p < line.Places.size(); ++p) {
        places.append(places.empty() ? "; also " : ", ").append(line.Places[p].Node);
        places.append(":").append(std::to_string(line.Places[p].Line));
    }
    return places;
}

std::string Before(const TVoiceLine& line) {
    std::string before;
    if (!line.PreviousLine.empty()) {
        before = "Before: " + line.PreviousLine;
    }
    if (!line.LedBy.empty()) {
        before.append(before.empty() ? "" : " | ").append("Answer that led here: ");
        before.append(line.LedBy);
    }
    return before;
}

void AddTake(std::string& text, const TVoiceLine& line) {
    // "." forces a scene heading, but ".." starts an ordinary line.
    text.append(".").append(OneLine(line.Id())).append(" - ").append(OneLine(line.Node));
    text.append("\n\n[[").append(NoteText(line.Audio + "; " + Counts(line) + AlsoAt(line)));
    text.append("]]\n\n");
    const std::string before = Before(line);
    if (!before.empty()) {
        text.append("[[").append(NoteText(before)).append("]]\n\n");
    }
    text.append(Cue(line.Speaker)).append("\n");
    if (!line.Direction.empty()) {
        text.append("(").append(OneLine(line.Direction)).append(")\n");
    }
    text.append(DialogueText(line.Text)).append("\n\n");
}

} // namespace

std::string FountainScreenplay(const TVoiceScript& voice, const std::string& title) {
    std::string text = "Title: " + OneLine(title) + " voice-over script\n";
    text += "Credit: lines grouped by speaker, in dialog order\n\n";
    std::string speaker;
    bool first = true;
    for (const TVoiceLine* line : LinesBySpeaker(voice)) {
        if (first || line->Speaker != speaker) {
            text.append(first ? "" : "===\n\n").append("# ").append(OneLine(line->Speaker));
            text.append("\n\n");
            speaker = line->Speaker;
            first = false;
        }
        AddTake(text, *line);
    }
    return text;
}

} // namespace dialoscope
