#pragma once
// The script's second read during Load on two cores: the file's second half compared on the
// second core while this one compares the first.

#include "analysis/file_bytes.h"

#include <string>
#include <string_view>

namespace dialoscope {

// What RereadFileBytes gives, the halves of a file that still holds known compared on two cores.
TReread RereadOnTwoCores(const std::string& path, std::string_view known);

} // namespace dialoscope
