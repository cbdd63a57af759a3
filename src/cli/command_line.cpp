#include "command_line.h"

#include "cli_call.h"
#include "code_page_name.h"
#include "command_table.h"
#include "error_lines.h"
#include "standard_output.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#ifndef DIALOSCOPE_VERSION
#error "the build passes the program's version as DIALOSCOPE_VERSION"
#endif

namespace dialoscope {

namespace {

constexpr const char* ProgramName = "dialoscope-cli";
constexpr std::size_t HelpColumn = 26;

// The widest line of the help, as wide as its widest paragraph.
constexpr std::size_t HelpWidth = 88;

// text's words appended to out, a line break and indent spaces before a word that would pass
// HelpWidth; column is where out's last line ends.
void AppendWrapped(std::string& out, std::size_t& column, std::string_view text,
                   std::size_t indent) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t space = std::min(text.find(' ', start), text.size());
        const std::string_view word = text.substr(start, space - start);
        // A word that follows another on its line needs a blank before it.
        const bool followsWord = !out.empty() && out.back() != ' ' && out.back() != '\n';
        if (followsWord && column + 1 + word.size() > HelpWidth) {
            out.append("\n").append(indent, ' ');
            column = indent;
        } else if (followsWord) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        start = space + 1;
    }
}

// One entry of a help list: "  left   help", the help on a line of its own when left is long.
std::string HelpEntry(std::string_view left, std::string_view help) {
    std::string entry = "  ";
    std::size_t column = 2;
    AppendWrapped(entry, column, left, 6);
    if (column + 2 > HelpColumn) {
        entry += "\n";
        column = 0;
    }
    entry.append(HelpColumn - column, ' ');
    column = HelpColumn;
    AppendWrapped(entry, column, help, HelpColumn);
    return entry + "\n";
}

// The options of app that are not positional arguments, one entry each; the help flag only
// where asked for.
std::string OptionEntries(const CLI::App& app, bool withHelp) {
    std::string entries;
    for (const CLI::Option* option : app.get_options()) {
        if (option->get_positional() || (!withHelp && option == app.get_help_ptr())) {
            continue;
        }
        std::string left = option->get_name(false, true);
        if (option->get_type_size() > 0) {
            left += " " + option->get_type_name();
        }
        entries += HelpEntry(left, option->get_description());
    }
    return entries;
}

// "The token listing." from "the token listing".
std::string Sentence(std::string_view text) {
    std::string sentence(text);
    if (!sentence.empty()) {
        sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
    }
    return sentence + ".";
}

std::string CommandEntries() {
    std::string entries;
    for (const TCliCommand& command : CliCommands()) {
        entries +=
            HelpEntry(std::string(command.Name) + " " + std::string(command.Takes), command.Help);
    }
    return entries;
}

std::string ProgramHelp(const CLI::App& app) {
    return "Usage: dialoscope-cli [--scripts-lst FILE] COMMAND SCRIPT [ARG]\n"
           "       dialoscope-cli [OPTIONS] COMMAND ARGUMENTS... [OPTIONS]\n"
           "\n"
           "Loads SCRIPT (a dialog script), analyses it and writes the result to standard output,\n"
           "byte for byte as the window's Save or Tree Save would write it (CR LF line ends).\n"
           "\n"
           "Commands:\n" +
           CommandEntries() +
           "\n"
           "Options, before or after the command:\n" +
           OptionEntries(app, true) +
           "\n"
           "'dialoscope-cli COMMAND --help' shows the command's own options. Message boxes go to\n"
           "standard error, one line each. An error that ends the command is the last line on\n"
           "standard error, with exit status 1; wrong usage exits with status 2.\n";
}

std::string CommandHelp(const CLI::App& app, const CLI::App& commandApp,
                        const TCliCommand& command) {
    const std::string name(command.Name);
    std::string help = "Usage: dialoscope-cli [OPTIONS] " + name;
    std::size_t column = help.size();
    AppendWrapped(help, column, command.Takes, 7);
    help += "\n\n" + Sentence(command.Help) + "\n";
    if (!command.Details.empty()) {
        help += "\n" + std::string(command.Details);
    }
    const std::string own = OptionEntries(commandApp, false);
    if (!own.empty()) {
        help += "\nOptions of " + name + ":\n" + own;
    }
    return help + "\nOptions of every command, before or after it:\n" + OptionEntries(app, true);
}

// The row of the command the arguments chose, with its CLI11 app; both null when none.
struct TChosen {
    const TCliCommand* Command = nullptr;
    const CLI::App* App = nullptr;
};

TChosen ChosenCommand(const CLI::App& app) {
    for (const TCliCommand& command : CliCommands()) {
        const CLI::App* commandApp = app.get_subcommand(std::string(command.Name));
        if (commandApp->parsed()) {
            return {&command, commandApp};
        }
    }
    return {};
}

