#pragma once
// Reading a request's params: a member that is missing or of the wrong type is the client's
// error, answered with InvalidParams and the member's name.

#include "protocol.h"
#include "text_lines.h"

#include <string>
#include <string_view>

namespace dialoscope::lsp {

const TJson& Member(const TJson& object, std::string_view name);
std::string StringMember(const TJson& object, std::string_view name);
std::int32_t IntMember(const TJson& object, std::string_view name);
TPosition PositionMember(const TJson& object, std::string_view name);
TRange RangeMember(const TJson& object, std::string_view name);

} // namespace dialoscope::lsp
