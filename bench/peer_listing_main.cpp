#include "peer_listing_main.h"

#include "peer_listing.h"

#include <cstdio>
#include <limits>
#include <optional>
#include <string>

namespace dialoscope::bench {

namespace {

// The whole file; nothing when it cannot be read or is too big for 32-bit offsets.
std::optional<std::string> ReadScript(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return std::nullopt;
    }
    const long size = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
    std::string bytes;
    bool read = size >= 0 && size < std::numeric_limits<std::int32_t>::max();
    if (read) {
        bytes.resize(static_cast<std::size_t>(size));
        std::rewind(file);
        read = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    return read ? std::optional<std::string>(std::move(bytes)) : std::nullopt;
}

} // namespace

int RunPeerListing(int argc, char** argv, TPeerScan scan) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s SCRIPT\n", argc > 0 ? argv[0] : "peer");
        return 2;
    }
    const std::optional<std::string> bytes = ReadScript(argv[1]);
    if (!bytes) {
        std::fprintf(stderr, "Cannot open file %s\n", argv[1]);
        return 1;
    }
    TPeerTokenList tokens(*bytes);
    scan(*bytes, tokens);
    WritePeerListing(tokens, stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace dialoscope::bench
