#pragma once
// The commands of dialoscope-cli, one row each: its name, what it takes, its help, how its
// arguments are declared and how it runs. The command line is built from the rows and the usage
// text is printed from them, so a new command is one new row.

#include "cli_call.h"

#include <CLI/CLI.hpp>

#include <cstdint>
#include <span>
#include <string_view>

namespace dialoscope {

// What --project LIST means to a command.
enum class TProjectUse : std::uint8_t {
    No,               // it does not take --project
    InsteadOfScripts, // its SCRIPT... or --project LIST, never both
    ForTargets        // every listed script's message file is written (import)
};

struct TCliCommand {
    std::string_view Name;
    std::string_view Takes;   // its arguments and options, as the usage shows them
    std::string_view Help;    // one line for the command list
    std::string_view Details; // more for its own --help; may be empty
    TProjectUse ProjectUse;
    // Its arguments and options, bound to the fields of call.
    void (*Declare)(CLI::App& command, TCliCall& call);
    // Throws EUsageError on wrong use the declared options cannot see; may be null.
    void (*CheckUse)(const TCliCall& call);
    // Returns the exit status.
    int (*Run)(const TCliCall& call);
};

std::span<const TCliCommand> CliCommands();

} // namespace dialoscope
