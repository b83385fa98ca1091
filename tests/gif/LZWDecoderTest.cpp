#include "LZWDecoder.h"

#include "BmpImage.h"
#include "Exceptions.h"
#include "GifFileBuilder.h"
#include "KitGIF.h"
#include "LZWEncoder.h"

#include <gtest/gtest.h>
#include <map>
#include <random>

namespace {

// Decodes into an 8-bit target of width x height; rows top first.
struct Decoded {
    bool corrupted = false;
    std::vector<std::vector<uint8_t>> rows;
};

Decoded Decode(const Bytes &data, int width, int height, bool interlaced = false, int tableBits = 8,
               bool tolerant = true)
{
    const size_t stride = static_cast<size_t>(DIBStride(width, 8));
    Bytes block(stride * height, 0);
    TDecodeTarget target;
    target.width = width;
    target.height = height;
    target.bits = 8;
    target.stride = stride;
    target.block = block.data();
    Decoded d;
    d.corrupted = GIFDecodeLZW(data, target, interlaced, tableBits, tolerant, {});
    for (int y = 0; y < height; ++y) {
        const uint8_t *row = &block[(height - 1 - y) * stride];
        d.rows.emplace_back(row, row + width);
    }
    return d;
}

using Row = std::vector<uint8_t>;

}  // namespace

TEST(LZWDecoder, InterlacedRowsComeInFourPasses)
{
    const Decoded d = Decode(EightBitData({10, 11, 12, 13, 14}), 1, 5, true);
    // Stream order 0, 4, 2, 1, 3.
    EXPECT_EQ(d.rows, (std::vector<Row>{{10}, {13}, {12}, {14}, {11}}));
    int pass = 0;
    std::vector<int> order = {0};
    for (int row = 0; (row = GIFNextInterlacedRow(row, 20, pass)) < 20;)
        order.push_back(row);
    EXPECT_EQ(order, (std::vector<int>{0, 8, 16, 4, 12, 2, 6, 10, 14, 18, 1, 3, 5, 7, 9, 11, 13, 15, 17, 19}));
}

TEST(LZWDecoder, InterlacedHeightOneTakesOnlyRowZero)
{
    const Decoded d = Decode(EightBitData({10, 11, 12}), 1, 1, true);
    EXPECT_EQ(d.rows, (std::vector<Row>{{10}}));
}

TEST(LZWDecoder, CodeSizeOutOfRange)
{
    // Size 12 is taken as 9 (clear 512, width 10): only the pixel after the
    // clear is written.
    const Bytes data = Concat({{12}, PackCodes(9, {{512, 10}, {5, 10}, {6, 10}, {7, 10}, {513, 10}})});
    Bytes sized(data.begin() + 1, data.end());
    sized[0] = 12;
    const Decoded d = Decode(sized, 3, 1);
    EXPECT_TRUE(d.corrupted);
    EXPECT_EQ(d.rows, (std::vector<Row>{{5, 0, 0}}));
    try {
        Decode(sized, 3, 1, false, 8, false);
        FAIL();
    } catch (const EInvalidGraphicOperation &e) {
        EXPECT_STREQ(e.what(), "GIF code size not in range 2 to 9");
    }
}

TEST(LZWDecoder, EndlessCodeChainMarksDamage)
{
    // Code 7 is given before it exists and then made its own prefix.
    const Bytes data = PackCodes(2, {{4, 3}, {0, 3}, {7, 3}, {7, 3}, {7, 4}, {1, 4}, {5, 4}});
    const Decoded d = Decode(data, 8, 1, false, 2);
    EXPECT_TRUE(d.corrupted);
    EXPECT_EQ(d.rows[0][7], 0);
    try {
        Decode(data, 8, 1, false, 2, false);
        FAIL();
    } catch (const EInvalidGraphicOperation &e) {
        EXPECT_STREQ(e.what(), "GIF encoded data is corrupt");
    }
}

