#pragma once
// export and import: the translators' files of dialoscope-cli.

#include "cli_call.h"

#include "exchange/export_scripts.h"

namespace dialoscope {

// export (SCRIPT... | --project LIST) --to FILE.po|.csv|.xlsx [--against DIR|FILE] [--bom]
// [--language LL]:
// every message in dialog order, texts in UTF-8. Returns the exit status.
int RunExportCommand(const TCliCall& call);

// import TRANSLATION.po|.csv (--into TARGET.msg... [--out NEW.msg] | --project LIST)
// [--add-missing] [--dry-run]: the summary goes to standard error; exit status 1 when anything
// was refused or not written.
int RunImportCommand(const TCliCall& call);

// Throws EUsageError when import names no target, both --into and --project, or --out with
// more than one target.
void CheckImportUse(const TCliCall& call);

// Throws EUsageError when export names no file to write or --against is a file with several
// scripts.
void CheckExportUse(const TCliCall& call);

// The export's steps that voice takes as they are: the scripts named or the project's found ones
// (a note for each that is not there), the code page of their texts, the files they read, and
// the bytes the code page leaves undefined, said on standard error.
std::vector<TExportScript> ScriptsToExport(const TCliCall& call);
TTextCodePage ExportCodePage(const TCliCall& call, const std::string& messageFile);
std::vector<std::string> ExportInputs(const TExportRequest& request);
void SayUndefinedBytes(const std::vector<TUndefinedByte>& bytes, const std::string& codePage);

} // namespace dialoscope
