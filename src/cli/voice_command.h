#pragma once
// voice: the voice-over script of dialoscope-cli.

#include "cli_call.h"

namespace dialoscope {

// voice (SCRIPT... | --project LIST) --to FILE.xlsx|.csv|.fountain [--speakers LIST]
// [--audio PATTERN]: the spoken lines by speaker. Returns the exit status.
int RunVoiceCommand(const TCliCall& call);

// Throws EUsageError when voice names no file to write or an empty speaker in --speakers.
void CheckVoiceUse(const TCliCall& call);

} // namespace dialoscope
