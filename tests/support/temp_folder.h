#pragma once
// TTempFolder: a private folder for a test's files, removed with everything in it when the
// object goes.

#include <string>
#include <string_view>

namespace dialoscope::test {

class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // Writes the bytes to name inside the folder and returns the file's path.
    std::string Write(const std::string& name, std::string_view bytes) const;
    std::string Path(const std::string& name) const { return Folder_ + "/" + name; }
    const std::string& Folder() const { return Folder_; }

private:
    std::string Folder_;
};

} // namespace dialoscope::test
