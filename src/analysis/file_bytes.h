#pragma once
// Whole-file reads for Load: the exact bytes of a file, no line-end or code-page conversion.

#include <string>

namespace dialoscope {

// Throws EFOpenError(path) when the file cannot be opened or read (missing, no access, a
// folder).
std::string ReadFileBytes(const std::string& path);

} // namespace dialoscope
