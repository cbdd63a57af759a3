#pragma once
// The pieces of ReplaceFile, with the write call as a parameter so that tests can make a write
// fail part-way (a full disk) without filling one.

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace dialoscope {

using TWriteCall = ssize_t (*)(int fd, const void* data, std::size_t size);

// Writes all bytes to fd, going on after partial writes and interruptions; throws EWriteError
// when a write fails or writes nothing.
void WriteAllBytes(int fd, std::string_view bytes, TWriteCall writeCall);

// ReplaceFile with a chosen write call.
void ReplaceFileUsing(const std::string& path, std::string_view bytes, TWriteCall writeCall);

} // namespace dialoscope
