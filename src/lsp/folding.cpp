#include "block_comments.h"
#include "features.h"

namespace dialoscope::lsp {

TJson FoldingRanges(const TFeatureContext& context) {
    const TScriptAnalysis& analysis = context.Analysis;
    TJson ranges = TJson::array();
    for (const TNodeKeep& node : analysis.Ws->Nodes) {
        const TLineRange body = node.BodyLines();
        if (node.Line > 0 && body.Last > node.Line - 1) {
            ranges.push_back({{"startLine", node.Line - 1}, {"endLine", body.Last}, {"kind", "region"}});
        }
    }
    for (const TBlockComment& comment : BlockComments(analysis)) {
        if (comment.LastLine > comment.FirstLine) {
            ranges.push_back({{"startLine", comment.FirstLine},
                              {"endLine", comment.LastLine},
                              {"kind", "comment"}});
        }
    }
    return ranges;
}

} // namespace dialoscope::lsp
