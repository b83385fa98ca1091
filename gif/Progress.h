// Progress reports of long picture operations (encoding, decoding).
#pragma once

#include <functional>
#include <string>

enum class TProgressStage { psStarting, psRunning, psEnding };

// Called with the stage, the percentage done and, when an operation ends by
// an error, its message. A handler may throw EAbort to cancel.
using TProgressEvent =
    std::function<void(TProgressStage stage, int percent, const std::string &message)>;

// Reports the running stage of one operation, only when the percentage moved
// and only when a handler is attached.
class TProgressReporter {
public:
    explicit TProgressReporter(const TProgressEvent &event) : event_(event) {}
    void Running(int percent)
    {
        if (event_ && percent != last_) {
            last_ = percent;
            event_(TProgressStage::psRunning, percent, {});
        }
    }

private:
    const TProgressEvent &event_;
    int last_ = -1;
};

// Runs an operation between a starting report (0 %) and an ending report:
// 100 % when it succeeds, 0 % with the error's message when it throws (the
// error then goes on).
void RunWithProgress(const TProgressEvent &event,
                     const std::function<void(TProgressReporter &)> &operation);
