#include "program.h"

#include "scheduler.h"
#include "self_check.h"

#include <CLI/CLI.hpp>

#include <csignal>
#include <cstdio>

#ifndef DIALOSCOPE_VERSION
#error "the build passes the program's version as DIALOSCOPE_VERSION"
#endif

namespace dialoscope::lsp {

int RunLspProgram(int argc, char** argv) {
    CLI::App app("The Dialoscope language server: serves the Language Server Protocol on standard "
                 "input and output for dialog scripts (.ipp) and message files (.msg).",
                 "dialoscope-lsp");
    app.set_version_flag("--version", DIALOSCOPE_VERSION);
    TSelfCheckOptions check;
    app.add_option("--check", check.File,
                   "run every feature on FILE without an editor, print what each answered; exit "
                   "status 1 when a request failed")
        ->type_name("FILE");
    app.add_option("--code-page", check.CodePage, "with --check: the files' code page")
        ->type_name("CP");
    std::string original;
    app.add_option("--original-folder", original,
                   "with --check: the folder of the original message files")
        ->type_name("DIR");
    // Editors' clients add these to the command; the server always speaks on stdio.
    bool stdio = true;
    app.add_flag("--stdio", stdio, "serve on standard input and output (the default)");
    app.allow_extras();
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error);
    }
    if (!check.File.empty()) {
        if (!original.empty()) {
            check.OriginalFolder = original;
        }
        return RunSelfCheck(check, stdout, stderr);
    }
    // A client that goes away while an answer is written ends the write, not the process.
    std::signal(SIGPIPE, SIG_IGN);
    return ServeStreams(0, 1);
}

} // namespace dialoscope::lsp
