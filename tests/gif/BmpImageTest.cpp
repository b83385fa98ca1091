#include "BmpImage.h"

#include <gtest/gtest.h>

// A decoded frame can claim a width or height of 0: its in-memory BMP then
// has no pixels, and turning it into an image must copy nothing.
TEST(BmpImage, APictureWithoutPixelsGivesAnEmptyImage)
{
    for (const int bits : {1, 4, 8, 24}) {
        const int colors = bits <= 8 ? 1 << bits : 0;
        EXPECT_TRUE(BmpToImage(NewBmp(0, 3, bits, colors)).isNull()) << bits << " bits";
        EXPECT_TRUE(BmpToImage(NewBmp(3, 0, bits, colors)).isNull()) << bits << " bits";
    }
}
