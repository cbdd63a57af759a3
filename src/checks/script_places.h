#pragma once
// Places in the scanned script that the checks need beyond the node records: where dialogs
// start (as Build Dialog Tree finds them) and the forward declarations.

#include "scanner/scanner.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace dialoscope {

struct TDialogStart {
    std::string_view Name;           // the start node's name, a view into the token list
    std::int32_t OpenDialogLine = 0; // script line of the "OpenDialog" keyword
};

// Every "OpenDialog" keyword (exact letter case) with the first identifier after it that is
// followed by ";", scanned as Build Dialog Tree scans: from the second token, stopping before
// the token ahead of the closing "." or where no start name follows.
std::vector<TDialogStart> FindDialogStarts(const TScanner& scanner);

struct TForwardDeclaration {
    std::string_view Name;
    std::int32_t Line = 0;
};

// The script lines of every token whose text is exactly text, whatever its kind.
std::vector<std::int32_t> TokenLines(const TScanner& scanner, std::string_view text);

// Every "function NAME ; forward" in the token list.
std::vector<TForwardDeclaration> FindForwardDeclarations(const TScanner& scanner);

} // namespace dialoscope
