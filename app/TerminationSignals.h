// SIGTERM, SIGINT and SIGHUP (the session ending, Ctrl+C in the terminal)
// end the program the way the user would, whenever they come: from the
// signal on, every box that shows is closed as its close box would close
// it, and the main window closes through its close box (asking to save
// where that asks) as soon as the main loop runs with no box open, so the
// program ends through its normal shutdown instead of being cut off. The
// questions that closing asks wait for the user's answers.
#pragma once

#include <QObject>
#include <QTimer>

#include <array>
#include <csignal>

class QWidget;

// While one lives, a termination signal waits: work that runs events to
// keep its window painted must not have that window closed in its middle.
class TSignalsHeld {
public:
    TSignalsHeld();
    ~TSignalsHeld();
    TSignalsHeld(const TSignalsHeld &) = delete;
    TSignalsHeld &operator=(const TSignalsHeld &) = delete;
};

// Asks the question of that message code that closing a project or page
// asks ("Save changes?") and returns the answer. A signal leaves it to that
// answer, also when it came while the question was shown; Cancel then keeps
// the program running, so the question is not asked again.
int AskClosingQuestion(int code);

class TTerminationSignals : public QObject {
public:
    // Catches the signals from now on, start-up included, while the object
    // lives.
    explicit TTerminationSignals(QWidget &window);
    ~TTerminationSignals() override;
    TTerminationSignals(const TTerminationSignals &) = delete;
    TTerminationSignals &operator=(const TTerminationSignals &) = delete;
    // Runs the main loop (QApplication::exec): the window is closed for a
    // signal only from this loop, so one that came during start-up closes
    // it once start-up is over.
    int Exec();

private:
    void OnSignal();
    // Runs at the signal and every 50 ms after it until the program ends.
    void GoOnEnding();
    bool ReadyToClose() const;

    static constexpr std::array<int, 3> Caught = {SIGTERM, SIGINT, SIGHUP};
    std::array<struct sigaction, Caught.size()> FPrevious = {};
    QWidget &FWindow;
    QTimer FRetry;
    bool FMainLoopRuns = false;
    // Boxes are being closed or the window is closing for the signal.
    bool FBusy = false;
};
