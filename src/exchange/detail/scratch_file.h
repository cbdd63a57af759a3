#pragma once
// TScratchFile: a private file in the system's temporary folder for a library that can only
// write to a path (gettext's PO writer, the XLSX writer). Its bytes then replace the target in
// one rename (ReplaceFile), so the target is written whole or not at all; the scratch file is
// removed when the object goes.

#include <string>

namespace dialoscope {

class TScratchFile {
public:
    // Throws EFCreateError when no scratch file can be made.
    TScratchFile();
    ~TScratchFile();
    TScratchFile(const TScratchFile&) = delete;
    TScratchFile& operator=(const TScratchFile&) = delete;

    const std::string& Path() const { return Path_; }
    // Replaces target with what the library wrote. Throws EFCreateError or EWriteError.
    void ReplaceTarget(const std::string& target) const;

private:
    std::string Path_;
};

} // namespace dialoscope
