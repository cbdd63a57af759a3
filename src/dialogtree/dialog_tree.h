#pragma once
// Build Dialog Tree: one "Dialog" root per OpenDialog, and under it the depth-first expansion
// of the start node through answers and jumps.

#include "analysis/workspace.h"

#include <string>

namespace dialoscope {

void Button4Click(TWorkspace& ws);

// The start name of the dialog opened at token i: the first identifier after it that is
// followed by ";". -1 when the tokens run out first.
std::int32_t FindStartName(const TScanner& scanner, std::int32_t i);

// The index in ws.Nodes of the last node named exactly name, or -1 (after the message box
// "Error when retrieving Node!").
std::int32_t FindNodeByName(TWorkspace& ws, const std::string& name);

} // namespace dialoscope
