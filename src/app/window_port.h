#pragma once
// TWindowPort: the core's port onto the main window's widgets. It lets window messages through
// at a bounded rate (about every 16 ms, not per token, or after a thousand pane lines), which
// also is when queued pane lines are inserted and the tree views catch up with the trees.

#include "analysis/port.h"

#include <QElapsedTimer>
#include <QString>

#include <array>
#include <functional>

class QLabel;
class QProgressBar;

namespace dialoscope {

class TOutputPane;

// Thrown out of ProcessMessages when the user closed the window during a long command: the
// command ends there like after an error, but without an error box.
struct TCommandAborted {};

class TWindowPort : public TPort {
public:
    struct TTargets {
        TOutputPane* Pane = nullptr;
        std::array<QLabel*, 5> Counters{};
        QProgressBar* Progress = nullptr;
        // Brings the views up to date with the core's data before the event loop runs.
        std::function<void()> CatchUp;
        std::function<void(const QString&)> ShowMessage;
        // Shows the core's bytes (counters, message texts) in the chosen code page.
        std::function<QString(std::string_view)> Decode;
    };

    explicit TWindowPort(TTargets targets);

    void ClearOutput() override;
    void AppendOutput(std::string_view line) override;
    void CounterChanged(TCounter counter, std::string_view caption) override;
    void SetProgress(int percent) override;
    void ProcessMessages() override;
    void ShowMessage(std::string_view text) override;

    // Called when a command starts: the clock for the message rate starts then.
    void BeginCommand();
    // Lets window messages through now, whatever the clock says.
    void Turn();
    // The command ends at its next ProcessMessages.
    void RequestAbort() { AbortRequested_ = true; }
    bool AbortRequested() const { return AbortRequested_; }
    void ClearAbort() { AbortRequested_ = false; }

    static constexpr int TurnIntervalMs = 16;

private:
    TTargets Targets_;
    QElapsedTimer SinceLastTurn_;
    unsigned CallsSinceCheck_ = 0;
    unsigned LinesSinceTurn_ = 0; // pane lines queued since the last turn
    bool AbortRequested_ = false;
};

} // namespace dialoscope