int UsageError(const TChosen& chosen, const std::string& problem) {
    const std::string helpCall =
        chosen.Command ? std::string(ProgramName) + " " + std::string(chosen.Command->Name)
                       : std::string(ProgramName);
    std::fprintf(stderr, "%s: %s\nRun '%s --help' for the usage.\n", ProgramName, problem.c_str(),
                 helpCall.c_str());
    return 2;
}

const CLI::Validator CodePageName(
    [](const std::string& name) {
        return IsKnownCodePageName(name) ? std::string()
                                         : "'" + name + "' is not a code page ICU knows";
    },
    "");

void DeclareGlobalOptions(CLI::App& app, TCliCall& call) {
    app.set_help_flag("-h,--help", "show this text; after a command, the command's own");
    app.set_version_flag("--version", std::string(ProgramName) + " " + DIALOSCOPE_VERSION,
                         "show the version");
    app.add_option("--scripts-lst", call.ScriptsLst,
                   "read the script list from FILE instead of the program's folder")
        ->type_name("FILE");
    app.add_option("--code-page", call.CodePage,
                   "the code page of the message texts: an ICU converter name or auto "
                   "(default windows-1252)")
        ->type_name("CP")
        ->check(CodePageName);
    app.add_option("--project", call.Project,
                   "check, stats, export, quicktest, voice: every script of the scripts.lst LIST "
                   "(NAME.ipp beside it); import: their message files; also sets --scripts-lst")
        ->type_name("LIST");
}

void BuildCommandLine(CLI::App& app, TCliCall& call) {
    // Every option may come more than once; the last one counts, as it always did.
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    // Options a command does not know are the global ones, so they may follow the command too.
    app.fallthrough();
    DeclareGlobalOptions(app, call);
    for (const TCliCommand& command : CliCommands()) {
        command.Declare(*app.add_subcommand(std::string(command.Name), std::string(command.Help)),
                        call);
    }
    // At most one command; after it, a word that names another command is an argument.
    app.require_subcommand(0, 1);
}

// Wrong use the options alone cannot see.
void CheckUse(const TCliCommand& command, const TCliCall& call) {
    const std::string quoted = "'" + std::string(command.Name) + "'";
    const bool scriptsOrProject = command.ProjectUse == TProjectUse::InsteadOfScripts;
    if (call.Project && command.ProjectUse == TProjectUse::No) {
        throw EUsageError(quoted + " does not take --project");
    }
    if (scriptsOrProject && call.Project && !call.Scripts.empty()) {
        throw EUsageError(quoted + " takes SCRIPT... or --project LIST, not both");
    }
    if (scriptsOrProject && !call.Project && call.Scripts.empty()) {
        throw EUsageError(quoted + " takes at least one SCRIPT, or --project LIST");
    }
    if (command.CheckUse) {
        command.CheckUse(call);
    }
}

// A word where a command should be is named as the unknown command it is.
std::string ExtrasProblem(const CLI::App& app, const CLI::ExtrasError& error) {
    const std::vector<std::string> extras = app.remaining();
    if (ChosenCommand(app).Command == nullptr && !extras.empty() && extras.front()[0] != '-') {
        return "unknown command '" + extras.front() + "'";
    }
    return error.what();
}

int RunParsedCommandLine(int argc, char** argv) {
    TCliCall call;
    CLI::App app("", ProgramName);
    BuildCommandLine(app, call);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        const TChosen chosen = ChosenCommand(app);
        const std::string help =
            chosen.Command ? CommandHelp(app, *chosen.App, *chosen.Command) : ProgramHelp(app);
        WriteStandardOutput(help);
        return 0;
    } catch (const CLI::CallForVersion& version) {
        WriteStandardOutput(std::string(version.what()) + "\n");
        return 0;
    } catch (const CLI::ExtrasError& error) {
        return UsageError(ChosenCommand(app), ExtrasProblem(app, error));
    } catch (const CLI::ParseError& error) {
        return UsageError(ChosenCommand(app), error.what());
    }
    const TChosen chosen = ChosenCommand(app);
    if (chosen.Command == nullptr) {
        return UsageError(chosen, "no command given");
    }
    try {
        CheckUse(*chosen.Command, call);
    } catch (const EUsageError& error) {
        return UsageError(chosen, error.what());
    }
    try {
        return chosen.Command->Run(call);
    } catch (const std::exception& error) {
        // What a command let through (memory running out on a worker thread) still ends it
        // with a line that says what happened, never with an abort.
        FlushStandardOutput();
        const std::string doing = "running '" + std::string(chosen.Command->Name) + "'";
        std::fputs(ErrorLines(error, doing).c_str(), stderr);
        return 1;
    }
}

} // namespace

int RunCommandLine(int argc, char** argv) {
    return FinishStandardOutput(RunParsedCommandLine(argc, argv));
}

} // namespace dialoscope
