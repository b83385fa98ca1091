// The popularity reduction and the LZW compressor on many random pictures,
// from a few colours to enough to overflow the colour table many times, and
// from pure noise (the code table fills and restarts) to long flat runs.
// Their output was checked equal, byte for byte, to plain step-by-step
// versions of the two methods; its fingerprint keeps it so.
#include "BmpImage.h"
#include "ColorReduction.h"
#include "Digest.h"
#include "LZWEncoder.h"
#include "ReductionMethods.h"

#include <functional>
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

// The fingerprint of the LZW data of random pictures at 1, 4 and 8 bits in
// turn, each of a random size up to 400 by 300 pixels, whose zeroed stored
// rows `draw` fills.
using TDrawRows = std::function<void(std::mt19937 &random, int round, int bits, int32_t width,
                                     int32_t height, std::vector<uint8_t> &rows)>;

std::string LZWFingerprint(uint32_t seed, int rounds, const TDrawRows &draw)
{
    QByteArray all;
    std::mt19937 random(seed);
    for (int round = 0; round < rounds; ++round) {
        const int bits = round % 3 == 0 ? 1 : round % 3 == 1 ? 4 : 8;
        const int32_t width = 1 + int32_t(random() % 400), height = 1 + int32_t(random() % 300);
        std::vector<uint8_t> rows(size_t(DIBStride(width, bits)) * height), data;
        draw(random, round, bits, width, height, rows);
        GIFEncodeLZW(data, width, height, bits, rows.data(), {});
        all.append(reinterpret_cast<const char *>(data.data()), qsizetype(data.size()));
    }
    return Digest(all);
}

TEST(KnownBytes, LZWCodesOfEveryDepth)
{
    const TDrawRows noise = [](std::mt19937 &random, int round, int, int32_t, int32_t, std::vector<uint8_t> &rows) {
        const unsigned noise = 1 + random() % 8;
        for (uint8_t &b : rows)
            b = random() % noise == 0 ? uint8_t(random()) : uint8_t(0x11 * (round % 5));
    };
    EXPECT_EQ(LZWFingerprint(2, 80, noise), "a7cb793923d6ec27");
}

// Pixels in runs of any length, from single pixels to runs longer than
// several rows; some rounds break the runs with noise so that the code table
// fills and restarts inside a run.
TEST(KnownBytes, LZWCodesOfLongRuns)
{
    const TDrawRows runs = [](std::mt19937 &random, int round, int bits, int32_t width, int32_t height,
                              std::vector<uint8_t> &rows) {
        const unsigned colours = 1 + random() % (1u << bits);
        const bool noisy = round % 4 == 3;
        const size_t stride = size_t(DIBStride(width, bits));
        uint32_t pixel = 0, left = 0;
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) {
                if (left == 0) {
                    const uint32_t scale = 1u << (random() % 15);
                    left = 1 + random() % scale;
                    pixel = random() % colours;
                }
                --left;
                const uint32_t value = noisy && random() % 50 == 0 ? random() % (1u << bits) : pixel;
                uint8_t *row = &rows[size_t(height - 1 - y) * stride];
                row[x * bits / 8] |= uint8_t(value << (8 - bits - (x * bits) % 8));
            }
    };
    EXPECT_EQ(LZWFingerprint(3, 60, runs), "7298356c9017f857");
}

// The 8-bit popularity reduction of pictures held in each of the formats a
// bitmap may come in, with few colours or more than the table holds, in
// runs and in noise, at odd widths.
TEST(KnownBytes, PopularityOfBitmapsInEveryFormat)
{
    const QImage::Format formats[] = {QImage::Format_RGB888, QImage::Format_BGR888, QImage::Format_RGB32,
                                      QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied,
                                      QImage::Format_RGB16};
    QByteArray all;
    std::mt19937 random(4);
    for (int round = 0; round < 36; ++round) {
        const int width = 1 + int(random() % 250), height = 1 + int(random() % 250);
        const uint32_t colourMask = round % 3 == 0 ? 0x0F0F0F : 0xFFFFFF;
        const uint32_t runs = 1 + random() % 20;
        QImage image(width, height, formats[round % 6]);
        uint32_t colour = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                if (random() % runs == 0)
                    colour = random() & colourMask;
                image.setPixel(x, y, 0xFF000000 | colour);
            }
        const std::vector<uint8_t> bmp = BitmapToReducedStream(image, TPixelFormat::pf8bit, rmPopularity);
        all.append(reinterpret_cast<const char *>(bmp.data()), qsizetype(bmp.size()));
    }
    EXPECT_EQ(Digest(all), "009dadbea5fafb51");
}
