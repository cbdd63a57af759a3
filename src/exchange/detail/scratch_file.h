#pragma once
// TScratchFile: a file in memory for a library that can only read or write a path (gettext's PO
// reader and writer, the XLSX writer), named by a path under /proc/self/fd. Its bytes then replace the
// target in one rename (ReplaceFile), so the target is written whole or not at all; every write
// of those bytes is checked there. Nothing of it lands in the temporary folder, so a full
// temporary folder cannot cut it short and an interrupted run leaves nothing behind.

#include <string>
#include <string_view>

namespace dialoscope {

class TScratchFile {
public:
    // Throws EFCreateError(target) when no scratch file can be made.
    explicit TScratchFile(const std::string& target);
    ~TScratchFile();
    TScratchFile(const TScratchFile&) = delete;
    TScratchFile& operator=(const TScratchFile&) = delete;

    const std::string& Path() const { return Path_; }
    // Puts bytes in the file for a library to read. Throws EWriteError.
    void Fill(std::string_view bytes) const;
    // Replaces target with what the library wrote. Throws EFCreateError or EWriteError.
    void ReplaceTarget(const std::string& target) const;

private:
    int Fd_ = -1;
    std::string Path_;
};

} // namespace dialoscope
