#include "savers.h"

#include <algorithm>

namespace dialoscope {

namespace {

bool IsTabOrLineBreak(char c) {
    return c == '\t' || c == '\r' || c == '\n';
}

// Every item is one line at its own depth, whatever its caption holds: a tab in a caption (a
// string token can carry one to the front) is written as two blanks, as the output pane shows
// it, and a line break (CR LF, CR or LF, as in an error token "$" at a line end) as one blank.
// The bytes between go in as one run: most captions have no tab or line break at all.
void AppendCaption(std::string& bytes, std::string_view caption) {
    auto at = caption.begin();
    for (;;) {
        const auto special = std::find_if(at, caption.end(), IsTabOrLineBreak);
        bytes.append(at, special);
        if (special == caption.end()) {
            return;
        }
        at = special + 1;
        if (*special == '\t') {
            bytes += "  ";
            continue;
        }
        bytes += ' ';
        if (*special == '\r' && at != caption.end() && *at == '\n') {
            ++at;
        }
    }
}

} // namespace

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
        AppendTreeLine(bytes, item.Depth, item.Caption);
    }
    return bytes;
}

void AppendTreeLine(std::string& bytes, std::int32_t depth, std::string_view caption) {
    bytes.append(static_cast<std::size_t>(depth), '\t');
    AppendCaption(bytes, caption);
    bytes += "\r\n";
}

void SaveTextOutput(const std::vector<std::string>& lines, const std::string& path) {
    ReplaceFile(path, TextOutputBytes(lines));
}

void SaveTreeFile(const TOutlineTree& tree, const std::string& path) {
    ReplaceFile(path, TreeFileBytes(tree));
}

} // namespace dialoscope
