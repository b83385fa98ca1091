// A memory stream that takes only a given number of bytes and then refuses
// every write, as a full disk would: for tests of failed saves.
#pragma once

#include "Streams.h"

#include <algorithm>

class TFailingStream : public TMemoryStream {
public:
    explicit TFailingStream(int64_t capacity) : FCapacity(capacity) {}

    int64_t Write(const void *buffer, int64_t count) override
    {
        const int64_t n = std::max<int64_t>(0, std::min(count, FCapacity - Position()));
        return TMemoryStream::Write(buffer, n);
    }

private:
    int64_t FCapacity;
};
