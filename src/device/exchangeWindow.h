#pragma once

namespace sendReceive {

// The parts of the main window that the settings exchange drives: the Send,
// Receive and Output Display buttons, the progress bar, the title and the two
// timers. The window program realises it with its widgets and QTimers; the CLI
// and the tests with plain state. Message boxes go through platform::dialogs.
class exchangeWindow {
public:
    virtual ~exchangeWindow() = default;

    virtual void setSendReceiveEnabled(bool enabled) = 0;
    virtual void setOutputDisplayEnabled(bool enabled) = 0;

    virtual void setProgressRange(int maximum) = 0; // range 0..maximum
    virtual void setProgressPosition(int position) = 0;

    // Timer `id` ticks every `milliseconds` until stopped; starting a running timer
    // restarts it. Timer 1 calls timerLoopReceiveSettings on every tick, timer 2
    // resets the progress bar to 0 and stops itself.
    virtual void startTimer(int id, int milliseconds) = 0;
    virtual void stopTimer(int id) = 0;

    virtual void updateTitle() = 0;         // recompose from file and connection state
    virtual void refreshFromSettings() = 0; // every control from the settings model
};

// Timer ids and intervals of the main window.
inline constexpr int receiveTimerId = 1;
inline constexpr int receiveTimerMilliseconds = 10;
inline constexpr int progressResetTimerId = 2;
inline constexpr int progressResetTimerMilliseconds = 500;

} // namespace sendReceive
