#include "output_is_input.h"

#include <sys/stat.h>

namespace dialoscope {

bool IsSameFile(const std::string& first, const std::string& second) {
    struct stat a {};
    struct stat b {};
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

void RefuseOutputAmongInputs(const std::string& output, const std::vector<std::string>& inputs) {
    for (const std::string& input : inputs) {
        if (IsSameFile(output, input)) {
            throw EOutputIsInputError(output, input);
        }
    }
}

} // namespace dialoscope
