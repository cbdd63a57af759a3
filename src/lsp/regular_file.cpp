#include "regular_file.h"

#include "analysis/errors.h"
#include "analysis/file_bytes.h"

namespace dialoscope::lsp {

std::optional<std::string> ReadRegularFile(const std::string& path) {
    try {
        return ReadFileBytes(path);
    } catch (const EFOpenError&) {
        return std::nullopt;
    } catch (const ENotRegularFileError&) {
        return std::nullopt;
    }
}

} // namespace dialoscope::lsp
