#include "command_table.h"

#include "check_command.h"
#include "exchange_commands.h"
#include "graph_command.h"
#include "play_command.h"
#include "project_commands.h"
#include "quicktest_command.h"
#include "voice_command.h"
#include "window_commands.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace dialoscope {

namespace {

// A validator's answer: empty when the value is good, else what is wrong with it.
std::string Unless(bool good, const std::string& problem) {
    return good ? std::string() : problem;
}

const CLI::Validator MessageNumber(
    [](const std::string& text) {
        return Unless(ParseMessageNumber(text).has_value(),
                      "'" + text + "' is not a message number");
    },
    "");

const CLI::Validator JobCount(
    [](const std::string& text) {
        std::uint32_t jobs = 0;
        const char* end = text.data() + text.size();
        const auto [ptr, error] = std::from_chars(text.data(), end, jobs);
        return Unless(error == std::errc() && ptr == end && jobs >= 1,
                      "'" + text + "' is not a number of jobs (1 or more)");
    },
    "");

// A language as PO headers name it: "de", "pt_BR", "sr@latin"; no blank or line break can
// reach the header.
const CLI::Validator LanguageCode(
    [](const std::string& text) {
        const bool good = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '_' || c == '@' || c == '-';
        });
        return Unless(good, "'" + text + "' is not a language code such as de or pt_BR");
    },
    "");

const CLI::Validator Percent(
    [](const std::string& text) {
        double percent = 0;
        const char* end = text.data() + text.size();
        const auto [ptr, error] = std::from_chars(text.data(), end, percent);
        // Written so that NaN fails too.
        return Unless(error == std::errc() && ptr == end && percent >= 0 && percent <= 100,
                      "'" + text + "' is not a percent from 0 to 100");
    },
    "");

void DeclareScript(CLI::App& command, TCliCall& call) {
    command.add_option("SCRIPT", call.Script, "the dialog script (.ipp)")->required();
}

void DeclareScriptAndNumber(CLI::App& command, TCliCall& call) {
    DeclareScript(command, call);
    command.add_option("N", call.Arg, "the message number")->required()->check(MessageNumber);
}

void DeclareScriptAndName(CLI::App& command, TCliCall& call) {
    DeclareScript(command, call);
    command.add_option("NAME", call.Arg, "the node name")->required();
}

void DeclareScripts(CLI::App& command, TCliCall& call) {
    command.add_option("SCRIPT", call.Scripts, "the dialog scripts (.ipp)");
}

void DeclareFormat(CLI::App& command, TCliCall& call, std::vector<std::string> formats,
                   const std::string& help) {
    std::string names;
    for (const std::string& format : formats) {
        names += (names.empty() ? "" : "|") + format;
    }
    command.add_option("--format", call.Format, help)
        ->type_name(names)
        ->check(CLI::IsMember(std::move(formats)).description(""));
}

void DeclareJobs(CLI::App& command, TCliCall& call, const std::string& help) {
    command.add_option("--jobs", call.Jobs, help)->type_name("N")->check(JobCount);
}

void DeclareSince(CLI::App& command, TCliCall& call) {
    command
        .add_option("--since", call.Since,
                    "the older original message file the translation was made from (a folder "
                    "of them with several scripts or a project): what changed since is marked")
        ->type_name("OLD_ORIGINAL");
}

void DeclareCheck(CLI::App& command, TCliCall& call) {
    DeclareScripts(command, call);
    command
        .add_option("--against", call.Against,
                    "the original message file to compare with (a folder of them with several "
                    "scripts or a project)")
        ->type_name("ORIGINAL");
    DeclareSince(command, call);
    DeclareFormat(command, call, {"text", "json"},
                  "FILE:LINE: KIND: TEXT lines (text) or one JSON array (json)");
    // Scripts named one by one are checked in turn; a project's are spread over the cores.
    DeclareJobs(command, call,
                "with --project: analyse at most N scripts at once (default: all cores)");
}

