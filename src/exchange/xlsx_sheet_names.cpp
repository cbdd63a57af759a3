#include "detail/xlsx_sheet.h"

#include "scanner/ascii.h"

#include <algorithm>
#include <unordered_set>

namespace dialoscope {

namespace {

constexpr std::size_t MaxSheetName = 31; // characters, as spreadsheets count them
constexpr std::string_view Forbidden = "[]:*?/\\";

bool StartsCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

// At most max characters of utf8, cut before a sequence, never inside one.
std::string FirstCharacters(const std::string& utf8, std::size_t max) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (StartsCharacter(utf8[i]) && characters++ == max) {
            return utf8.substr(0, i);
        }
    }
    return utf8;
}

std::string Cleaned(std::string name) {
    std::ranges::replace_if(
        name,
        [](char c) {
            return Forbidden.find(c) != std::string_view::npos ||
                   static_cast<unsigned char>(c) < 0x20;
        },
        '_');
    name = FirstCharacters(name, MaxSheetName);
    name.erase(0, name.find_first_not_of('\''));
    name.erase(name.find_last_not_of('\'') + 1); // npos + 1: nothing is left
    return name.empty() ? "Sheet" : name;
}

} // namespace

std::vector<std::string> XlsxSheetNames(const std::vector<std::string>& wanted) {
    std::vector<std::string> names;
    std::unordered_set<std::string> taken;
    for (const std::string& want : wanted) {
        const std::string base = Cleaned(want);
        std::string name = base;
        for (int n = 2; taken.contains(AsciiLowerCase(name)); ++n) {
            const std::string suffix = " (" + std::to_string(n) + ")";
            name = FirstCharacters(base, MaxSheetName - suffix.size()) + suffix;
        }
        taken.insert(AsciiLowerCase(name));
        names.push_back(name);
    }
    return names;
}

} // namespace dialoscope
