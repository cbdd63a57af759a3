#include "code_page_name.h"

#include "project/code_page_choice.h"
#include "text/code_page.h"

namespace dialoscope {

bool IsKnownCodePageName(const std::string& name) {
    if (name == AutoCodePageName) {
        return true;
    }
    // An empty name would stand for ICU's default converter, whatever the machine's locale says.
    if (name.empty()) {
        return false;
    }
    try {
        TTextCodePage codePage(name);
        return true;
    } catch (const ECodePageError&) {
        return false;
    }
}

} // namespace dialoscope
