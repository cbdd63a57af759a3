#pragma once
// SnapshotOf: the read-only copy of an analysed workspace that work beside the window reads (the
// Play pane's script, the Dialog Map's graph, the export of the loaded script) while the window
// goes on changing its own workspace: Load and Analyze anew, Build Dialog Tree, the searches.
//
// It reads only what Load and Analyze change (not the names and paths a window may set
// meanwhile), so it may run on another thread as long as neither of them runs.
//
// Nothing is read from disk again. What the readers read is in the copy: the node records with
// their lists, the message file's lines, the script list, and the token list (the dialog starts,
// the "CloseDialog" lines and the forward declarations are found in it). The node records, the
// token list, the lines and the script's bytes are shared, not copied: the next Load or Analyze
// starts anew rather than change them in place. The copy leaves out what only the window reads:
// the names and paths, the listing, both trees, the counters, and the message table (the readers
// read the message file's lines).

#include "analysed_script.h"

namespace dialoscope {

TSharedScript SnapshotOf(const TWorkspace& ws);

} // namespace dialoscope
