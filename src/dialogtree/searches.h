#pragma once
// The queries that write their results into the output pane.

#include "analysis/workspace.h"

#include <cstdint>
#include <string_view>

namespace dialoscope {

// Find Msg: the nodes that use message n (n is clamped into 100..100000 first).
void Button2Click(TWorkspace& ws, std::int32_t n);
// Find Node: the nodes whose jumps or answers lead to name (ASCII a-z case folding).
void Button3Click(TWorkspace& ws, std::string_view name);
// The General View's selection changed to item (-1: none).
void TreeView1Change(TWorkspace& ws, std::int32_t item);
// The hidden node summary listing.
void Button1Click(TWorkspace& ws);
// The hidden node body listing.
void Button5Click(TWorkspace& ws);

} // namespace dialoscope
