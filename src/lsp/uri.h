#pragma once
// file: URIs as editors send them ("file:///home/a/b%20c/guard.ipp") and the paths they name.

#include <optional>
#include <string>
#include <string_view>

namespace dialoscope::lsp {

// The path of a file: URI, percent escapes decoded; nothing for another scheme or a malformed
// escape.
std::optional<std::string> PathOfUri(std::string_view uri);

// The file: URI of an absolute path; every byte but unreserved ones and "/" is escaped.
std::string UriOfPath(std::string_view path);

} // namespace dialoscope::lsp