TEST(LZWDecoder, RootsAreTheCodesBelowClear)
{
    // An 8-bit table but code size 2: code 6 is the string "1 2", not colour 6.
    const Bytes data = PackCodes(2, {{4, 3}, {1, 3}, {2, 3}, {6, 3}, {5, 4}});
    const Decoded d = Decode(data, 4, 1, false, 8);
    EXPECT_FALSE(d.corrupted);
    EXPECT_EQ(d.rows, (std::vector<Row>{{1, 2, 1, 2}}));
}

TEST(LZWDecoder, PixelsAreMaskedToTheTableBits)
{
    const Decoded d = Decode(EightBitData({5, 6}), 2, 1, false, 2);
    EXPECT_EQ(d.rows, (std::vector<Row>{{1, 2}}));
}

TEST(LZWDecoder, FirstCodeWithoutClearActsAsIfCleared)
{
    const Decoded d = Decode(PackCodes(2, {{1, 3}, {2, 3}, {6, 3}, {5, 4}}), 4, 1);
    EXPECT_TRUE(d.corrupted);
    EXPECT_EQ(d.rows, (std::vector<Row>{{1, 2, 1, 2}}));
    // A first code that is no root is damage and writes nothing.
    const Decoded bad = Decode(PackCodes(2, {{7, 3}, {5, 3}}), 2, 1);
    EXPECT_TRUE(bad.corrupted);
    EXPECT_EQ(bad.rows, (std::vector<Row>{{0, 0}}));
}

TEST(LZWDecoder, ClearFollowedByEndWritesNothing)
{
    const Decoded d = Decode(PackCodes(2, {{4, 3}, {5, 3}}), 2, 1);
    EXPECT_TRUE(d.corrupted);
    EXPECT_EQ(d.rows, (std::vector<Row>{{0, 0}}));
    const Decoded endFirst = Decode(PackCodes(2, {{5, 3}}), 2, 1);
    EXPECT_TRUE(endFirst.corrupted);
    EXPECT_EQ(endFirst.rows, (std::vector<Row>{{0, 0}}));
    const Decoded twice = Decode(PackCodes(2, {{4, 3}, {4, 3}, {3, 3}, {5, 3}}), 1, 1);
    EXPECT_EQ(twice.rows, (std::vector<Row>{{3}}));
}

TEST(LZWDecoder, ACodeBeyondTheNextFreeOneMarksDamage)
{
    // After the Clear and a root the next free code is 6: code 6 is the
    // string that repeats the last one's first pixel, code 7 is no code yet.
    const Decoded valid = Decode(PackCodes(2, {{4, 3}, {1, 3}, {6, 3}, {5, 3}}), 3, 1);
    EXPECT_FALSE(valid.corrupted);
    EXPECT_EQ(valid.rows, (std::vector<Row>{{1, 1, 1}}));
    const Decoded beyond = Decode(PackCodes(2, {{4, 3}, {1, 3}, {7, 3}, {5, 3}}), 3, 1);
    EXPECT_TRUE(beyond.corrupted);
    EXPECT_EQ(beyond.rows, (std::vector<Row>{{1, 1, 1}}));
}

TEST(LZWDecoder, AnImageWithoutPixelsStillReadsItsCodes)
{
    const Bytes ended = PackCodes(2, {{4, 3}, {1, 3}, {2, 3}, {5, 3}});
    const Bytes cut = PackCodes(2, {{4, 3}, {1, 3}, {2, 3}}, false);
    for (const auto &[width, height] : {std::pair{0, 0}, {0, 3}, {3, 0}}) {
        EXPECT_FALSE(Decode(ended, width, height).corrupted) << width << "x" << height;
        try {
            Decode(cut, width, height);
            ADD_FAILURE() << "no error for " << width << "x" << height;
        } catch (const EInvalidGraphicOperation &e) {
            EXPECT_STREQ(e.what(), "Stream read error");
        }
    }
}

