#pragma once
// TQuietSession: one script opened without a window, as every caller but the window opens one
// (the command line, the project run, the exchange): Load, then Analyze making what the request
// asks for, everything they report going to one sink: the message boxes as they are shown, what
// stopped Load or Analyze, and (for a caller that shows it) how far Analyze is.

#include "analysed_script.h"

#include "analysis/analyze_request.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialoscope {

// How every front end words an Analyze that an error stopped (the window's status bar adds where).
inline constexpr std::string_view AnalyzeStopped = "Analyze stopped";
inline std::string AnalyzeStoppedText(std::string_view why) {
    return std::string(AnalyzeStopped) + ": " + std::string(why);
}

enum class TSessionStep : std::uint8_t { Load, Analyze };

class TSessionSink {
public:
    virtual ~TSessionSink() = default;
    // A message box, as the window would show it.
    virtual void ShowMessage(std::string_view text) = 0;
    // Called while the error that stopped step is being handled. This default throws it on to
    // the session's caller unchanged; a sink that returns lets the session hand out the script
    // as the error left it.
    virtual void Stopped(TSessionStep, const std::exception&) { throw; }
    // As the port's: the progress, 0..100, and a point where the caller may stop Analyze by
    // throwing.
    virtual void SetProgress(int) {}
    virtual void ProcessMessages() {}
};

// What stopped a session, as the user reads it: Load's error text, or AnalyzeStoppedText.
struct TSessionStop {
    TSessionStep Step;
    std::string Text;
};

// A sink that keeps what stopped the session for its caller to read afterwards, and the message
// boxes too unless forward takes them as they come.
class TKeptReport : public TSessionSink {
public:
    explicit TKeptReport(TSessionSink* forward = nullptr) : Forward_(forward) {}
    void ShowMessage(std::string_view text) override;
    void Stopped(TSessionStep step, const std::exception& error) override;

    std::vector<std::string> Messages;
    std::optional<TSessionStop> Stop;

private:
    TSessionSink* Forward_;
};

class TQuietPort;

class TQuietSession {
public:
    // output: where the output pane's lines go as they are made; null: nowhere. sink and output
    // must outlive the session, not the script it shares.
    TQuietSession(const TAnalyzeRequest& request, TSessionSink& sink, TPort* output = nullptr);
    ~TQuietSession();
    TQuietSession(const TQuietSession&) = delete;
    TQuietSession& operator=(const TQuietSession&) = delete;

    // Load of script, reading scripts.lst from scriptsLst, then Analyze. False when one of them
    // stopped and the sink, told why, returned; what the steps before it made stays made.
    bool Open(const std::string& script, const std::string& scriptsLst);
    // The same for a script an editor holds: Load takes the texts instead of reading the files
    // (an empty text for one that could not be read), then Analyze.
    struct TTexts {
        std::string ScriptPath;
        std::string ScriptsLstPath;
        std::string Script;
        std::string Messages;
        std::string ScriptsLst;
    };
    bool OpenTexts(const TTexts& texts);

    // Before Open: how the trees are to be written; after: what the caller's command does next.
    TWorkspace& Workspace() { return *Ws_; }

    // The workspace as Open left it, read only from here on; the session is spent.
    TSharedScript Share();

private:
    TAnalyzeRequest Request_;
    TSessionSink& Sink_;
    std::unique_ptr<TQuietPort> Port_;
    std::unique_ptr<TWorkspace> Ws_;
};

// Opens script in a session of its own and shares it as Open left it, for callers that only
// read the result.
TSharedScript OpenScript(const std::string& script, const std::string& scriptsLst,
                         const TAnalyzeRequest& request, TSessionSink& sink);

} // namespace dialoscope
