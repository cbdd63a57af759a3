#include "savers.h"

namespace dialoscope {

std::string TextOutputBytes(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& line : lines) {
        size += line.size() + 2;
    }
    std::string bytes;
    bytes.reserve(size);
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::string TreeFileBytes(const TOutlineTree& tree) {
    // The item table is kept in pre-order, so writing it front to back is the outline order.
    std::size_t size = 0;
    for (const auto& item : tree.Items()) {
        size += static_cast<std::size_t>(item.Depth) + item.Caption.size() + 2;
    }
    std::string bytes;
    bytes.reserve(size);
    for (const auto& item : tree.Items()) {
        bytes.append(static_cast<std::size_t>(item.Depth), '\t');
        bytes += item.Caption;
        bytes += "\r\n";
    }
    return bytes;
}

void SaveTextOutput(const std::vector<std::string>& lines, const std::string& path) {
    ReplaceFile(path, TextOutputBytes(lines));
}

void SaveTreeFile(const TOutlineTree& tree, const std::string& path) {
    ReplaceFile(path, TreeFileBytes(tree));
}

} // namespace dialoscope
