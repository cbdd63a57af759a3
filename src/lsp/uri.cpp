#include "uri.h"

#include "scanner/ascii.h"

namespace dialoscope::lsp {

namespace {

constexpr std::string_view FileScheme = "file://";

bool IsUnreserved(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
}

} // namespace

std::optional<std::string> PathOfUri(std::string_view uri) {
    if (uri.substr(0, FileScheme.size()) != FileScheme) {
        return std::nullopt;
    }
    uri.remove_prefix(FileScheme.size());
    // "file://host/path": only the local host (empty or "localhost") names a file here.
    const std::size_t slash = uri.find('/');
    if (slash == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view host = uri.substr(0, slash);
    if (!host.empty() && host != "localhost") {
        return std::nullopt;
    }
    uri.remove_prefix(slash);
    std::string path;
    for (std::size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] != '%') {
            path += uri[i];
            continue;
        }
        if (i + 2 >= uri.size() || AsciiHexDigitValue(uri[i + 1]) < 0 || AsciiHexDigitValue(uri[i + 2]) < 0) {
            return std::nullopt;
        }
        path += static_cast<char>(AsciiHexDigitValue(uri[i + 1]) * 16 + AsciiHexDigitValue(uri[i + 2]));
        i += 2;
    }
    return path;
}

std::string UriOfPath(std::string_view path) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string uri(FileScheme);
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsUnreserved(byte)) {
            uri += c;
        } else {
            uri += '%';
            uri += Hex[byte >> 4];
            uri += Hex[byte & 0x0F];
        }
    }
    return uri;
}

} // namespace dialoscope::lsp
