#include "TerminationSignals.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QThread>
#include <QWidget>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int SignalPipe[2] = {-1, -1};
int Holds = 0;  // TSignalsHeld objects alive

// Only async-signal-safe work here: one byte into the pipe, read back in
// the event loop.
void WriteToPipe(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(SignalPipe[1], &byte, 1);
}

// Closes the boxes open now as their close boxes would, the topmost first.
void CloseBoxes()
{
    while (QWidget *box = QApplication::activeModalWidget()) {
        box->close();
        // A box without a way to decline stays for the user to answer.
        if (QApplication::activeModalWidget() == box)
            return;
    }
}

}  // namespace

TSignalsHeld::TSignalsHeld() { ++Holds; }

TSignalsHeld::~TSignalsHeld() { --Holds; }

TTerminationSignals::TTerminationSignals(QWidget &window) : FWindow(window)
{
    FRetry.setInterval(50);
    connect(&FRetry, &QTimer::timeout, this, &TTerminationSignals::CloseWindowWhenReady);
    FHeldSignal.setInterval(50);
    FHeldSignal.setSingleShot(true);
    connect(&FHeldSignal, &QTimer::timeout, this, &TTerminationSignals::OnSignal);
    if (SignalPipe[0] < 0 && socketpair(AF_UNIX, SOCK_STREAM, 0, SignalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char byte;
        [[maybe_unused]] const ssize_t read = ::read(SignalPipe[0], &byte, 1);
        OnSignal();
    });
    struct sigaction action = {};
    action.sa_handler = WriteToPipe;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < Caught.size(); ++i)
        sigaction(Caught[i], &action, &FPrevious[i]);
}

TTerminationSignals::~TTerminationSignals()
{
    for (std::size_t i = 0; i < Caught.size(); ++i)
        sigaction(Caught[i], &FPrevious[i], nullptr);
}

int TTerminationSignals::Exec()
{
    // Posted now, after start-up, so the main loop is the first to run it.
    QTimer::singleShot(0, this, [this] { FMainLoopRuns = true; });
    return QApplication::exec();
}

// A signal while boxes are being closed or the window is closing changes
// nothing: the questions that closing asks wait for the user's answers.
void TTerminationSignals::OnSignal()
{
    if (FBusy)
        return;
    if (Holds > 0) {
        FHeldSignal.start();
        return;
    }
    FBusy = true;
    CloseBoxes();
    FBusy = false;
    CloseWindowWhenReady();
}

// Code that showed a box, start-up included, goes on once its box is
// closed: closing the window under it would leave it working on a closed
// window, or showing it again. So the window closes only from the main loop
// itself, not from a box's loop still unwinding.
bool TTerminationSignals::ReadyToClose() const
{
    return FMainLoopRuns && Holds == 0 && !QApplication::activeModalWidget() &&
           QThread::currentThread()->loopLevel() == 1;
}

void TTerminationSignals::CloseWindowWhenReady()
{
    if (!ReadyToClose()) {
        FRetry.start();
        return;
    }
    FRetry.stop();
    FBusy = true;
    FWindow.close();
    FBusy = false;
}
