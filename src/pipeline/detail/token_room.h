#pragma once
// TTokenRoomMaking: room for a big script's tokens, made on the second core while the first
// reads the files, so that the scan writes into memory already in place instead of fresh pages
// it would wait for one by one.

#include "background_work.h"
#include "scanner/scanner.h"
#include "scanner/token_store.h"

#include <cstdint>
#include <optional>

namespace dialoscope {

class TTokenRoomMaking {
public:
    // Starts making room for a script of scriptBytes bytes.
    explicit TTokenRoomMaking(std::uintmax_t scriptBytes);
    // Waits for the room and gives it to scanner, emptying its list; without room (no memory to
    // be had), empties it as ClearTokens does: the scan then grows its list as it reads.
    void HandTo(TScanner& scanner);

private:
    std::optional<TTokenStore> Room_;
    TBackgroundWork Work_; // last: started once Room_ is in place
};

} // namespace dialoscope
