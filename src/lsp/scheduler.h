#pragma once
// The server's threads, all of them: one reads and unframes the input, one makes the project
// index, and the calling thread runs the server one message at a time.

namespace dialoscope::lsp {

// Serves the protocol on two file descriptors until exit or the end of the input; returns the
// exit status (0 after shutdown and exit).
int ServeStreams(int inputFd, int outputFd);

} // namespace dialoscope::lsp
