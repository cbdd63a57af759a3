#pragma once
// TLineStore: a hidden line buffer (the script's lines, the message file's lines, the lines of
// scripts.lst, scratch). A CR LF pair, a lone LF and a lone CR each end a line; a final line
// end adds no empty line. Bytes are kept unchanged. A copy shares the lines rather than copying
// them (they never change in place: a new text replaces them), so every node can keep the
// script's lines its source text comes from for the price of a pointer.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

class TLineStore {
public:
    // Replaces the content with the lines of a file; throws EFOpenError(path) when the file
    // cannot be opened or read, leaving the content unchanged.
    void LoadFromFile(const std::string& path);
    // Replaces the content with the lines of a text.
    void SetText(std::string text);
    void Clear();

    std::int32_t Count() const {
        return Data_ ? static_cast<std::int32_t>(Split().Starts.size()) : 0;
    }
    // The line at a 0-based index, without its line end. Requires 0 <= index < Count().
    std::string_view Line(std::int32_t index) const;
    // Every line followed by CR LF.
    std::string Text() const;
    // The bytes exactly as given, shared: they stay as they are while anyone holds them.
    std::shared_ptr<const std::string> SharedBytes() const;

private:
    // The lines are found when first asked for: the script's own lines are read only for a
    // node's text, and a big script has millions of them. Once found they never change, so
    // copies on other threads may ask at the same time.
    struct TLines {
        std::vector<std::uint32_t> Starts; // first byte of each line
        // One past the last byte of the last line, its line end excluded. Every other line
        // ends where the line end before the next line's start begins, so only this end is
        // kept.
        std::uint32_t LastEnd = 0;
    };
    struct TData {
        std::string Bytes;
        std::once_flag Found;
        std::atomic<bool> Ready{false};
        TLines Lines;
    };
    static void SplitLines(const std::string& bytes, TLines& lines);
    const TLines& Split() const;
    std::shared_ptr<TData> Data_; // null when empty; Bytes never change
};

} // namespace dialoscope
