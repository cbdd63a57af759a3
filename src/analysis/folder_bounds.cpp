#include "folder_bounds.h"

#include <filesystem>
#include <system_error>

namespace dialoscope {

bool LeadsOutsideFolder(const std::string& folder, const std::string& path) {
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(path, error);
    if (error) {
        return false;
    }
    const std::filesystem::path bounds =
        std::filesystem::canonical(folder.empty() ? std::string(".") : folder, error);
    if (error) {
        return false;
    }
    const std::filesystem::path inside = resolved.lexically_relative(bounds);
    return inside.empty() || *inside.begin() == "..";
}

} // namespace dialoscope
