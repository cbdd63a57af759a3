#pragma once
// The node records by name for Build Dialog Tree's many lookups: the analysis layer's
// TNodeNames under the name the tree builder has always used.

#include "analysis/node_names.h"

namespace dialoscope {

using TNodeIndex = TNodeNames;

} // namespace dialoscope
