#include "ColorU.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(Color, PackedColoursKeepOnlyTheirLowBytesAndRoundTripThroughFloats)
{
    EXPECT_EQ(MakeRGB(0x112, -1, 0x156), 0x56FF12);
    EXPECT_EQ(GetRed(0x563412), 0x12);
    EXPECT_EQ(GetGreen(0x563412), 0x34);
    EXPECT_EQ(GetBlue(int32_t(0xFF563412)), 0x56);
    const TRGBA grey = ColorToRGBA(0xC0C0C0);
    EXPECT_EQ(grey.R, 0.7529412f);
    EXPECT_EQ(grey.A, 1.0f);
    for (TColor c : {0x000000, 0xFFFFFF, 0x123456, 0x800000, 0xF0FBFF, 0x010203})
        EXPECT_EQ(RGBAToColor(ColorToRGBA(c)), c);
}

// Above 1 gives 255, else the nearest byte with ties to even; no number
// and below 0 give 0.
TEST(Color, FloatsBecomeBytesRoundedToNearest)
{
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const std::pair<float, uint8_t> cases[] = {{1.0001f, 255}, {0.5f, 128}, {0.25f, 64},
                                               {-0.5f, 0},     {-inf, 0},   {nan, 0},            {inf, 255}};
    for (const auto &[value, byte] : cases) {
        EXPECT_EQ(RedToByte({value, 0, 0, 1}), byte) << value;
        EXPECT_EQ(GreenToByte({0, value, 0, 1}), byte) << value;
        EXPECT_EQ(BlueToByte({0, 0, value, 1}), byte) << value;
    }
    EXPECT_EQ(RGBAToColor({nan, -1, 2, nan}), 0xFF0000);
}

}  // namespace
