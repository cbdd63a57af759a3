#include "load.h"

namespace dialoscope {

namespace {

std::size_t FileNameStart(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

} // namespace

std::string FileNamePart(const std::string& path) {
    return path.substr(FileNameStart(path));
}

std::string ChangeFileExt(const std::string& path, const std::string& ext) {
    // Only a "." inside the file-name part starts an extension: "a.b/c" has none.
    const std::size_t start = FileNameStart(path);
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < start) {
        return path + ext;
    }
    return path.substr(0, dot) + ext;
}

} // namespace dialoscope
