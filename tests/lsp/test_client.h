#pragma once
// A client for the server tests: drives a TServer directly, one message at a time, over a copy
// of examples/ (guard.ipp, guard.msg, scripts.lst and the German translation in de/).

#include "lsp/server.h"

#include "temp_folder.h"

#include <string>
#include <vector>

namespace dialoscope::lsp::test {

class TRecordingOutput : public TOutput {
public:
    void Send(const TJson& message) override { Messages.push_back(message); }
    std::vector<TJson> Messages;
};

class TTestClient {
public:
    // settings: the initializationOptions; the folder holds a copy of examples/.
    explicit TTestClient(TJson settings = TJson::object(), bool initialize = true);

    const dialoscope::test::TTempFolder& Folder() const { return Folder_; }
    std::string Uri(const std::string& name) const;

    // The whole answer to a request (result or error).
    TJson Ask(const std::string& method, TJson params);
    TJson Result(const std::string& method, TJson params) { return Ask(method, std::move(params))["result"]; }
    void Notify(const std::string& method, TJson params);
    // Opens a file of the folder with its text read in windows-1252 (or the given text).
    void Open(const std::string& name, const std::string* text = nullptr);
    // The diagnostics last published for a file, after the pending work is done.
    TJson Diagnostics(const std::string& name);
    TJson At(const std::string& name, std::int32_t line, std::int32_t character) const;

    TServer& Server() { return Server_; }
    TRecordingOutput& Output() { return Output_; }

private:
    dialoscope::test::TTempFolder Folder_;
    TRecordingOutput Output_;
    TServer Server_;
    std::int64_t NextId_ = 1;
};

// The lines of a location list's ranges, 0-based, in order.
std::vector<std::int32_t> Lines(const TJson& locations);

} // namespace dialoscope::lsp::test
