#pragma once
// The scanner configuration for dialog scripts (*.ipp), shared by the window, the command-line
// tool and the tests.

#include <string>
#include <vector>

namespace dialoscope {

class TScanner;

// The 143 keywords of the dialog-script language, in stored order.
const std::vector<std::string>& DialogScriptKeywords();

// Sets every property of the scanner to the dialog-script values.
void ConfigureForDialogScripts(TScanner& scanner);

} // namespace dialoscope
