#include "workload.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace dialoscope::test {

bool GenerateWorkload(const std::string& options, const std::string& folder) {
    const std::string command = std::string("python3 ") + DIALOSCOPE_GEN_SCRIPT + " --out " +
                                folder + " " + options + " > /dev/null";
    return std::system(command.c_str()) == 0;
}

std::string GeneratedWorkload(const std::string& options) {
    std::string key;
    for (const char c : options) {
        key += (std::isalnum(static_cast<unsigned char>(c)) != 0) ? c : '_';
    }
    const auto folder = std::filesystem::temp_directory_path() / ("dialoscope-gen-" + key);
    // The list is written last, so a folder that holds it is complete.
    if (!std::filesystem::exists(folder / "scripts.lst") &&
        !GenerateWorkload(options, folder.string())) {
        throw std::runtime_error("the workload generator failed with " + options);
    }
    return folder.string();
}

} // namespace dialoscope::test
