#include "params.h"

#include <limits>

namespace dialoscope::lsp {

namespace {

[[noreturn]] void Missing(std::string_view name, std::string_view what) {
    throw ELspError(TErrorCode::InvalidParams,
                    "'" + std::string(name) + "' is missing or is not " + std::string(what));
}

} // namespace

const TJson& Member(const TJson& object, std::string_view name) {
    if (!object.is_object()) {
        Missing(name, "present");
    }
    const auto found = object.find(name);
    if (found == object.end()) {
        Missing(name, "present");
    }
    return *found;
}

std::string StringMember(const TJson& object, std::string_view name) {
    const TJson& value = Member(object, name);
    if (!value.is_string()) {
        Missing(name, "a string");
    }
    return value.get<std::string>();
}

std::int32_t IntMember(const TJson& object, std::string_view name) {
    const TJson& value = Member(object, name);
    if (!value.is_number_integer()) {
        Missing(name, "an integer");
    }
    const auto number = value.get<std::int64_t>();
    if (number < 0 || number > std::numeric_limits<std::int32_t>::max()) {
        Missing(name, "an integer in range");
    }
    return static_cast<std::int32_t>(number);
}

TPosition PositionMember(const TJson& object, std::string_view name) {
    const TJson& position = Member(object, name);
    return {IntMember(position, "line"), IntMember(position, "character")};
}

TRange RangeMember(const TJson& object, std::string_view name) {
    const TJson& range = Member(object, name);
    return {PositionMember(range, "start"), PositionMember(range, "end")};
}

} // namespace dialoscope::lsp
