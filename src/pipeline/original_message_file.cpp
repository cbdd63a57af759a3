#include "original_message_file.h"

#include "analysis/load.h"

#include <filesystem>

namespace dialoscope {

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

std::optional<std::string> OriginalMessageFile(const std::optional<std::string>& against,
                                               const std::string& messageFile) {
    if (!against || !IsFolder(*against)) {
        return against;
    }
    return (std::filesystem::path(*against) / FileNamePart(messageFile)).string();
}

} // namespace dialoscope
