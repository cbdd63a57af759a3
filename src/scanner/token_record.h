#pragma once
// How the token list keeps a token: one 8-byte record whose text is a slice of the scanned
// bytes, and the runs of tokens that share a line. The reader's fast path writes them as they
// are kept.

#include "token.h"

#include <cstddef>
#include <cstdint>

namespace dialoscope {

struct TTokenRecord {
    std::uint32_t Offset;
    std::uint32_t Packed; // kind: bits 0-3, text skip after Offset: 4-7, text length: 8-31

    static constexpr std::uint32_t SideSkip = 15; // the text is kept on the side
    static constexpr std::size_t MaxPackedLength = (std::size_t{1} << 24) - 1;

    static std::uint32_t Pack(TTokenKind kind, std::size_t skip, std::size_t length) {
        return static_cast<std::uint32_t>(kind) | static_cast<std::uint32_t>(skip << 4) |
               static_cast<std::uint32_t>(length << 8);
    }
    TTokenKind Kind() const { return static_cast<TTokenKind>(Packed & 0xF); }
    std::uint32_t Skip() const { return (Packed >> 4) & 0xF; }
    std::uint32_t Length() const { return Packed >> 8; }
};
static_assert(sizeof(TTokenRecord) == 8);

// The tokens from FirstToken up to the next run's lie on Line, and each one's column is its
// offset plus ColumnBias. The sum is taken modulo 2^32, so that any offset and column a handler
// leaves read back exactly.
struct TLineRun {
    std::int32_t FirstToken;
    std::int32_t Line;
    std::uint32_t ColumnBias;
};

// Plain tokens as the reader's fast path reads them, a batch at a time: their records and tags,
// and the line runs that begin in the batch, FirstToken counted from the batch's first token.
struct TPlainBatch {
    static constexpr std::size_t Capacity = 256;
    TTokenRecord Records[Capacity];
    std::uint8_t Tags[Capacity]; // when the scan tags
    TLineRun Lines[Capacity];
    std::size_t Count = 0;
    std::size_t LineCount = 0;
};

} // namespace dialoscope
