#include "pipeline/detail/token_room.h"

#include <new>
#include <utility>

namespace dialoscope {

namespace {

// About as many tokens as a script of this size holds, rather fewer: room not used would be
// memory taken for nothing, and the list grows past it as it needs.
constexpr std::uintmax_t BytesPerTokenRoom = 4;

} // namespace

TTokenRoomMaking::TTokenRoomMaking(std::uintmax_t scriptBytes)
    : Work_(
          [this, scriptBytes] {
              try {
                  Room_ = TScanner::TokenRoom(scriptBytes / BytesPerTokenRoom, true);
              } catch (const std::bad_alloc&) {
                  // No room: the scan grows its list as it reads, as on a small script.
              }
          },
          true) {}

void TTokenRoomMaking::HandTo(TScanner& scanner) {
    Work_.Finish(nullptr);
    if (Room_) {
        scanner.ClearTokens(std::move(*Room_));
    } else {
        scanner.ClearTokens();
    }
}

} // namespace dialoscope
