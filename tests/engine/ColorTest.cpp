#include "ColorU.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(Color, PackAndSplit)
{
    EXPECT_EQ(MakeRGB(0x12, 0x34, 0x56), 0x563412);
    EXPECT_EQ(MakeRGB(0x112, -1, 0x156), 0x56FF12);  // only the low bytes count
    EXPECT_EQ(GetRed(0x563412), 0x12);
    EXPECT_EQ(GetGreen(0x563412), 0x34);
    EXPECT_EQ(GetBlue(0x563412), 0x56);
    EXPECT_EQ(GetBlue(int32_t(0xFF563412)), 0x56);  // the top byte is ignored
}

TEST(Color, RoundTripThroughFloats)
{
    const TRGBA grey = ColorToRGBA(0xC0C0C0);
    EXPECT_EQ(grey.R, 0.7529412f);
    EXPECT_EQ(grey.G, 0.7529412f);
    EXPECT_EQ(grey.B, 0.7529412f);
    EXPECT_EQ(grey.A, 1.0f);
    EXPECT_EQ(RGBAToColor(grey), 0xC0C0C0);
    for (TColor c : {0x000000, 0xFFFFFF, 0x123456, 0x800000, 0xF0FBFF, 0x010203})
        EXPECT_EQ(RGBAToColor(ColorToRGBA(c)), c);
}

TEST(Color, FloatsToBytesRoundToNearest)
{
    EXPECT_EQ(RedToByte({1.0001f, 0, 0, 1}), 255);
    EXPECT_EQ(RedToByte({0.5f, 0, 0, 1}), 128);  // 127.5 rounds to 128
    EXPECT_EQ(GreenToByte({0, 0.25f, 0, 1}), 64);  // 63.75
    EXPECT_EQ(BlueToByte({0, 0, 1.0f, 1}), 255);
}

TEST(Color, NegativeAndUndefinedFloatsGiveZero)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(RedToByte({-0.5f, 0, 0, 1}), 0);
    EXPECT_EQ(RedToByte({-inf, 0, 0, 1}), 0);
    EXPECT_EQ(GreenToByte({0, nan, 0, 1}), 0);
    EXPECT_EQ(BlueToByte({0, 0, inf, 1}), 255);
    EXPECT_EQ(RGBAToColor({nan, -1, 2, nan}), 0xFF0000);
}

}  // namespace
