#include "protocol.h"

namespace dialoscope::lsp {

namespace {

TJson Envelope() {
    return TJson{{"jsonrpc", "2.0"}};
}

bool HasValidId(const TJson& message) {
    const auto id = message.find("id");
    return id != message.end() && (id->is_number_integer() || id->is_string());
}

bool HasMethod(const TJson& message) {
    const auto method = message.find("method");
    return method != message.end() && method->is_string();
}

} // namespace

TJson ResultMessage(const TJson& id, TJson result) {
    TJson message = Envelope();
    message["id"] = id;
    message["result"] = std::move(result);
    return message;
}

TJson ErrorMessage(const TJson& id, TErrorCode code, const std::string& text) {
    TJson message = Envelope();
    message["id"] = id;
    message["error"] = {{"code", static_cast<int>(code)}, {"message", text}};
    return message;
}

TJson NotificationMessage(const std::string& method, TJson params) {
    TJson message = Envelope();
    message["method"] = method;
    message["params"] = std::move(params);
    return message;
}

TJson RequestMessage(const TJson& id, const std::string& method, TJson params) {
    TJson message = NotificationMessage(method, std::move(params));
    message["id"] = id;
    return message;
}

bool IsRequest(const TJson& message) {
    return message.is_object() && HasMethod(message) && HasValidId(message);
}

bool IsNotification(const TJson& message) {
    return message.is_object() && HasMethod(message) && !message.contains("id");
}

bool IsResponse(const TJson& message) {
    return message.is_object() && !message.contains("method") && message.contains("id") &&
           (message.contains("result") || message.contains("error"));
}

std::string DumpMessage(const TJson& message) {
    return message.dump(-1, ' ', false, TJson::error_handler_t::replace);
}

} // namespace dialoscope::lsp
