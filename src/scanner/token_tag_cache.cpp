#include "token_tag_cache.h"

#include <string>
#include <utility>

namespace dialoscope {

TTokenTagCache::TTokenTagCache(TTokenTagger tagger, std::vector<TTokenKind> byKindAlone,
                               const TKeywordTable& keywords)
    : Tagger_(tagger), ByKindAlone_(std::move(byKindAlone)) {
    Rebuild(keywords);
}

void TTokenTagCache::Rebuild(const TKeywordTable& keywords) {
    ByKind_.fill(-1);
    Keywords_.clear();
    if (Tagger_ == nullptr) {
        return;
    }
    for (const TTokenKind kind : ByKindAlone_) {
        ByKind_[static_cast<std::size_t>(kind)] = Tagger_(kind, {});
    }
    for (std::size_t byte = 0; byte < OneByte_.size(); ++byte) {
        const char text = static_cast<char>(byte);
        OneByte_[byte] = Tagger_(TTokenKind::SpecialChar, std::string_view(&text, 1));
    }
    for (const std::string& word : keywords.Words()) {
        Keywords_.push_back(Tagger_(TTokenKind::Keyword, word));
    }
}

} // namespace dialoscope
