#pragma once
// Which message file a script's own is compared with: --against names either that file itself
// (one script) or the folder holding the originals under the scripts' message file names.

#include <optional>
#include <string>

namespace dialoscope {

// True for a folder; false for a file, or for a path that cannot be read at all (the reader of
// the file then names it).
bool IsFolder(const std::string& path);

// The original of messageFile (a path or a bare name): against itself, or the file of
// messageFile's name in the folder against names; nothing without against.
std::optional<std::string> OriginalMessageFile(const std::optional<std::string>& against,
                                               const std::string& messageFile);

} // namespace dialoscope
