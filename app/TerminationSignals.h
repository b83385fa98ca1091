// SIGTERM, SIGINT and SIGHUP (the session ending, Ctrl+C in the terminal)
// end the program the way the user would, whenever they come: the boxes
// open then are closed as their close boxes would close them, and the main
// window closes through its close box (asking to save where that asks) as
// soon as the main loop runs with no box open, so the program ends through
// its normal shutdown instead of being cut off.
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
    void CloseWindowWhenReady();
    bool ReadyToClose() const;

    static constexpr std::array<int, 3> Caught = {SIGTERM, SIGINT, SIGHUP};
    std::array<struct sigaction, Caught.size()> FPrevious = {};
    QWidget &FWindow;
    QTimer FRetry;
    QTimer FHeldSignal;  // takes a signal that came while they were held
    bool FMainLoopRuns = false;
    // Boxes are being closed or the window is closing.
    bool FBusy = false;
};
