#pragma once
// Standard output as every command of dialoscope-cli writes it: each write checked, and at the
// end the flush and the close checked too (a full disk or /dev/full often shows only there). A
// failure is said once on standard error, "dialoscope-cli: cannot write the output: REASON",
// and makes the exit status 1, so an output that did not arrive is never reported as success.
//
// Only the command's own thread writes to standard output.

#include <string_view>

namespace dialoscope {

// Writes bytes to standard output; after a failure, drops them (the reason is kept).
void WriteStandardOutput(std::string_view bytes);
// Writes a line and CR LF after it, as WriteStandardOutput would.
void WriteStandardOutputLine(std::string_view line);

// Pushes what is buffered to standard output now; false when any write so far failed, after
// saying why on standard error. For a command that is about to write its error line there, so
// that line stays the last.
bool FlushStandardOutput();

// Flushes and closes standard output, the command's last act. Returns status, or 1 when any
// write, the flush or the close failed (said on standard error, unless already said), or when a
// line for standard error could not be written.
int FinishStandardOutput(int status);

} // namespace dialoscope