TEST(LZWDecoder, DataEndingBeforeTheLastRow)
{
    const Bytes data = PackCodes(2, {{4, 3}, {1, 3}}, false);
    try {
        Decode(data, 2, 2);
        FAIL();
    } catch (const EInvalidGraphicOperation &e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    // All pixels there but no end code: fine.
    EXPECT_EQ(Decode(PackCodes(2, {{4, 3}, {1, 3}}), 1, 1).rows, (std::vector<Row>{{1}}));
    // Not even the code size byte: the data stream itself runs short.
    EXPECT_THROW(Decode(Bytes{}, 1, 1), EReadError);
}

TEST(LZWDecoder, TableFreezesAtFullWidth)
{
    // Noise encoded by a simple encoder that never clears: codes stay 12 bits.
    std::mt19937 random(5);
    const int count = 40000;
    std::vector<uint8_t> pixels(count);
    for (uint8_t &p : pixels)
        p = static_cast<uint8_t>(random() % 4);
    std::vector<std::pair<uint32_t, int>> codes = {{4, 3}};
    std::map<std::pair<uint32_t, uint8_t>, uint32_t> table;
    uint32_t next = 6, prefix = pixels[0];
    int width = 3;
    for (int i = 1; i < count; ++i) {
        const auto key = std::make_pair(prefix, pixels[static_cast<size_t>(i)]);
        if (auto it = table.find(key); it != table.end()) {
            prefix = it->second;
            continue;
        }
        codes.push_back({prefix, width});
        if (next < 4096) {
            table[key] = next++;
            if (next - 1 == (1u << width) && width < 12)
                ++width;
        }
        prefix = pixels[static_cast<size_t>(i)];
    }
    codes.push_back({prefix, width});
    codes.push_back({5, width});
    ASSERT_EQ(next, 4096u);
    ASSERT_GT(codes.size(), 4300u);
    const Decoded d = Decode(PackCodes(2, codes), count, 1, false, 2);
    EXPECT_FALSE(d.corrupted);
    EXPECT_EQ(d.rows[0], pixels);
}

TEST(LZWDecoder, RoundTripsTheEncoderAtEveryDepth)
{
    std::mt19937 random(9);
    for (int bits : {1, 4, 8}) {
        const int width = 77, height = 61;
        const size_t stride = static_cast<size_t>(DIBStride(width, bits));
        Bytes rows(stride * height);
        for (uint8_t &b : rows)
            b = static_cast<uint8_t>(random() % 3 == 0 ? random() : 0x11);
        for (int y = 0; y < height; ++y)  // clear the padding bits
            for (size_t i = static_cast<size_t>((width * bits + 7) / 8); i < stride; ++i)
                rows[y * stride + i] = 0;
        if ((width * bits) % 8)
            for (int y = 0; y < height; ++y)
                rows[y * stride + (width * bits) / 8] &= static_cast<uint8_t>(0xFF00 >> ((width * bits) % 8));
        Bytes data;
        GIFEncodeLZW(data, width, height, bits, rows.data(), {});
        Bytes decoded(rows.size(), 0);
        TDecodeTarget target{width, height, bits, stride, decoded.data()};
        EXPECT_FALSE(GIFDecodeLZW(data, target, false, bits, false, {}));
        EXPECT_EQ(decoded, rows) << bits;
    }
}

TEST(LZWDecoder, ReportsProgressAndTheErrorThatEndsIt)
{
    std::vector<std::string> reports;
    const TProgressEvent recording = [&](TProgressStage stage, int percent, const std::string &message) {
        reports.push_back(std::to_string(static_cast<int>(stage)) + ":" + std::to_string(percent) + message);
    };
    Bytes block(8, 0);
    TDecodeTarget target{1, 1, 8, 4, block.data()};
    GIFDecodeLZW(EightBitData({3}), target, false, 8, true, recording);
    ASSERT_GE(reports.size(), 2u);
    EXPECT_EQ(reports.front(), "0:0");
    EXPECT_EQ(reports.back(), "2:100");
    reports.clear();
    TDecodeTarget tall{1, 2, 8, 4, block.data()};
    EXPECT_THROW(GIFDecodeLZW(PackCodes(8, {{256, 9}, {3, 9}}, false), tall, false, 8, true, recording),
                 EInvalidGraphicOperation);
    EXPECT_EQ(reports.back(), "2:0Stream read error");
}
