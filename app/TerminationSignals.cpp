#include "TerminationSignals.h"

#include "LangSupU.h"
#include "MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QThread>
#include <QWidget>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int SignalPipe[2] = {-1, -1};
int Holds = 0;  // TSignalsHeld objects alive
int ClosingQuestions = 0;  // shown now by AskClosingQuestion
// A signal came, and the close it started has not ended.
bool Ending = false;

// Only async-signal-safe work here: one byte into the pipe, read back in
// the event loop.
void WriteToPipe(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(SignalPipe[1], &byte, 1);
}

// A box that only tells something: OK is its one answer.
bool IsNotice(const QWidget *box)
{
    const auto *message = qobject_cast<const QMessageBox *>(box);
    return message && message->buttons().size() == 1;
}

// Closes the boxes open now as their close boxes would, the topmost first;
// a question stays for its answer when it is one that closing asks, and
// every question does while closing runs.
void CloseBoxes(bool closingRuns)
{
    while (QWidget *box = QApplication::activeModalWidget()) {
        if (!IsNotice(box) && (closingRuns || ClosingQuestions > 0))
            return;
        box->close();
        // A box without a way to decline stays for the user to answer.
        if (QApplication::activeModalWidget() == box)
            return;
    }
}

}  // namespace

TSignalsHeld::TSignalsHeld() { ++Holds; }

TSignalsHeld::~TSignalsHeld() { --Holds; }

int AskClosingQuestion(int code)
{
    struct TAsking {
        TAsking() { ++ClosingQuestions; }
        ~TAsking() { --ClosingQuestions; }
    } asking;
    const int answer = Lang->ShowMessageBox(code);
    if (answer == idCancel)
        Ending = false;
    return answer;
}

TTerminationSignals::TTerminationSignals(QWidget &window) : FWindow(window)
{
    Ending = false;
    FRetry.setInterval(50);
    connect(&FRetry, &QTimer::timeout, this, &TTerminationSignals::GoOnEnding);
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

void TTerminationSignals::OnSignal()
{
    Ending = true;
    FRetry.start();
    GoOnEnding();
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

// Further signals change nothing but the boxes they find: a question that
// closing asks waits for its answer, which decides whether the program ends.
void TTerminationSignals::GoOnEnding()
{
    if (!Ending) {
        FRetry.stop();
        return;
    }
    if (Holds > 0)
        return;
    if (FBusy) {
        CloseBoxes(true);
        return;
    }
    FBusy = true;
    CloseBoxes(false);
    if (ReadyToClose()) {
        FWindow.close();
        Ending = false;
        FRetry.stop();
    }
    FBusy = false;
}
