#pragma once
// Whole-file reads for Load: the exact bytes of a file, no line-end or code-page conversion.

#include <string>
#include <string_view>

namespace dialoscope {

// Throws EFOpenError(path) when the file cannot be opened or read (missing, no access, a
// folder), ENotRegularFileError(path) for a pipe, a device or a socket.
std::string ReadFileBytes(const std::string& path);

// A file read again, moments after its bytes were read into known: nearly always it still
// holds them, and then nothing is copied (Same, and Bytes empty); else Bytes is what it holds
// now. Throws as ReadFileBytes does. inHalves compares a file that still holds them on two cores.
struct TReread {
    bool Same = false;
    std::string Bytes;
};
TReread RereadFileBytes(const std::string& path, std::string_view known, bool inHalves = false);

} // namespace dialoscope
