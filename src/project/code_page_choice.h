#pragma once
// TCodePageChoice: the code page a script's message texts are read in for the word counts. A
// named code page serves every script; "auto" picks one per message file: UTF-8 when the file
// is valid UTF-8, else the single-byte code page ICU's detector is sure of, else windows-1252.
// Each code page is made once per run and shared. Safe to use from many threads at once.

#include "text/code_page.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace dialoscope {

inline constexpr std::string_view AutoCodePageName = "auto";

class TCodePageChoice {
public:
    // Throws ECodePageError for a name that is neither "auto" nor known to ICU.
    explicit TCodePageChoice(const std::string& name);

    // The code page for a message file of these bytes.
    const TTextCodePage& For(std::string_view messageFile);

private:
    const TTextCodePage& Named(const std::string& name);

    bool Auto_;
    std::mutex Mutex_;
    std::map<std::string, std::unique_ptr<const TTextCodePage>> Made_; // entries never move
    const TTextCodePage* Chosen_ = nullptr; // the named one, or the default with "auto"
};

} // namespace dialoscope
