#include "KitGIF.h"

#include "Exceptions.h"
#include "GifTestSupport.h"

#include <QMimeData>
#include <gtest/gtest.h>

// An encoded image travels with its file and a picture of its first frame;
// unencoded frames give only the picture, an empty image nothing.
TEST(GIFClipboard, TheFileOrThePictureTravels)
{
    TGIFImage gif;
    gif.AddFrame(MakeButtonLike(12, 9));
    gif.AddFrame(MakeButtonLike(5, 4));
    gif.Looping = true;
    QMimeData unencoded;
    gif.SaveToClipboardFormat(unencoded);
    EXPECT_FALSE(unencoded.hasFormat(kGIFClipboardFormat));
    TGIFImage picture;
    picture.LoadFromClipboardFormat(unencoded);
    ASSERT_EQ(picture.GetCount(), 1);
    EXPECT_EQ(Pixels(picture.GetBitmap()), Pixels(MakeButtonLike(12, 9)));

    gif.EncodeAllFrames();
    QMimeData data;
    gif.SaveToClipboardFormat(data);
    ASSERT_TRUE(data.hasFormat(kGIFClipboardFormat));
    EXPECT_TRUE(data.hasImage());
    TGIFImage back;
    back.LoadFromClipboardFormat(data);
    EXPECT_EQ(back.GetCount(), 2);
    EXPECT_EQ(back.FrameIndex, 0);
    EXPECT_EQ(back.BuildFile(), gif.BuildFile());

    QMimeData nothing;
    TGIFImage().SaveToClipboardFormat(nothing);
    EXPECT_TRUE(nothing.formats().isEmpty());
    data.setData(kGIFClipboardFormat, QByteArray("\x40\0\0\0GIF89a", 10));
    EXPECT_THROW(back.LoadFromClipboardFormat(data), EReadError);
}