void DeclareStats(CLI::App& command, TCliCall& call) {
    DeclareScripts(command, call);
    command
        .add_option("--against", call.Against,
                    "the folder of the original message files, for the translated share")
        ->type_name("DIR");
    DeclareSince(command, call);
    DeclareFormat(command, call, {"text", "json", "csv", "markdown"},
                  "an aligned table, JSON, CSV with a header row, or a Markdown table");
    DeclareJobs(command, call, "analyse at most N scripts at once (default: all cores)");
    command
        .add_option("--fail-under", call.FailUnder,
                    "exit status 1 when the translated share is below PERCENT")
        ->type_name("PERCENT")
        ->check(Percent);
}

void DeclareExport(CLI::App& command, TCliCall& call) {
    DeclareScripts(command, call);
    command.add_option("--to", call.To, "the file to write: its extension picks the format")
        ->type_name("FILE.po|FILE.csv|FILE.xlsx|FILE.xlf");
    command
        .add_option("--against", call.Against,
                    "the original message file (a folder of them with several scripts); the "
                    "script's own message file is then the translation")
        ->type_name("DIR|FILE");
    DeclareSince(command, call);
    command.add_flag("--bom", call.Bom, "begin a CSV file with a UTF-8 byte order mark");
    command
        .add_option("--language", call.Language,
                    "the language of the translation, for a PO file's Language header")
        ->type_name("LL")
        ->check(LanguageCode);
    DeclareJobs(command, call, "analyse at most N scripts at once (default: all cores)");
}

void DeclareImport(CLI::App& command, TCliCall& call) {
    command.add_option("TRANSLATION", call.Script, "the translated .po, .csv or .xlf file")
        ->required();
    command
        .add_option("--into", call.Into,
                    "a message file whose texts are replaced (again for each further one)")
        ->type_name("TARGET.msg")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    command.add_option("--out", call.Out, "with one TARGET: write the result here instead")
        ->type_name("NEW.msg");
    command.add_flag("--add-missing", call.AddMissing,
                     "append the numbers TARGET lacks, in number order");
    command.add_flag("--dry-run", call.DryRun, "report what would change; write nothing");
}

void DeclareGraph(CLI::App& command, TCliCall& call) {
    DeclareScript(command, call);
    CLI::Option* from =
        command.add_option("--from", call.From, "only the dialog NODE starts: all it reaches")
            ->type_name("NODE");
    CLI::Option* around =
        command.add_option("--around", call.Around, "only the nodes near NODE (see --steps)")
            ->type_name("NODE")
            ->excludes(from);
    command.add_option("--steps", call.Steps, "with --around: N edges either way (default 2)")
        ->type_name("N")
        ->check(CLI::Range(0, 1000000).description(""))
        ->needs(around);
    command
        .add_option("--format", call.GraphFormat,
                    "DOT (default), SVG drawn by Graphviz, a Mermaid flowchart, or JSON")
        ->type_name("dot|svg|mermaid|json")
        ->check(CLI::IsMember({"dot", "svg", "mermaid", "json"}).description(""));
    command.add_flag("--texts", call.Texts,
                     "message texts instead of captions for said lines and answers");
}

int RunCheck(const TCliCall& call) {
    return call.Project ? RunProjectCheckCommand(call) : RunCheckCommand(call);
}

const CLI::Validator ChoiceList(
    [](const std::string& text) {
        return Unless(ParseChoices(text).has_value(),
                      "'" + text + "' is not a list of choice numbers such as 1,2,1");
    },
    "");

