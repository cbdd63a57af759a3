#pragma once
// An error that ends a command as standard error shows it: its own text first, as the window
// words it, then a second line with what that text leaves out (the file and cause of a failed
// write). Memory running out is named as such, never as a bare "std::bad_alloc".

#include <exception>
#include <string>
#include <string_view>

namespace dialoscope {

// One or two LF-ended lines. doing names the work that ran out of memory ("building the Dialogs
// Tree"); empty: "out of memory" alone.
std::string ErrorLines(const std::exception& error, std::string_view doing = {});

} // namespace dialoscope
