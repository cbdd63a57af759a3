#pragma once
// Generated workloads for the benchmarks: never committed, made on first use in a temporary
// folder by the generator that ships beside the project.

#include <string>

namespace dialoscope::bench {

// Runs the generator with the given options (e.g. "--target-mb 10") into a cached folder and
// returns the folder; the script is FOLDER/talk.ipp, with talk.msg and scripts.lst beside it.
std::string GeneratedWorkload(const std::string& options);

// The whole content of a file.
std::string ReadWholeFile(const std::string& path);

} // namespace dialoscope::bench
