// Drives the real program from outside, for the smoke test and the start-up
// benchmark: an X server of its own (Xvfb), the program started on it with
// its browser's DevTools port open, questions to that browser about the page
// it shows, and a clean end through SIGTERM.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

// What the embedded browser shows.
struct TPageState {
    QUrl Url;
    QString ReadyState;  // "loading", "interactive", "complete"
    int Images = 0;
    int ImagesLoaded = 0;  // complete and with a size

    bool LoadedWhole() const { return ReadyState == "complete" && Images == ImagesLoaded; }
};

// A headless X server on a free display, ended with the object.
class TXvfb {
public:
    TXvfb();
    ~TXvfb();
    TXvfb(const TXvfb &) = delete;
    TXvfb &operator=(const TXvfb &) = delete;

    // ":<n>", empty when the server did not start.
    QString Display() const { return FDisplay; }

private:
    QProcess FServer;
    QString FDisplay;
};

class TRunningProgram {
public:
    // Starts the program with the arguments; with a display it runs there,
    // else under xvfb-run.
    TRunningProgram(const QString &program, const QStringList &arguments, const QString &display = {});
    ~TRunningProgram();
    TRunningProgram(const TRunningProgram &) = delete;
    TRunningProgram &operator=(const TRunningProgram &) = delete;

    bool Running() const;
    // Asks the browser until its page is url with every image loaded, at
    // most timeoutMs; the last state seen, nothing when the browser never
    // answered.
    std::optional<TPageState> WaitForPage(const QUrl &url, int timeoutMs);
    // SIGTERM, then waits for the end.
    int Terminate(int timeoutMs);
    // Sends the signal to the program itself.
    void Signal(int signal);
    // Waits at most timeoutMs for the end, doing meanwhile's work between
    // looks: the exit code, -1 when the program did not end by itself (it is
    // killed then).
    int WaitForEnd(int timeoutMs, const std::function<void()> &meanwhile = {});
    QByteArray Output();

private:
    std::optional<TPageState> AskPage();

    QProcess FProcess;
    qint64 FPid = 0;  // of the program itself, not of xvfb-run
    quint16 FPort = 0;
};
