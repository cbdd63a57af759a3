#include "caption_display.h"

namespace dialoscope {

TCaptionDisplay::TCaptionDisplay(const TWorkspace& ws) : Ws_(ws) {}

TCaptionDisplay::~TCaptionDisplay() = default;

void TCaptionDisplay::SetScriptPath(std::string path) {
    ScriptPath_ = std::move(path);
    Texts_.reset();
}

TMessageTexts& TCaptionDisplay::Texts() {
    if (!Texts_) {
        Texts_ = std::make_unique<TMessageTexts>(Ws_, ScriptPath_);
    }
    return *Texts_;
}

QString TCaptionDisplay::Caption(std::string_view caption) {
    if (ShowTexts_ == TShowTexts::Off) {
        return Decode(caption);
    }
    return Decode(ShownCaption(caption, Texts(), ShowTexts_));
}

QString TCaptionDisplay::ToolTip(std::string_view caption) {
    return Decode(Texts().ToolTip(caption));
}

TOutlineTree TCaptionDisplay::ShownTree(const TOutlineTree& tree) {
    return dialoscope::ShownTree(tree, Texts(), ShowTexts_);
}

} // namespace dialoscope
