#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>

namespace dialoscope::fuzz {

namespace {

std::string Printable(std::string_view text) {
    std::string shown;
    for (const char c : text.substr(0, 200)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 32 && byte < 127) {
            shown += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        }
    }
    return shown;
}

std::string Where(std::int32_t index, const TTokenView& token) {
    return "token " + std::to_string(index) + " kind " +
           std::to_string(static_cast<int>(token.Kind)) + " offset " +
           std::to_string(token.Offset) + " line " + std::to_string(token.Line) + " column " +
           std::to_string(token.Column) + " text '" + Printable(token.Text) + "'";
}

// A caption as one line of a tree file: tabs as two blanks, each line break as one blank.
std::string CaptionAsWritten(std::string_view caption) {
    std::string written;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '\t') {
            written += "  ";
        } else if (caption[i] == '\r' || caption[i] == '\n') {
            written += ' ';
            i += caption.substr(i, 2) == "\r\n" ? 1 : 0;
        } else {
            written += caption[i];
        }
    }
    return written;
}

std::size_t LeadingBlanks(std::string_view bytes, std::size_t offset) {
    std::size_t count = 0;
    while (offset + count < bytes.size() && bytes[offset + count] == ' ') {
        ++count;
    }
    return count;
}

} // namespace

bool HoldsTabOrBreak(std::string_view text) {
    for (const char c : text) {
        if (c == '\t' || c == '\r' || c == '\n') {
            return true;
        }
    }
    return false;
}

void Fail(std::string_view invariant, std::string_view detail) {
    std::fprintf(stderr, "\n== broken invariant: %.*s\n   %s\n", static_cast<int>(invariant.size()),
                 invariant.data(), Printable(detail).c_str());
    std::abort();
}

bool TPositionWalker::AdvanceTo(std::size_t offset) {
    while (Offset_ < offset) {
        const char c = Bytes_[Offset_];
        if (c == '\r' && Offset_ + 1 < Bytes_.size() &&
            (Bytes_[Offset_ + 1] == '\n' || Bytes_[Offset_ + 1] == '\0')) {
            if (Offset_ + 1 == offset) {
                return false;
            }
            Offset_ += 2;
            ++Line_;
            Column_ = 1;
            continue;
        }
        ++Offset_;
        if (c == '\r' || c == '\n') {
            ++Line_;
            Column_ = 1;
        } else {
            ++Column_;
        }
    }
    return true;
}

void CheckTokenList(const TScanner& scanner, std::string_view bytes, TScanEnd end) {
    const std::int32_t count = scanner.TokenCount();
    FUZZ_EXPECT(!scanner.TokenAt(-1) && !scanner.TokenAt(count), "TokenAt outside the list is null",
                "");
    TPositionWalker walker(bytes);
    std::int64_t previousOffset = -1;
    const TScanner::TLineHint hint;
    for (std::int32_t i = 0; i < count; ++i) {
        const TTokenView token = scanner.ViewAt(i, hint);
        FUZZ_EXPECT(static_cast<std::uint8_t>(token.Kind) <= 9, "kind is 0..9", Where(i, token));
        FUZZ_EXPECT(scanner.KindAt(i) == token.Kind && scanner.TextAt(i) == token.Text,
                    "KindAt and TextAt agree with ViewAt", Where(i, token));
        if (token.Kind == TTokenKind::EndOfFile) {
            FUZZ_EXPECT(token.Text.empty(), "the end-of-file token has no text", Where(i, token));
            if (end == TScanEnd::Complete) {
                FUZZ_EXPECT(i == count - 1, "the end-of-file token is the last one",
                            Where(i, token));
            }
            continue; // its position fields are not specified
        }
        FUZZ_EXPECT(token.Offset >= 0 && static_cast<std::size_t>(token.Offset) <= bytes.size(),
                    "offset inside the text", Where(i, token));
        FUZZ_EXPECT(token.Offset > previousOffset, "offsets increase", Where(i, token));
        previousOffset = token.Offset;
        FUZZ_EXPECT(walker.AdvanceTo(static_cast<std::size_t>(token.Offset)),
                    "no token starts inside a CR LF pair", Where(i, token));
        FUZZ_EXPECT(token.Line == walker.Line(), "line agrees with the offset",
                    Where(i, token) + " expected line " + std::to_string(walker.Line()));
        if (token.Kind == TTokenKind::Comment) {
            // A block comment's column moves right past the blanks trimmed from its start.
            const auto raised = token.Column - walker.Column();
            FUZZ_EXPECT(raised >= 0 &&
                            static_cast<std::size_t>(raised) <=
                                LeadingBlanks(bytes, static_cast<std::size_t>(token.Offset)),
                        "a comment's column is its offset's, raised by at most its leading blanks",
                        Where(i, token) + " expected column " + std::to_string(walker.Column()));
        } else {
            FUZZ_EXPECT(token.Column == walker.Column(), "column agrees with the offset",
                        Where(i, token) + " expected column " + std::to_string(walker.Column()));
        }
    }
    if (end == TScanEnd::Complete) {
        FUZZ_EXPECT(count > 0 && scanner.TokenAt(count - 1)->Kind == TTokenKind::EndOfFile,
                    "a complete scan ends with an end-of-file token", "");
    }
}

