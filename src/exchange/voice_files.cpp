#include "voice_files.h"

#include "detail/csv_table.h"
#include "detail/exchange_error.h"
#include "detail/xlsx_sheet.h"

#include "dialogtree/savers.h"
#include "scanner/ascii.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <unordered_map>

namespace dialoscope {

namespace {

const std::vector<std::string>& LineColumns() {
    static const std::vector<std::string> columns = {
        "line ID",   "audio file", "text",   "previous line", "answer that led here",
        "direction", "node",       "places", "words",         "characters"};
    return columns;
}

std::string PlacesText(const TVoiceLine& line) {
    std::string text;
    for (const TVoicePlace& place : line.Places) {
        text.append(text.empty() ? "" : "; ").append(place.Node).append(":");
        text.append(std::to_string(place.Line));
    }
    return text;
}

std::vector<std::string> CellsOf(const TVoiceLine& line) {
    return {line.Id(),
            line.Audio,
            line.Text,
            line.PreviousLine,
            line.LedBy,
            line.Direction,
            line.Node,
            PlacesText(line),
            std::to_string(line.Words),
            std::to_string(line.Characters)};
}

// libxlsxwriter ends a cell's text at a NUL, and a screenplay cannot show one; CSV carries it.
void RefuseNul(const std::string& path, const TVoiceScript& voice, std::string_view format) {
    for (const TVoiceLine& line : voice.Lines) {
        for (const std::string* text : {&line.Text, &line.PreviousLine, &line.LedBy}) {
            if (text->find('\0') != std::string::npos) {
                throw EExchangeError(path, 0,
                                     "line " + line.Id() + " holds the byte 00, which " +
                                         std::string(format) +
                                         " file cannot carry; write it as CSV");
            }
        }
    }
}

void WriteCsv(const std::string& path, const TVoiceScript& voice) {
    std::vector<std::string> header = LineColumns();
    header.insert(header.begin(), "speaker");
    std::string text = CsvRow(header);
    for (const TVoiceLine* line : LinesBySpeaker(voice)) {
        std::vector<std::string> cells = CellsOf(*line);
        cells.insert(cells.begin(), line->Speaker);
        text += CsvRow(cells);
    }
    ReplaceFile(path, text);
}

TXlsxSheet SpeakerSheet(const std::vector<const TVoiceLine*>& lines, const std::string& name) {
    static const std::vector<double> widths = {14, 20, 50, 40, 40, 30, 16, 24, 8, 10};
    TXlsxSheet sheet{name, {}, {}};
    for (std::size_t c = 0; c < LineColumns().size(); ++c) {
        // Words and characters are numbers a spreadsheet sums.
        sheet.Columns.push_back({LineColumns()[c], widths[c], widths[c] >= 30, c >= 8});
    }
    for (const TVoiceLine* line : lines) {
        sheet.Rows.push_back(CellsOf(*line));
    }
    return sheet;
}

void Add(TVoiceBudgetRow& row, const TVoiceLine& line) {
    ++row.Lines;
    row.Words += line.Words;
    row.Characters += line.Characters;
}

// Each name's place in names; the first place of a name given twice.
std::unordered_map<std::string, std::size_t> TurnsOf(const std::vector<std::string>& names) {
    std::unordered_map<std::string, std::size_t> turns;
    for (std::size_t i = 0; i < names.size(); ++i) {
        turns.try_emplace(names[i], i);
    }
    return turns;
}

// Per script in order, its speakers in voice's order; then each speaker's total; then "all".
std::vector<TVoiceBudgetRow> VoiceBudget(const TVoiceScript& voice) {
    const std::unordered_map<std::string, std::size_t> speakerTurn = TurnsOf(voice.Speakers);
    const std::unordered_map<std::string, std::size_t> scriptTurn = TurnsOf(voice.ScriptNames);
    std::map<std::pair<std::size_t, std::size_t>, TVoiceBudgetRow> cells;
    std::vector<TVoiceBudgetRow> totals;
    for (const std::string& speaker : voice.Speakers) {
        totals.push_back({"total", speaker});
    }
    TVoiceBudgetRow all{"total", "all"};
    for (const TVoiceLine& line : voice.Lines) {
        const std::size_t speaker = speakerTurn.at(line.Speaker);
        const auto key = std::make_pair(scriptTurn.at(line.Script), speaker);
        Add(cells.try_emplace(key, TVoiceBudgetRow{line.Script, line.Speaker}).first->second, line);
        Add(totals[speaker], line);
        Add(all, line);
    }
    std::vector<TVoiceBudgetRow> rows;
    for (const auto& [key, row] : cells) {
        rows.push_back(row);
    }
    rows.insert(rows.end(), totals.begin(), totals.end());
    rows.push_back(all);
    return rows;
}

TXlsxSheet BudgetSheet(const TVoiceScript& voice, const std::string& name) {
    TXlsxSheet sheet{name,
                     {{"script", 14},
                      {"speaker", 20},
                      {"lines", 8, false, true},
                      {"words", 10, false, true},
                      {"characters", 12, false, true}},
                     {}};
    for (const TVoiceBudgetRow& row : VoiceBudget(voice)) {
        sheet.Rows.push_back({row.Script, row.Speaker, std::to_string(row.Lines),
                              std::to_string(row.Words), std::to_string(row.Characters)});
    }
    return sheet;
}

void WriteXlsx(const std::string& path, const TVoiceScript& voice) {
    RefuseNul(path, voice, "an XLSX");
    std::vector<std::string> wanted = voice.Speakers;
    wanted.push_back("Budget");
    const std::vector<std::string> names = XlsxSheetNames(wanted);
    std::map<std::string, std::vector<const TVoiceLine*>> bySpeaker;
    for (const TVoiceLine& line : voice.Lines) {
        bySpeaker[line.Speaker].push_back(&line);
    }
    std::vector<TXlsxSheet> sheets;
    for (std::size_t s = 0; s < voice.Speakers.size(); ++s) {
        sheets.push_back(SpeakerSheet(bySpeaker[voice.Speakers[s]], names[s]));
    }
    sheets.push_back(BudgetSheet(voice, names.back()));
    WriteXlsxBook(path, sheets);
}

std::string TitleOf(const TVoiceScript& voice) {
    std::string names;
    for (const std::string& name : voice.ScriptNames) {
        names.append(names.empty() ? "" : ", ").append(name);
    }
    return names;
}

} // namespace

TVoiceFormat VoiceFormatOf(const std::string& path) {
    const std::string extension = AsciiLowerCase(std::filesystem::path(path).extension().string());
    if (extension == ".xlsx") {
        return TVoiceFormat::Xlsx;
    }
    if (extension == ".csv") {
        return TVoiceFormat::Csv;
    }
    if (extension == ".fountain") {
        return TVoiceFormat::Fountain;
    }
    throw EExchangeError(path, 0, "the file name must end in .xlsx, .csv or .fountain");
}

std::vector<const TVoiceLine*> LinesBySpeaker(const TVoiceScript& voice) {
    const std::unordered_map<std::string, std::size_t> turn = TurnsOf(voice.Speakers);
    std::vector<std::pair<std::size_t, const TVoiceLine*>> keyed;
    keyed.reserve(voice.Lines.size());
    for (const TVoiceLine& line : voice.Lines) {
        keyed.emplace_back(turn.at(line.Speaker), &line);
    }
    std::ranges::stable_sort(keyed, {}, &std::pair<std::size_t, const TVoiceLine*>::first);
    std::vector<const TVoiceLine*> lines;
    lines.reserve(keyed.size());
    for (const auto& [speaker, line] : keyed) {
        lines.push_back(line);
    }
    return lines;
}

void WriteVoiceScript(const std::string& path, TVoiceFormat format, const TVoiceScript& voice) {
    switch (format) {
    case TVoiceFormat::Xlsx:
        WriteXlsx(path, voice);
        return;
    case TVoiceFormat::Csv:
        WriteCsv(path, voice);
        return;
    case TVoiceFormat::Fountain:
        RefuseNul(path, voice, "a Fountain");
        ReplaceFile(path, FountainScreenplay(voice, TitleOf(voice)));
        return;
    }
}

} // namespace dialoscope
