#include "LZWEncoder.h"

#include "BmpImage.h"
#include "Exceptions.h"
#include "GifTestSupport.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// Stored rows (bottom row first) of an 8-bit image given top row first.
Bytes StoredRows(int width, int height, const std::function<uint8_t(int, int)> &index, int bits = 8)
{
    const size_t stride = static_cast<size_t>(DIBStride(width, bits));
    Bytes rows(stride * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t *row = &rows[(height - 1 - y) * stride];
            const uint8_t v = index(x, y);
            if (bits == 8)
                row[x] = v;
            else if (bits == 4)
                row[x / 2] |= (x % 2) ? v : static_cast<uint8_t>(v << 4);
            else
                row[x / 8] |= static_cast<uint8_t>(v << (7 - x % 8));
        }
    return rows;
}

Bytes Encode(int width, int height, int bits, const Bytes &rows, const TProgressEvent &progress = {})
{
    Bytes out;
    GIFEncodeLZW(out, width, height, bits, rows.data(), progress);
    return out;
}

// Sizes of the data sub-blocks (without the terminator).
std::vector<int> BlockSizes(const Bytes &data)
{
    std::vector<int> sizes;
    for (size_t pos = 1; pos < data.size() && data[pos] != 0; pos += 1 + data[pos])
        sizes.push_back(data[pos]);
    return sizes;
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

TEST(LZWEncoder, CodeSizesByDepth)
{
    const struct { int bits, minCodeSize; uint32_t clear; int width; } cases[] = {
        {1, 2, 4, 3}, {4, 4, 16, 5}, {8, 8, 256, 9}};
    for (const auto &c : cases) {
        const Bytes rows = StoredRows(5, 3, [](int x, int y) { return static_cast<uint8_t>((x + y) % 2); }, c.bits);
        const CodeTrace trace = TraceCodes(Encode(5, 3, c.bits, rows));
        EXPECT_EQ(trace.minCodeSize, c.minCodeSize);
        EXPECT_EQ(trace.codes.front(), c.clear);
        EXPECT_EQ(trace.widths.front(), c.width);
        EXPECT_EQ(trace.codes.back(), c.clear + 1);
    }
}

TEST(LZWEncoder, PixelsGoTopRowFirstAndUnpackNibblesAndBits)
{
    // Rows of distinct pixels: every code is a single pixel until strings repeat.
    const Bytes rows4 = StoredRows(2, 2, [](int x, int y) { return static_cast<uint8_t>(1 + x + 2 * y); }, 4);
    const CodeTrace t4 = TraceCodes(Encode(2, 2, 4, rows4));
    EXPECT_EQ(t4.codes, (std::vector<uint32_t>{16, 1, 2, 3, 4, 17}));
    const Bytes rows1 = StoredRows(3, 1, [](int x, int) { return static_cast<uint8_t>(x == 1); }, 1);
    const CodeTrace t1 = TraceCodes(Encode(3, 1, 1, rows1));
    EXPECT_EQ(t1.codes, (std::vector<uint32_t>{4, 0, 1, 0, 5}));
}

TEST(LZWEncoder, WidthGrowsWhenTheAssignedCodeReachesTwoToTheWidth)
{
    const Bytes rows = NoisyRows(64, 64, 1);
    const CodeTrace trace = TraceCodes(Encode(64, 64, 8, rows));
    // Codes 258.. are assigned one per emitted code after the first string;
    // the code emitted when 512 is assigned is still 9 bits wide.
    ASSERT_GT(trace.codes.size(), 600u);
    EXPECT_EQ(trace.widths[1], 9);
    EXPECT_EQ(trace.widths[255], 9);   // emits while assigning code 511 and 512
    EXPECT_EQ(trace.widths[256], 10);
}

TEST(LZWEncoder, ClearsAfterCode4094WithTheSinglePixelFirst)
{
    const Bytes rows = NoisyRows(100, 100, 2);
    const Bytes data = Encode(100, 100, 8, rows);
    const CodeTrace trace = TraceCodes(data);
    // The first clear after the start comes after 1 + (4094 - 257) codes and
    // one single pixel, all at 12 bits by then.
    const size_t clearAt = 1 + (4094 - 257) + 1;
    ASSERT_GT(trace.codes.size(), clearAt + 1);
    EXPECT_EQ(trace.codes[clearAt], 256u);
    EXPECT_EQ(trace.widths[clearAt], 12);
    EXPECT_LT(trace.codes[clearAt - 1], 256u);  // a single pixel
    EXPECT_EQ(trace.widths[clearAt + 1], 9);
    for (size_t i = 1; i < clearAt; ++i)
        ASSERT_NE(trace.codes[i], 256u) << i;
}

TEST(LZWEncoder, ResetOnTheLastPixelEndsWithClearThenEnd)
{
    // Noise long enough to assign 4094 codes exactly at the last pixel:
    // find the pixel count where that happens by growing the image.
    const Bytes all = NoisyRows(5000, 1, 3);
    Bytes probe;
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

TEST(LZWEncoder, SubBlocksAreFullExceptTheLast)
{
    const Bytes data = Encode(120, 120, 8, NoisyRows(120, 120, 4));
    const std::vector<int> sizes = BlockSizes(data);
    ASSERT_GT(sizes.size(), 2u);
    for (size_t i = 0; i + 1 < sizes.size(); ++i)
        EXPECT_EQ(sizes[i], 255);
    EXPECT_EQ(data.back(), 0);
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
