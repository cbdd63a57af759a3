#pragma once
// TCaptionDisplay: how the window shows the core's bytes: in the code page the user picked, tree
// captions with or without their message texts ("Show Message Texts"), and every message text of
// a caption as its tool tip. The core's captions and files stay bytes; only what is shown
// changes.

#include "display_code_page.h"

#include "analysis/outline_tree.h"
#include "analysis/workspace.h"
#include "checks/message_texts.h"

#include <QString>

#include <memory>
#include <string>
#include <string_view>

namespace dialoscope {

class TCaptionDisplay {
public:
    // ws must outlive this object.
    explicit TCaptionDisplay(const TWorkspace& ws);
    ~TCaptionDisplay();

    TDisplayCodePage CodePage() const { return CodePage_; }
    void SetCodePage(TDisplayCodePage page) { CodePage_ = page; }
    TShowTexts ShowTexts() const { return ShowTexts_; }
    void SetShowTexts(TShowTexts show) { ShowTexts_ = show; }

    // The path the script was loaded from: other scripts' message files are looked for in its
    // folder. Every text already looked up is forgotten, also when the path stays the same
    // (Analyze read the message file and scripts.lst afresh).
    void SetScriptPath(std::string path);

    QString Decode(std::string_view bytes) const { return DecodeBytes(bytes, CodePage_); }
    std::string Encode(QStringView text) const { return EncodeText(text, CodePage_); }

    // A tree caption as shown: the caption itself while texts are off.
    QString Caption(std::string_view caption);
    // The texts of every message the caption names, one per line; empty when it names none.
    QString ToolTip(std::string_view caption);
    // The tree as Tree Save writes it: captions as shown, in bytes. Only needed while texts are
    // shown; with texts off the tree itself is what is shown.
    TOutlineTree ShownTree(const TOutlineTree& tree);

private:
    TMessageTexts& Texts();

    const TWorkspace& Ws_;
    std::string ScriptPath_;
    std::unique_ptr<TMessageTexts> Texts_; // made on first use after SetScriptPath
    TDisplayCodePage CodePage_ = DefaultDisplayCodePage;
    TShowTexts ShowTexts_ = TShowTexts::Off;
};

} // namespace dialoscope
