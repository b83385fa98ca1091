// The encoder's codes, widths, clears and sub-blocks on many pictures are
// pinned down in KnownBytesTest; here the ends.
#include "LZWEncoder.h"

#include "BmpImage.h"
#include "Exceptions.h"
#include "GifTestSupport.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// Stored rows (bottom row first) of an 8-bit image given top row first.
Bytes StoredRows(int width, int height, const std::function<uint8_t(int, int)> &index)
{
    const size_t stride = static_cast<size_t>(DIBStride(width, 8));
    Bytes rows(stride * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            rows[(height - 1 - y) * stride + x] = index(x, y);
    return rows;
}

Bytes Encode(int width, int height, int bits, const Bytes &rows, const TProgressEvent &progress = {})
{
    Bytes out;
    GIFEncodeLZW(out, width, height, bits, rows.data(), progress);
    return out;
}

Bytes NoisyRows(int width, int height, unsigned seed)
{
    std::mt19937 random(seed);
    return StoredRows(width, height, [&random](int, int) { return static_cast<uint8_t>(random()); });
}

}  // namespace

TEST(LZWEncoder, OnePixelOfIndexSeven)
{
    const Bytes rows = StoredRows(1, 1, [](int, int) { return 7; });
    EXPECT_EQ(Encode(1, 1, 8, rows), (Bytes{8, 4, 0x00, 0x0F, 0x04, 0x04, 0}));
}

TEST(LZWEncoder, ResetOnTheLastPixelEndsWithClearThenEnd)
{
    // Noise long enough to assign 4094 codes exactly at the last pixel:
    // find the pixel count where that happens by growing the image.
    const Bytes all = NoisyRows(5000, 1, 3);
    int pixels = 0;
    for (int n = 3900; n < 5000; ++n) {
        const Bytes rows(all.end() - DIBStride(5000, 8), all.end());
        Bytes cut(rows.begin(), rows.begin() + n);
        cut.resize(static_cast<size_t>(DIBStride(n, 8)), 0);
        const CodeTrace trace = TraceCodes(Encode(n, 1, 8, cut));
        const size_t count = trace.codes.size();
        if (count >= 3 && trace.codes[count - 2] == 256 && trace.codes[count - 1] == 257) {
            EXPECT_EQ(trace.widths[count - 2], 12);
            EXPECT_EQ(trace.widths[count - 1], 9);
            pixels = n;
            break;
        }
    }
    EXPECT_GT(pixels, 0) << "no image length put the reset on the last pixel";
}

TEST(LZWEncoder, ReportsProgressAndPassesAbortOn)
{
    std::vector<int> percents;
    const TProgressEvent recording = [&](TProgressStage stage, int percent, const std::string &) {
        percents.push_back(stage == TProgressStage::psRunning ? percent : -percent - 1);
    };
    Encode(3, 4, 8, StoredRows(3, 4, [](int, int) { return 0; }), recording);
    EXPECT_EQ(percents, (std::vector<int>{-1, 25, 50, 75, 100, -101}));

    std::string endMessage = "none";
    const TProgressEvent aborting = [&](TProgressStage stage, int percent, const std::string &m) {
        if (stage == TProgressStage::psRunning && percent >= 50)
            throw EAbort();
        if (stage == TProgressStage::psEnding)
            endMessage = m + "@" + std::to_string(percent);
    };
    EXPECT_THROW(Encode(3, 4, 8, StoredRows(3, 4, [](int, int) { return 0; }), aborting), EAbort);
    EXPECT_EQ(endMessage, "Operation aborted@0");
}
