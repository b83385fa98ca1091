// A watchdog on a FIFO, so that a test of a reader that must not wait on
// the FIFO fails rather than hangs when it does: a reader that opens a FIFO
// for reading the plain way waits in open() for a writer. Once the patience
// is over, the watchdog opens the writing end for every reader that waits
// and closes it again, so each goes on and finds the FIFO empty.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>

class TFifoWatchdog {
public:
    explicit TFifoWatchdog(std::string fifo, std::chrono::milliseconds patience = std::chrono::seconds(1))
        : FFifo(std::move(fifo)), FPatience(patience), FThread([this] { Watch(); })
    {
    }
    ~TFifoWatchdog()
    {
        {
            const std::lock_guard<std::mutex> lock(FMutex);
            FStopped = true;
        }
        FStop.notify_all();
        FThread.join();
    }
    TFifoWatchdog(const TFifoWatchdog &) = delete;
    TFifoWatchdog &operator=(const TFifoWatchdog &) = delete;

    // Whether a reader still waited once the patience was over.
    bool Fired() const { return FFired; }

private:
    void Watch()
    {
        std::unique_lock<std::mutex> lock(FMutex);
        const auto stopped = [this] { return FStopped; };
        if (FStop.wait_for(lock, FPatience, stopped))
            return;
        // Without a reader waiting, a writer's open fails at once.
        while (!FStop.wait_for(lock, std::chrono::milliseconds(10), stopped)) {
            const int writer = ::open(FFifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (writer >= 0) {
                FFired = true;
                ::close(writer);
            }
        }
    }

    std::string FFifo;
    std::chrono::milliseconds FPatience;
    std::mutex FMutex;
    std::condition_variable FStop;
    bool FStopped = false;
    std::atomic<bool> FFired{false};
    std::thread FThread;
};
