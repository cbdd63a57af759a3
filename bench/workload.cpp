#include "workload.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace dialoscope::bench {

std::string GeneratedWorkload(const std::string& options) {
    std::string key;
    for (const char c : options) {
        key += (std::isalnum(static_cast<unsigned char>(c)) != 0) ? c : '_';
    }
    const auto folder = std::filesystem::temp_directory_path() / ("dialoscope-bench-" + key);
    if (!std::filesystem::exists(folder / "talk.ipp")) {
        const std::string command = std::string("python3 ") + DIALOSCOPE_GEN_SCRIPT + " --out " +
                                    folder.string() + " " + options + " > /dev/null";
        if (std::system(command.c_str()) != 0) {
            throw std::runtime_error("workload generator failed: " + command);
        }
    }
    return folder.string();
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + path);
    }
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

} // namespace dialoscope::bench