void DeclarePlay(CLI::App& command, TCliCall& call) {
    DeclareScript(command, call);
    CLI::Option* start =
        command.add_option("--start", call.Start, "start at NODE, not at the first dialog start")
            ->type_name("NODE");
    command.add_option("--choose", call.Choose, "take these choices in turn, numbered as listed")
        ->type_name("1,2,...")
        ->check(ChoiceList);
    CLI::Option* to =
        command
            .add_option("--to", call.ToNode, "walk the shortest way from a dialog start to NODE")
            ->type_name("NODE")
            ->excludes(start);
    command.add_flag("--texts", call.Texts, "the message texts (UTF-8) beside their numbers");
    command
        .add_option("--against", call.Against,
                    "the original message file (or a folder of them): its text beside each line")
        ->type_name("ORIGINAL");
    command.add_option("--record", call.Record, "save the walk as steps named by node and target")
        ->type_name("FILE");
    command.add_option("--replay", call.Replay, "take a saved walk again, then --choose")
        ->type_name("FILE")
        ->excludes(start)
        ->excludes(to);
}

void DeclareQuicktest(CLI::App& command, TCliCall& call) {
    DeclareScripts(command, call);
    DeclareFormat(command, call, {"text", "json", "junit"},
                  "a report (text), one JSON document, or JUnit XML with a test case per script");
    DeclareJobs(command, call, "test at most N scripts at once (default: all cores)");
}

void DeclareVoice(CLI::App& command, TCliCall& call) {
    DeclareScripts(command, call);
    command.add_option("--to", call.To, "the file to write: its extension picks the format")
        ->type_name("FILE.xlsx|FILE.csv|FILE.fountain");
    command
        .add_option("--speakers", call.Speakers,
                    "only these speakers (Self, Player, or a Say's speaker such as "
                    "GetObjectID(14)); default: every speaker but Player")
        ->type_name("Self,Player,...");
    command
        .add_option("--audio", call.Audio,
                    "the audio file of a line whose message has no middle field; {script}, "
                    "{number} and {node} are filled in (default {script}_{number}.wav)")
        ->type_name("PATTERN");
}

constexpr std::string_view CheckDetails =
    "Checks each script: messages the nodes use that its message file lacks, unused and\n"
    "duplicate messages, bad message lines, references into other scripts, answers and calls\n"
    "that name no node, unreachable nodes, dead ends, forward declarations without a node. One\n"
    "line per finding, FILE:LINE: KIND: TEXT (LINE 0: the whole file); with several scripts or\n"
    "a project a summary line with the counts per kind follows. Exit status 1 when any finding\n"
    "is an error, else 0. With --against, the script's message file, a translation, is compared\n"
    "with the original; with --since, each original text that differs from the older original\n"
    "is a changed-source warning that marks the words: [-removed-] {+added+}. JSON is one\n"
    "array of {file, line, kind, severity, node, message, text}; texts are decoded through\n"
    "--code-page and every character beyond ASCII is written as \\uXXXX; the summary line goes\n"
    "to standard error.\n";

constexpr std::string_view StatsDetails =
    "A row per script and a total row: nodes, dialog starts, NPC lines and player answers,\n"
    "their words and characters (texts decoded through --code-page), unused messages and\n"
    "findings; with --against, translated, untranslated and missing entries and the translated\n"
    "share; with --since, the originals changed, new and removed since the older ones and the\n"
    "changed share. The same input gives the same bytes whatever --jobs. Exit status 1 when a\n"
    "row is not \"ok\" (a script missing, refused or not analysed).\n";

constexpr std::string_view ExportDetails =
    "Every message of each script in dialog order (the dialog starts depth first through\n"
    "answers and calls, then the nodes no start reaches, then the messages no node uses), texts\n"
    "decoded through --code-page to UTF-8. PO: msgctxt SCRIPT:NUMBER, msgid the original,\n"
    "msgstr the translation, the middle field of the line (often a recording's name) as a\n"
    "comment; CSV (RFC 4180) and XLSX: script, script number, message number, node, role,\n"
    "speaker, line, previous line, middle, original, translation. XLIFF 1.2 (.xlf, .xliff): a\n"
    "<file> per script, a <trans-unit> per message (id and resname SCRIPT:NUMBER) with its\n"
    "state, the comments as notes. --language LL names the translation's language in a PO\n"
    "header and as XLIFF's target-language. --since OLD_ORIGINAL marks each original that\n"
    "changed since: fuzzy with its previous msgid (#|) in PO, needs-review-translation in XLIFF,\n"
    "the columns \"previous original\" and \"changed\" in CSV and XLSX. A byte the code page\n"
    "leaves undefined is reported on standard error.\n";

