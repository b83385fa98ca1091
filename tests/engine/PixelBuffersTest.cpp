// Caption masks and buffer copies show in every fingerprinted render and in
// the preview tests; here a copy placed anywhere stays inside its target.
#include "BitmapCopy.h"
#include "Bitsmap.h"

#include <climits>
#include <gtest/gtest.h>

TEST(BitmapCopy, BlocksAreClippedToTheTarget)
{
    auto buffer = std::make_unique<TBitsmap>();
    for (int y = 0; y < TBitsmap::Size; ++y)
        for (int x = 0; x < TBitsmap::Size; ++x) {
            const uint8_t pixel[4] = {uint8_t(x), uint8_t(y), uint8_t(x + y), 9};
            std::copy(pixel, pixel + 4, buffer->Pixel(x, y));
        }
    QImage image(20, 20, QImage::Format_RGB888);
    FillBitmap(image, 0);
    BlitBitsmap(image, *buffer, -5, 15, 10, 10);
    EXPECT_EQ(image.pixel(0, 19), qRgb(5, 5, 10));  // buffer (5, 5)
    EXPECT_EQ(image.pixel(4, 15), qRgb(9, 9, 18));  // buffer (9, 9)
    EXPECT_EQ(image.pixel(5, 15), qRgb(0, 0, 0));
    for (int x : {INT_MIN, -1000, 19, INT_MAX})
        for (int y : {INT_MIN, 0, 1000, INT_MAX})
            BlitBitsmap(image, *buffer, x, y, 100000, 100000);
    BlitBitsmap(image, *buffer, 0, 0, -5, -5);
}
