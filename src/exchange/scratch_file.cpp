#include "detail/scratch_file.h"

#include "analysis/errors.h"
#include "analysis/file_bytes.h"
#include "dialogtree/savers.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace dialoscope {

TScratchFile::TScratchFile() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    std::string pattern = (error ? std::filesystem::path("/tmp") : folder) / "dialoscope-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        throw EFCreateError(pattern);
    }
    ::close(fd);
    Path_ = pattern;
}

TScratchFile::~TScratchFile() {
    ::unlink(Path_.c_str());
}

void TScratchFile::ReplaceTarget(const std::string& target) const {
    ReplaceFile(target, ReadFileBytes(Path_));
}

} // namespace dialoscope
