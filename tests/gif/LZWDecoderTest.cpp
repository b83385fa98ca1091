#include "LZWDecoder.h"

#include "BmpImage.h"
#include "ErrorOf.h"
#include "GifFileBuilder.h"
#include "KitGIF.h"
#include "LZWEncoder.h"

#include <gtest/gtest.h>
#include <map>
#include <random>

namespace {

using Rows = std::vector<std::vector<uint8_t>>;

// Decodes into an 8-bit target of width x height; rows top first.
struct Decoded {
    bool corrupted = false;
    Rows rows;
};

Decoded Decode(const Bytes &data, int width, int height, bool interlaced = false, int tableBits = 8, bool tolerant = true,
               const TProgressEvent &progress = {})
{
    const size_t stride = static_cast<size_t>(DIBStride(width, 8));
    Bytes block(stride * height, 0);
    TDecodeTarget target{width, height, 8, stride, block.data()};
    Decoded d;
    d.corrupted = GIFDecodeLZW(data, target, interlaced, tableBits, tolerant, progress);
    for (int y = 0; y < height; ++y)
        d.rows.emplace_back(&block[(height - 1 - y) * stride], &block[(height - 1 - y) * stride] + width);
    return d;
}

// Damaged data: what a tolerant decoding writes, and the error that a
// decoding refusing damage raises.
TEST(LZWDecoder, DamagedDataIsMarkedOrRefused)
{
    // Size 12 is taken as 9 (clear 512, width 10): only the pixel after the clear is written.
    Bytes sized = PackCodes(9, {{512, 10}, {5, 10}, {6, 10}, {7, 10}, {513, 10}});
    sized[0] = 12;
    struct TCase {
        const char *what;
        Bytes data;
        int width, tableBits;
        Rows rows;
        std::string refused;
    };
    const TCase cases[] = {
        {"code size out of range", sized, 3, 8, {{5, 0, 0}}, "GIF code size not in range 2 to 9"},
        // Code 7 is given before it exists and then made its own prefix.
        {"endless chain", PackCodes(2, {{4, 3}, {0, 3}, {7, 3}, {7, 3}, {7, 4}, {1, 4}, {5, 4}}), 8, 2,
         {{0, 0, 0, 0, 0, 0, 0, 0}}, "GIF encoded data is corrupt"},
        {"first code without clear", PackCodes(2, {{1, 3}, {2, 3}, {6, 3}, {5, 4}}), 4, 8, {{1, 2, 1, 2}}, ""},
        {"first code no root", PackCodes(2, {{7, 3}, {5, 3}}), 2, 8, {{0, 0}}, ""},
        // After the clear and a root the next free code is 6; 7 is beyond
        // the table and is read as 6.
        {"code beyond the next free one", PackCodes(2, {{4, 3}, {1, 3}, {7, 3}, {5, 3}}), 3, 8, {{1, 1, 1}}, ""},
        {"clear then end", PackCodes(2, {{4, 3}, {5, 3}}), 2, 8, {{0, 0}}, ""},
        {"end first", PackCodes(2, {{5, 3}}), 2, 8, {{0, 0}}, ""}};
    for (const TCase &c : cases) {
        const Decoded d = Decode(c.data, c.width, 1, false, c.tableBits);
        EXPECT_TRUE(d.corrupted) << c.what;
        EXPECT_EQ(d.rows[0], c.rows[0]) << c.what;
        if (!c.refused.empty()) {
            EXPECT_EQ(ErrorOf<EInvalidGraphicOperation>([&] { Decode(c.data, c.width, 1, false, c.tableBits, false); }),
                      c.refused)
                << c.what;
        }
    }
    // Data ending before the last row is an error; no data at all, not
    // even the code size, a stream error.
    EXPECT_EQ(ErrorOf<EInvalidGraphicOperation>([] { Decode(PackCodes(2, {{4, 3}, {1, 3}}, false), 2, 2); }),
              "Stream read error");
    EXPECT_THROW(Decode(Bytes{}, 1, 1), EReadError);
}

TEST(LZWDecoder, WhatSoundDataDecodesTo)
{
    struct TCase {
        const char *what;
        Bytes data;
        int width, height;
        bool interlaced;
        int tableBits;
        Rows rows;
    };
    const TCase cases[] = {
        {"interlaced: rows 0, 4, 2, 1, 3", EightBitData({10, 11, 12, 13, 14}), 1, 5, true, 8, {{10}, {13}, {12}, {14}, {11}}},
        {"interlaced, one row", EightBitData({10, 11, 12}), 1, 1, true, 8, {{10}}},
        // An 8-bit table but code size 2: code 6 is the string "1 2", not colour 6.
        {"roots below clear", PackCodes(2, {{4, 3}, {1, 3}, {2, 3}, {6, 3}, {5, 4}}), 4, 1, false, 8, {{1, 2, 1, 2}}},
        {"masked to the table", EightBitData({5, 6}), 2, 1, false, 2, {{1, 2}}},
        {"clear twice", PackCodes(2, {{4, 3}, {4, 3}, {3, 3}, {5, 3}}), 1, 1, false, 8, {{3}}},
        {"the next free code before it is made", PackCodes(2, {{4, 3}, {1, 3}, {6, 3}, {5, 3}}), 3, 1, false, 8,
         {{1, 1, 1}}},
        {"all pixels, no end code", PackCodes(2, {{4, 3}, {1, 3}}), 1, 1, false, 8, {{1}}}};
    for (const TCase &c : cases) {
        const Decoded d = Decode(c.data, c.width, c.height, c.interlaced, c.tableBits);
        EXPECT_FALSE(d.corrupted) << c.what;
        EXPECT_EQ(d.rows, c.rows) << c.what;
    }
    int pass = 0;
    std::vector<int> order = {0};
    for (int row = 0; (row = GIFNextInterlacedRow(row, 20, pass)) < 20;)
        order.push_back(row);
    EXPECT_EQ(order, (std::vector<int>{0, 8, 16, 4, 12, 2, 6, 10, 14, 18, 1, 3, 5, 7, 9, 11, 13, 15, 17, 19}));
}

TEST(LZWDecoder, TheTableFreezesAtFullWidth)
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
        const size_t used = static_cast<size_t>((width * bits + 7) / 8);
        Bytes rows(stride * height, 0);
        for (int y = 0; y < height; ++y)
            for (size_t i = 0; i < used; ++i)
                rows[y * stride + i] = static_cast<uint8_t>(random() % 3 == 0 ? random() : 0x11);
        if ((width * bits) % 8)  // clear the padding bits
            for (int y = 0; y < height; ++y)
                rows[y * stride + used - 1] &= static_cast<uint8_t>(0xFF00 >> ((width * bits) % 8));
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
    Decode(EightBitData({3}), 1, 1, false, 8, true, recording);
    ASSERT_GE(reports.size(), 2u);
    EXPECT_EQ(reports.front(), "0:0");
    EXPECT_EQ(reports.back(), "2:100");
    EXPECT_THROW(Decode(PackCodes(8, {{256, 9}, {3, 9}}, false), 1, 2, false, 8, true, recording), EInvalidGraphicOperation);
    EXPECT_EQ(reports.back(), "2:0Stream read error");
}

}  // namespace
