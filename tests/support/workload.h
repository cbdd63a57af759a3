#pragma once
// Generated workloads: the workload generator run once per set of options, its folder kept in
// the temporary folder and reused by later runs.

#include <string>

namespace dialoscope::test {

// The folder the generator wrote for options ("--nodes 40 --seed 3", "--scripts 6 ..."):
// talk.ipp, talk.msg and scripts.lst, or a project. Throws std::runtime_error when it fails.
std::string GeneratedWorkload(const std::string& options);

} // namespace dialoscope::test
