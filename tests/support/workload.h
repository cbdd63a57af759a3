#pragma once
// Generated workloads: the workload generator run into a folder, or run once per set of options
// with its folder kept in the temporary folder and reused, unchanged, by later runs.

#include <string>

namespace dialoscope::test {

// Runs the generator with options into folder (made anew each time, for a test that changes the
// files); false when it fails.
bool GenerateWorkload(const std::string& options, const std::string& folder);

// The folder the generator wrote for options ("--nodes 40 --seed 3", "--scripts 6 ..."):
// talk.ipp, talk.msg and scripts.lst, or a project. Throws std::runtime_error when it fails.
std::string GeneratedWorkload(const std::string& options);

} // namespace dialoscope::test
