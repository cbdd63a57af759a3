#pragma once
// Whether a file stays inside a folder once every symbolic link on its way is followed: a
// project reads only files in its own folder, and a link is no way out of it.

#include <string>

namespace dialoscope {

// True when path, followed through every link, ends outside folder (or in no folder below it).
// A path that leads to no file is not outside: whoever opens it reports it missing.
bool LeadsOutsideFolder(const std::string& folder, const std::string& path);

} // namespace dialoscope
