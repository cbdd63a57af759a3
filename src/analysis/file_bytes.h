#pragma once
// Whole-file reads for Load: the exact bytes of a file, no line-end or code-page conversion.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dialoscope {

// Throws EFOpenError(path) when the file cannot be opened or read (missing, no access, a
// folder), ENotRegularFileError(path) for a pipe, a device or a socket.
std::string ReadFileBytes(const std::string& path);

// A file read again, moments after its bytes were read into known: nearly always it still
// holds them, and then nothing is copied (Same, and Bytes empty); else Bytes is what it holds
// now. Throws as ReadFileBytes does.
struct TReread {
    bool Same = false;
    std::string Bytes;
};
TReread RereadFileBytes(const std::string& path, std::string_view known);

// Whether the file holds part from byte at on, and, for TFileEnd::RightAfter, nothing after it.
// Positioned reads leave no position behind, so parts of one file may be compared on two cores
// at once; any doubt (a difference, a read error) says no. Throws as ReadFileBytes does.
enum class TFileEnd : std::uint8_t { Anywhere, RightAfter };
bool FileHoldsAt(const std::string& path, std::string_view part, std::size_t at, TFileEnd end);

} // namespace dialoscope
