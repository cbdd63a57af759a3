#pragma once
// The temporary files this process is writing right now, so that an interrupt (SIGINT, SIGTERM,
// SIGHUP) removes them before the process ends as the signal says: the handler unlinks every
// registered path, then takes the signal's own action again. The handler is installed with the
// first registration, and only for a signal whose action is still the default, so a program
// that handles a signal itself keeps its handler.
//
// Also: temporary files an earlier process left behind, recognised by the name a save gives
// them (".NAME.PID-N.tmp" beside NAME) and a PID no process has any more.

#include <string>

namespace dialoscope {

// Registers path while it exists; returns its slot, or -1 when every slot is taken (the file is
// then still removed on every ordinary path, only not on an interrupt).
int RegisterLiveTemporary(const std::string& path);
// The file at slot was renamed into place or removed; -1 does nothing.
void ForgetLiveTemporary(int slot);

// The name a save of target (a path) gives its temporary file: ".NAME.PID-N.tmp" beside it, the
// name shortened so that it stays within the usual 255-byte limit of a file name.
std::string TemporaryNameFor(const std::string& target, int pid, unsigned attempt);

// Removes the temporary files of earlier saves of target whose process is gone.
void RemoveStaleTemporaries(const std::string& target);

} // namespace dialoscope
