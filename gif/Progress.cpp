#include "Progress.h"

#include <exception>

void RunWithProgress(const TProgressEvent &event,
                     const std::function<void(TProgressReporter &)> &operation)
{
    TProgressReporter reporter(event);
    if (event)
        event(TProgressStage::psStarting, 0, {});
    try {
        operation(reporter);
    } catch (const std::exception &e) {
        if (event)
            event(TProgressStage::psEnding, 0, e.what());
        throw;
    }
    if (event)
        event(TProgressStage::psEnding, 100, {});
}
