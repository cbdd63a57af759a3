#include "errors.h"

#include <cstring>
#include <new>

namespace dialoscope {

std::string ErrorText(const std::exception& error) {
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
        return "out of memory";
    }
    return error.what();
}

std::string WriteErrorDetail(const EWriteError& error) {
    if (error.Path.empty() && error.Cause == 0) {
        return {};
    }
    std::string detail = "cannot write";
    if (!error.Path.empty()) {
        detail += " " + error.Path;
    }
    if (error.Cause != 0) {
        detail += std::string(": ") + std::strerror(error.Cause);
    }
    return detail;
}

} // namespace dialoscope