std::vector<TTreeFileLine> ReadTreeFile(std::string_view bytes) {
    std::vector<TTreeFileLine> lines;
    while (!bytes.empty()) {
        // Read as any text editor would: a CR or LF anywhere ends the line.
        const std::size_t end = bytes.find_first_of("\r\n");
        FUZZ_EXPECT(end != std::string_view::npos && bytes.substr(end, 2) == "\r\n",
                    "every tree file line ends in CR LF and holds no other line break",
                    bytes.substr(0, 200));
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end + 2);
        TTreeFileLine read;
        while (!line.empty() && line.front() == '\t') {
            ++read.Depth;
            line.remove_prefix(1);
        }
        read.Caption = std::string(line);
        lines.push_back(std::move(read));
    }
    return lines;
}

void CheckTreeStructure(const TOutlineTree& tree) {
    // The detail is made only when an invariant is broken: this runs on every item.
    const auto where = [&tree](std::int32_t i) {
        return "item " + std::to_string(i) + " '" + std::string(tree.Item(i).Caption) + "'";
    };
    for (std::int32_t i = 0; i < tree.Count(); ++i) {
        const TTreeItem& item = tree.Item(i);
        FUZZ_EXPECT(item.Image <= 4, "every tree item's image is 0..4", where(i));
        FUZZ_EXPECT(item.Parent >= -1 && item.Parent < i, "a parent comes before its children",
                    where(i));
        const std::int32_t parentDepth = item.Parent < 0 ? -1 : tree.Item(item.Parent).Depth;
        FUZZ_EXPECT(item.Depth == parentDepth + 1, "depth is one below the parent's", where(i));
        FUZZ_EXPECT(tree.ChildAt(item.Parent, item.Row) == i, "the item is its parent's child",
                    where(i));
    }
}

void CheckTree(const TOutlineTree& tree, std::string_view treeFileBytes) {
    CheckTreeStructure(tree);
    std::vector<TTreeFileLine> expected;
    for (std::int32_t i = 0; i < tree.Count(); ++i) {
        const TTreeItem& item = tree.Item(i);
        expected.push_back({item.Depth, CaptionAsWritten(item.Caption)});
    }
    const std::vector<TTreeFileLine> read = ReadTreeFile(treeFileBytes);
    FUZZ_EXPECT(read.size() == expected.size(), "the tree file has one line per item",
                std::to_string(read.size()) + " lines for " + std::to_string(expected.size()) +
                    " items");
    for (std::size_t i = 0; i < read.size(); ++i) {
        FUZZ_EXPECT(read[i] == expected[i],
                    "the tree file reads back to the same depth and caption",
                    "line " + std::to_string(i) + " '" + read[i].Caption + "' depth " +
                        std::to_string(read[i].Depth) + ", item '" + expected[i].Caption +
                        "' depth " + std::to_string(expected[i].Depth));
    }
}

} // namespace dialoscope::fuzz
