#pragma once
// Compact token descriptions for table-driven scanner tests: "ident[abc]" or, with positions,
// "ident[abc]@1:5".

#include "scanner/dialog_script_config.h"
#include "scanner/scanner.h"

#include <string>
#include <string_view>
#include <vector>

namespace dialoscope::test {

inline const char* ShortKind(TTokenKind kind) {
    static const char* const words[] = {"comment", "eof",     "error", "hex",     "ident",
                                        "int",     "keyword", "real",  "special", "string"};
    return words[static_cast<int>(kind)];
}

inline std::string Describe(const TTokenView& token, bool withPosition) {
    std::string text(ShortKind(token.Kind));
    text.append("[").append(token.Text).append("]");
    if (withPosition) {
        text.append("@").append(std::to_string(token.Line)).append(":");
        text.append(std::to_string(token.Column));
    }
    return text;
}

inline std::vector<std::string> ListTokens(const TScanner& scanner, bool withPosition = false) {
    std::vector<std::string> tokens;
    for (std::int32_t i = 0; i < scanner.TokenCount(); ++i) {
        tokens.push_back(Describe(*scanner.TokenAt(i), withPosition));
    }
    return tokens;
}

// Scans text with the given scanner; the stream lives as long as the returned descriptions are
// built, which is all the views need.
inline std::vector<std::string> Scan(TScanner& scanner, std::string_view text,
                                     bool withPosition = false) {
    TMemoryStream stream;
    stream.Bytes = text;
    scanner.ScanStream(stream);
    return ListTokens(scanner, withPosition);
}

inline TScanner DialogScanner() {
    TScanner scanner;
    ConfigureForDialogScripts(scanner);
    return scanner;
}

struct TScanCase {
    std::string Input;
    std::vector<std::string> Expected;
};

} // namespace dialoscope::test
