// The popularity reduction and the LZW compressor on many random pictures,
// from a few colours to enough to overflow the colour table many times, and
// from pure noise (the code table fills and restarts) to long flat runs.
// Their output was checked equal, byte for byte, to plain step-by-step
// versions of the two methods; its fingerprint keeps it so.
#include "BmpImage.h"
#include "Digest.h"
#include "LZWEncoder.h"
#include "ReductionMethods.h"

#include <gtest/gtest.h>
#include <random>

// A pick skewed towards low numbers. The number is drawn before the spread,
// in two statements: within one expression the compiler would choose the
// order, and the fingerprint would differ between builds.
uint32_t RareColourPick(std::mt19937 &random)
{
    const uint32_t pick = random();
    return pick % (1 + random() % 64);
}

TEST(KnownBytes, PopularityPalettesAndIndexes)
{
    QByteArray all;
    std::mt19937 random(1);
    for (int round = 0; round < 60; ++round) {
        const int32_t width = 1 + int32_t(random() % 250), height = 1 + int32_t(random() % 250);
        std::vector<uint32_t> colours(1 + random() % (round < 20 ? 300 : 6000));
        for (uint32_t &c : colours)
            c = random() & (round % 3 == 0 ? 0x3F3F3F : 0xFFFFFF);
        const size_t stride = size_t(DIBStride(width, 24)), indexStride = size_t(DIBStride(width, 8));
        std::vector<uint8_t> rows(stride * height, 0), palette(1024);
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) {
                // Odd rounds draw from a long tail of rare colours.
                const uint32_t c = colours[(round % 2 ? RareColourPick(random) : random()) % colours.size()];
                uint8_t *p = &rows[y * stride + 3 * x];
                p[0] = uint8_t(c), p[1] = uint8_t(c >> 8), p[2] = uint8_t(c >> 16);
            }
        ReducePopularity(width, height, palette.data(), rows.data(), rows.data(), 256);
        all.append(reinterpret_cast<const char *>(palette.data()), 1024);
        for (int32_t y = 0; y < height; ++y)
            all.append(reinterpret_cast<const char *>(&rows[y * indexStride]), width);
    }
    EXPECT_EQ(Digest(all), "16c38de527dc2be9");
}

TEST(KnownBytes, LZWCodesOfEveryDepth)
{
    QByteArray all;
    std::mt19937 random(2);
    for (int round = 0; round < 80; ++round) {
        const int bits = round % 3 == 0 ? 1 : round % 3 == 1 ? 4 : 8;
        const int32_t width = 1 + int32_t(random() % 400), height = 1 + int32_t(random() % 300);
        const unsigned noise = 1 + random() % 8;
        std::vector<uint8_t> rows(size_t(DIBStride(width, bits)) * height), data;
        for (uint8_t &b : rows)
            b = random() % noise == 0 ? uint8_t(random()) : uint8_t(0x11 * (round % 5));
        GIFEncodeLZW(data, width, height, bits, rows.data(), {});
        all.append(reinterpret_cast<const char *>(data.data()), qsizetype(data.size()));
    }
    EXPECT_EQ(Digest(all), "a7cb793923d6ec27");
}
