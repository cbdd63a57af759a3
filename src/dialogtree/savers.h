#pragma once
// The text output file and the tree file. Both replace the target in one rename, so a failed
// save never damages the previous file and leaves no temporary file behind.

#include "analysis/outline_tree.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

// Every line followed by CR LF.
std::string TextOutputBytes(const std::vector<std::string>& lines);
// One line per item in pre-order: one tab per depth, the caption, CR LF. A tab inside a caption
// is written as two blanks and a line break inside it as one blank, so each item stays one line.
std::string TreeFileBytes(const TOutlineTree& tree);
// One item's line of the tree file, appended to bytes.
void AppendTreeLine(std::string& bytes, std::int32_t depth, std::string_view caption);

// Writes bytes to path through a temporary file in the same folder, renamed into place: the
// new file takes the old one's owner, group and mode where the process may set them. The
// temporary file goes on every failure and on an interrupt, and the ones an earlier process left
// beside path go too. Throws EFCreateError(path) when it cannot be created, EWriteError when a
// write fails.
void ReplaceFile(const std::string& path, std::string_view bytes);

// How many other names (hard links) the file at path has: after ReplaceFile they still name the
// old content. 0 for a file that is not there.
std::uint64_t OtherNamesOf(const std::string& path);

void SaveTextOutput(const std::vector<std::string>& lines, const std::string& path);
void SaveTreeFile(const TOutlineTree& tree, const std::string& path);

} // namespace dialoscope
