#include "workload.h"

#include "support/workload.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace dialoscope::bench {

std::string GeneratedWorkload(const std::string& options) {
    return test::GeneratedWorkload(options);
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + path);
    }
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

} // namespace dialoscope::bench
