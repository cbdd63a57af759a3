#include "window_port.h"

#include "output_pane.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

#include <string>

namespace dialoscope {

namespace {
// Reading the clock costs about as much as listing a token; look at it every few calls only.
constexpr unsigned CallsPerClockCheck = 8;
// Inserting the queued pane lines is most of a turn's own time (several microseconds a line),
// so a turn comes early once this many are queued: otherwise a faster analysis would queue more
// lines per 16 ms and make every turn, and the wait for it, longer.
constexpr unsigned LinesPerTurn = 1000;
} // namespace

TWindowPort::TWindowPort(TTargets targets) : Targets_(std::move(targets)) {
    SinceLastTurn_.start();
}

void TWindowPort::ClearOutput() {
    Targets_.Pane->Clear();
    LinesSinceTurn_ = 0;
}

void TWindowPort::AppendOutput(std::string_view line) {
    Targets_.Pane->AppendLine(line);
    ++LinesSinceTurn_;
}

void TWindowPort::CounterChanged(TCounter counter, std::string_view caption) {
    QLabel* label = Targets_.Counters[static_cast<std::size_t>(counter)];
    label->setText(Targets_.Decode(caption));
}

void TWindowPort::SetProgress(int percent) {
    if (Targets_.Progress->value() != percent) {
        Targets_.Progress->setValue(percent);
    }
}

void TWindowPort::BeginCommand() {
    SinceLastTurn_.restart();
    CallsSinceCheck_ = 0;
    LinesSinceTurn_ = 0;
}

void TWindowPort::ProcessMessages() {
    if (LinesSinceTurn_ >= LinesPerTurn) {
        Turn();
        return;
    }
    if (++CallsSinceCheck_ < CallsPerClockCheck) {
        return;
    }
    CallsSinceCheck_ = 0;
    if (SinceLastTurn_.elapsed() < TurnIntervalMs) {
        return;
    }
    Turn();
}

void TWindowPort::Turn() {
    Targets_.CatchUp();
    LinesSinceTurn_ = 0;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    SinceLastTurn_.restart();
    if (AbortRequested_) {
        throw TCommandAborted{};
    }
}

void TWindowPort::ShowMessage(std::string_view text) {
    // The box runs its own event loop: the views must not see a tree that changed since their
    // last refresh.
    Targets_.CatchUp();
    LinesSinceTurn_ = 0;
    Targets_.ShowMessage(Targets_.Decode(text));
    SinceLastTurn_.restart();
}

} // namespace dialoscope
