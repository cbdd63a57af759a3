#pragma once
// JSON-RPC 2.0 messages as the Language Server Protocol uses them: requests (with an id),
// notifications (without), responses and their error codes, and the typed error a feature
// throws to answer a request with an error instead of a result.

#include <nlohmann/json.hpp>

#include <stdexcept>
#include <string>

namespace dialoscope::lsp {

using TJson = nlohmann::json;

// The protocol's error codes.
enum class TErrorCode : int {
    ParseError = -32700,
    InvalidRequest = -32600,
    MethodNotFound = -32601,
    InvalidParams = -32602,
    InternalError = -32603,
    ServerNotInitialized = -32002,
    RequestFailed = -32803,
    ServerCancelled = -32802,
    ContentModified = -32801,
    RequestCancelled = -32800,
};

// A request answered with an error; what() is the message the client shows.
class ELspError : public std::runtime_error {
public:
    ELspError(TErrorCode code, const std::string& message)
        : std::runtime_error(message), Code(code) {}
    TErrorCode Code;
};

TJson ResultMessage(const TJson& id, TJson result);
TJson ErrorMessage(const TJson& id, TErrorCode code, const std::string& message);
TJson NotificationMessage(const std::string& method, TJson params);
TJson RequestMessage(const TJson& id, const std::string& method, TJson params);

// A request carries an id (a number or a string) and a method; a notification only the method.
bool IsRequest(const TJson& message);
bool IsNotification(const TJson& message);
bool IsResponse(const TJson& message);

// The message as one line of JSON; text that is not valid UTF-8 is replaced, never thrown on.
std::string DumpMessage(const TJson& message);

} // namespace dialoscope::lsp
