#include "token_tag_cache.h"

#include <string>

namespace dialoscope {

TTokenTagCache::TTokenTagCache(TTokenTagger tagger, const std::vector<TTokenKind>& byKindAlone,
                               const TKeywordTable& keywords)
    : Tagger_(tagger) {
    ByKind_.fill(-1);
    if (tagger == nullptr) {
        return;
    }
    for (const TTokenKind kind : byKindAlone) {
        ByKind_[static_cast<std::size_t>(kind)] = tagger(kind, {});
    }
    for (std::size_t byte = 0; byte < OneByte_.size(); ++byte) {
        const char text = static_cast<char>(byte);
        OneByte_[byte] = tagger(TTokenKind::SpecialChar, std::string_view(&text, 1));
    }
    for (const std::string& word : keywords.Words()) {
        Keywords_.push_back(tagger(TTokenKind::Keyword, word));
    }
}

} // namespace dialoscope
