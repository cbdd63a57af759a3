#pragma once
// export and import: the translators' files of dialoscope-cli.

#include "cli_call.h"

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

} // namespace dialoscope
