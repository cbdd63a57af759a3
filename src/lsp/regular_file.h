#pragma once
// The bytes of a file the server reads from disk rather than from the editor.

#include <optional>
#include <string>

namespace dialoscope::lsp {

// The bytes of a regular file; none for anything else (a folder, a pipe, which is never waited
// on), or a file that cannot be read.
std::optional<std::string> ReadRegularFile(const std::string& path);

} // namespace dialoscope::lsp
