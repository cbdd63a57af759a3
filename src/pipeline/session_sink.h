#pragma once
// TSessionSink: where a quiet session reports, in the order things happen: the message boxes
// Load and Analyze show, what stopped one of them, and (for a caller that shows it) how far
// Analyze is.

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

enum class TSessionStep : std::uint8_t { Load, Analyze };

class TSessionSink {
public:
    virtual ~TSessionSink() = default;

    // A message box, as the window would show it.
    virtual void ShowMessage(std::string_view text) = 0;
    // Called while the error that stopped step is being handled. This default throws it on to
    // the session's caller unchanged; a sink that returns lets the session end normally and hand
    // out the script as the error left it.
    virtual void Stopped(TSessionStep step, const std::exception& error);
    // As the port's: the progress, 0..100, and a point where the caller may stop Analyze by
    // throwing.
    virtual void SetProgress(int) {}
    virtual void ProcessMessages() {}
};

// What stopped a session, as the user reads it: Load's error text, or "Analyze stopped: " and
// Analyze's.
struct TSessionStop {
    TSessionStep Step;
    std::string Text;
};

// A sink that keeps what stopped the session for its caller to read afterwards, and the message
// boxes too unless it passes them on as they come.
class TKeptReport : public TSessionSink {
public:
    // forward: where the message boxes go as they come; null: into Messages.
    explicit TKeptReport(TSessionSink* forward = nullptr) : Forward_(forward) {}

    void ShowMessage(std::string_view text) override;
    void Stopped(TSessionStep step, const std::exception& error) override;

    std::vector<std::string> Messages;
    std::optional<TSessionStop> Stop;

private:
    TSessionSink* Forward_;
};

} // namespace dialoscope