constexpr std::string_view ImportDetails =
    "Writes each non-empty translation of TARGET's script (by msgctxt, the script column or the\n"
    "XLIFF unit's resname) into the text field of that number's line, encoded into --code-page;\n"
    "every other byte of TARGET stays. --project LIST writes the message file of every listed\n"
    "script from the one file. Fuzzy PO entries and XLIFF units waiting for review are skipped.\n"
    "A character the code page cannot hold, a line break, a message translated twice, a plural\n"
    "entry or an XLIFF target with inline markup is refused, and then no file is written; every\n"
    "file is checked before the first is written. The summary goes to standard error; exit\n"
    "status 1 when anything was refused.\n";

constexpr std::string_view PlayDetails =
    "Walks from the first dialog start (or --start NODE) and takes the --choose numbers in\n"
    "turn, as each position lists its choices: the answers, then the nodes the code calls.\n"
    "Each position shows its said lines in the order they stand in the node with their message\n"
    "numbers (--texts: and their texts, decoded through --code-page to UTF-8), its choices and\n"
    "whether the dialog ends there. Conditions in the code are not evaluated. --to NODE walks\n"
    "the shortest way there from a dialog start. --record saves the walk as steps named by node\n"
    "and target; --replay takes them again and stops at the first step the script no longer\n"
    "has. Exit status 1 when a choice is not offered (the choices are named), a node is unknown\n"
    "or not reachable, or a replay stops early.\n";

constexpr std::string_view QuicktestDetails =
    "From every dialog start each answer and call is taken at least once, each node expanded\n"
    "once. Per script: the nodes reached and the answers offered of all, in percent; per start:\n"
    "the nodes reached, the answers and calls that lead to no node, the nodes where the dialog\n"
    "can end, and the longest choice path without repeats (as a depth-first walk finds it,\n"
    "dropping the choices that lead back into its path); then the choices no start offers.\n"
    "JUnit XML makes each script a test case; a listed script that is missing or refused is one\n"
    "that failed. Exit status 1 when a script cannot be analysed, a reached answer, call or\n"
    "dialog start leads to no node, or no script was tested.\n";

constexpr std::string_view GraphDetails =
    "Vertices: every node, every name an answer, call or dialog start gives that no node has\n"
    "(missing), and every OpenDialog (start); edges: answers, calls and dialog starts. Flags\n"
    "from the dialog-health checks: start, unreachable, dead-end, missing. Names and texts are\n"
    "decoded through --code-page to UTF-8. Pipe the DOT into Graphviz's dot, e.g.\n"
    "'dialoscope-cli graph SCRIPT | dot -Tsvg > map.svg'. Notes go to standard error.\n";

constexpr std::string_view VoiceDetails =
    "Every spoken line of each script in dialog order, grouped by speaker (Self, Player, or a\n"
    "Say's speaker); the player's lines only when --speakers names Player. Each line: its ID\n"
    "SCRIPT:NUMBER, its audio file (the message's middle field, else --audio PATTERN), its text\n"
    "through --code-page, the line before it, the answer that led to its node, a direction from\n"
    "a comment on the line or just above it, its node and places, words and characters. A\n"
    "message used several times is recorded once, under the speaker of its first use as stats\n"
    "counts it. XLSX: a sheet per speaker and a budget sheet (lines and words per speaker per\n"
    "script, and in total, as stats counts words by speaker); CSV: one table with a speaker\n"
    "column; Fountain: a screenplay with a part per speaker.\n";

