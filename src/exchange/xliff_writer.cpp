#include "detail/exchange_error.h"
#include "detail/xliff_file.h"

#include "dialogtree/savers.h"

#include <cstdio>

namespace dialoscope {

namespace {

constexpr std::string_view XliffNamespace = "urn:oasis:names:tc:xliff:document:1.2";

// XML 1.0 holds no C0 control character but tab, line feed and carriage return, not even
// written as a character reference.
bool IsForbiddenInXml(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

// A carriage return is written as a reference, since a reader turns a raw one into a line feed;
// in attributes the same goes for tabs and line feeds, which a reader turns into blanks.
std::string Escaped(std::string_view text, bool attribute) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += attribute ? "&quot;" : "\"";
            break;
        case '\r':
            out += "&#13;";
            break;
        case '\t':
            out += attribute ? "&#9;" : "\t";
            break;
        case '\n':
            out += attribute ? "&#10;" : "\n";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Appended piece by piece: GCC 12 warns falsely on a chain of "..." + std::string.
std::string Attribute(std::string_view name, std::string_view value) {
    std::string attribute(" ");
    attribute.append(name).append("=\"").append(Escaped(value, true)).append("\"");
    return attribute;
}

void RefuseForbiddenCharacters(const std::string& path, const TExportRow& row) {
    for (const std::string* text :
         {&row.Original, &row.Translation, &row.PreviousOriginal, &row.Middle, &row.PreviousLine}) {
        for (const char c : *text) {
            if (IsForbiddenInXml(c)) {
                char hex[3];
                std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(c));
                throw EExchangeError(path, 0,
                                     "message " + std::to_string(row.Number) + " of " + row.Script +
                                         " holds the byte " + hex +
                                         ", which an XLIFF file cannot carry; export it as CSV");
            }
        }
    }
}

std::string StateOf(const TExportRow& row) {
    if (row.Change == TSourceChange::Changed) {
        return "needs-review-translation";
    }
    return row.Translation.empty() ? "needs-translation" : "translated";
}

std::vector<std::string> NotesOf(const TExportRow& row) {
    std::vector<std::string> notes;
    if (row.Node.empty()) {
        notes.push_back(row.Role);
    } else {
        notes.push_back("node: " + row.Node);
        notes.push_back("role: " + row.Role);
        notes.push_back("speaker: " + row.Speaker);
        if (!row.PreviousLine.empty()) {
            notes.push_back("previous: " + row.PreviousLine);
        }
    }
    if (!row.Middle.empty()) {
        notes.push_back("middle: " + row.Middle);
    }
    if (row.Change == TSourceChange::Changed) {
        notes.push_back("previous original: " + row.PreviousOriginal);
        notes.push_back("changed: " + row.ChangeMarks);
    }
    return notes;
}

std::string UnitText(const TExportRow& row) {
    const std::string key = row.Script + ":" + std::to_string(row.Number);
    const std::string state = StateOf(row);
    std::string unit = "      <trans-unit" + Attribute("id", key) + Attribute("resname", key);
    if (state == "translated") {
        unit += Attribute("approved", "yes");
    }
    unit += " xml:space=\"preserve\">\n";
    unit += "        <source>" + Escaped(row.Original, false) + "</source>\n";
    unit += "        <target" + Attribute("state", state) + ">" + Escaped(row.Translation, false) +
            "</target>\n";
    for (const std::string& note : NotesOf(row)) {
        unit += "        <note from=\"developer\">" + Escaped(note, false) + "</note>\n";
    }
    return unit + "      </trans-unit>\n";
}

std::string FileStart(const TExportRow& row, const TXliffLanguages& languages) {
    std::string start = "  <file" + Attribute("original", row.ScriptFile) +
                        Attribute("datatype", "plaintext") +
                        Attribute("source-language", languages.Source);
    if (!languages.Target.empty()) {
        start += Attribute("target-language", languages.Target);
    }
    return start +
           ">\n    <header>\n      <tool tool-id=\"dialoscope\" tool-name=\"Dialoscope\"/>\n" +
           "    </header>\n    <body>\n";
}

constexpr std::string_view FileEnd = "    </body>\n  </file>\n";

} // namespace

void WriteXliffFile(const std::string& path, const std::vector<TExportRow>& rows,
                    const TXliffLanguages& languages) {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xliff version=\"1.2\"" +
                       Attribute("xmlns", XliffNamespace) + ">\n";
    const std::string* script = nullptr;
    for (const TExportRow& row : rows) {
        RefuseForbiddenCharacters(path, row);
        if (script == nullptr || *script != row.Script) {
            text += script == nullptr ? "" : std::string(FileEnd);
            text += FileStart(row, languages);
            script = &row.Script;
        }
        text += UnitText(row);
    }
    if (script != nullptr) {
        text += FileEnd;
    }
    text += "</xliff>\n";
    ReplaceFile(path, text);
}

} // namespace dialoscope
