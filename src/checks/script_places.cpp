#include "script_places.h"

#include "dialogtree/dialog_tree.h"

namespace dialoscope {

namespace {

std::int32_t LineOf(const TScanner& scanner, std::int32_t i) {
    const auto token = scanner.TokenAt(i);
    return token ? token->Line : 0;
}

} // namespace

std::vector<TDialogStart> FindDialogStarts(const TScanner& scanner) {
    std::vector<TDialogStart> starts;
    const std::int32_t count = scanner.TokenCount();
    std::int32_t i = 1;
    while (i < count) {
        if (scanner.KindAt(i) == TTokenKind::Keyword && scanner.TextAt(i) == "OpenDialog") {
            const std::int32_t line = LineOf(scanner, i);
            i = FindStartName(scanner, i);
            if (i < 0) {
                break;
            }
            starts.push_back(TDialogStart{scanner.TextAt(i), line});
        }
        ++i;
        if (i + 1 >= count || scanner.TextAt(i + 1) == ".") {
            break;
        }
    }
    return starts;
}

std::vector<std::int32_t> TokenLines(const TScanner& scanner, std::string_view text) {
    std::vector<std::int32_t> lines;
    const std::int32_t count = scanner.TokenCount();
    for (std::int32_t i = 0; i < count; ++i) {
        if (scanner.TextAt(i) == text) {
            lines.push_back(LineOf(scanner, i));
        }
    }
    return lines;
}

std::vector<TForwardDeclaration> FindForwardDeclarations(const TScanner& scanner) {
    std::vector<TForwardDeclaration> declarations;
    const std::int32_t count = scanner.TokenCount();
    for (std::int32_t p = 0; p + 3 < count; ++p) {
        if (scanner.TextAt(p) == "function" && scanner.TextAt(p + 3) == "forward") {
            declarations.push_back(TForwardDeclaration{scanner.TextAt(p + 1), LineOf(scanner, p)});
        }
    }
    return declarations;
}

} // namespace dialoscope