constexpr TCliCommand Commands[] = {
    {"listing", "SCRIPT", "the token listing", "", TProjectUse::No, DeclareScript, nullptr,
     RunListing},
    {"general", "SCRIPT", "the General View tree", "", TProjectUse::No, DeclareScript, nullptr,
     RunGeneral},
    {"dialogs", "SCRIPT", "the Dialogs Tree", "", TProjectUse::No, DeclareScript, nullptr,
     RunDialogs},
    {"find-msg", "SCRIPT N", "the nodes that use message number N", "", TProjectUse::No,
     DeclareScriptAndNumber, nullptr, RunFindMsg},
    {"find-node", "SCRIPT NAME", "the nodes that lead to node NAME", "", TProjectUse::No,
     DeclareScriptAndName, nullptr, RunFindNode},
    {"node-text", "SCRIPT NAME", "the source text of node NAME", "", TProjectUse::No,
     DeclareScriptAndName, nullptr, RunNodeText},
    {"header", "SCRIPT", "the five counters, one per line", "", TProjectUse::No, DeclareScript,
     nullptr, RunHeader},
    {"check",
     "SCRIPT... | --project LIST [--against ORIGINAL] [--since OLD_ORIGINAL] [--format text|json] "
     "[--jobs N]",
     "the problems of each script's messages and dialogs; exit status 1 on an error", CheckDetails,
     TProjectUse::InsteadOfScripts, DeclareCheck, CheckAgainstUse, RunCheck},
    {"stats",
     "SCRIPT... | --project LIST [--against DIR] [--since DIR] [--format text|json|csv|markdown] "
     "[--jobs N] [--fail-under PERCENT]",
     "how big the dialog is and how far translated: a row per script and a total", StatsDetails,
     TProjectUse::InsteadOfScripts, DeclareStats, nullptr, RunStatsCommand},
    {"export",
     "SCRIPT... --to FILE.po|FILE.csv|FILE.xlsx|FILE.xlf [--against DIR|FILE] [--since DIR|FILE] "
     "[--bom] [--language LL] [--jobs N]",
     "every string in dialog order for translators: PO, CSV, XLSX or XLIFF", ExportDetails,
     TProjectUse::InsteadOfScripts, DeclareExport, CheckExportUse, RunExportCommand},
    {"import",
     "TRANSLATION.po|.csv|.xlf (--into TARGET.msg... [--out NEW.msg] | --project LIST) "
     "[--add-missing] [--dry-run]",
     "translations back into message files, every other byte unchanged", ImportDetails,
     TProjectUse::ForTargets, DeclareImport, CheckImportUse, RunImportCommand},
    {"play",
     "SCRIPT [--start NODE] [--choose 1,2,...] [--to NODE] [--texts] [--against ORIGINAL] "
     "[--record FILE | --replay FILE]",
     "walk through a dialog: its lines, the choices offered and the choice taken", PlayDetails,
     TProjectUse::No, DeclarePlay, nullptr, RunPlayCommand},
    {"quicktest", "SCRIPT... | --project LIST [--format text|json|junit] [--jobs N]",
     "every answer of every dialog tried: coverage, and exit status 1 when one leads nowhere",
     QuicktestDetails, TProjectUse::InsteadOfScripts, DeclareQuicktest, nullptr,
     RunQuicktestCommand},
    {"graph",
     "SCRIPT [--from NODE | --around NODE --steps N] [--format dot|svg|mermaid|json] "
     "[--texts]",
     "the dialog map: nodes, answers, calls and dialog starts as a graph", GraphDetails,
     TProjectUse::No, DeclareGraph, nullptr, RunGraphCommand},
    {"voice",
     "SCRIPT... --to FILE.xlsx|FILE.csv|FILE.fountain [--speakers Self,Player,...] "
     "[--audio PATTERN]",
     "the voice-over script: spoken lines by speaker, audio file names, a budget", VoiceDetails,
     TProjectUse::InsteadOfScripts, DeclareVoice, CheckVoiceUse, RunVoiceCommand},
};

} // namespace

std::span<const TCliCommand> CliCommands() {
    return Commands;
}

} // namespace dialoscope
