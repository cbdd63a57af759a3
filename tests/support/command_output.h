#pragma once
// CommandOutput: what a shell command writes to standard output, for tests that read a file back
// through an outside reader (python3's zip and XML modules for a workbook).

#include <string>

namespace dialoscope::test {

std::string CommandOutput(const std::string& command);

} // namespace dialoscope::test
