#include "KitGIF.h"

#include "Exceptions.h"
#include "GifTestSupport.h"

#include <QMimeData>
#include <gtest/gtest.h>

TEST(GIFClipboard, EncodedImageTravelsWithItsFirstFrame)
{
    TGIFImage gif;
    gif.AddFrame(MakeButtonLike(12, 9));
    gif.AddFrame(MakeButtonLike(5, 4));
    gif.Looping = true;
    gif.EncodeAllFrames();
    QMimeData data;
    gif.SaveToClipboardFormat(data);
    ASSERT_TRUE(data.hasFormat(kGIFClipboardFormat));
    EXPECT_TRUE(data.hasImage());

    TGIFImage back;
    back.LoadFromClipboardFormat(data);
    ASSERT_EQ(back.GetCount(), 2);
    EXPECT_TRUE(back.Looping);
    EXPECT_EQ(back.FrameIndex, 0);
    EXPECT_EQ(back.BuildFile(), gif.BuildFile());
}

TEST(GIFClipboard, UnencodedFramesGiveOnlyTheImage)
{
    TGIFImage gif;
    gif.AddFrame(MakeButtonLike(6, 3));
    QMimeData data;
    gif.SaveToClipboardFormat(data);
    EXPECT_FALSE(data.hasFormat(kGIFClipboardFormat));
    TGIFImage back;
    back.LoadFromClipboardFormat(data);
    ASSERT_EQ(back.GetCount(), 1);
    EXPECT_EQ(Pixels(back.GetBitmap()), Pixels(MakeButtonLike(6, 3)));

    TGIFImage empty;
    QMimeData nothing;
    empty.SaveToClipboardFormat(nothing);
    EXPECT_TRUE(nothing.formats().isEmpty());
}

TEST(GIFClipboard, ShortDataIsAStreamError)
{
    QMimeData data;
    data.setData(kGIFClipboardFormat, QByteArray("\x40\0\0\0GIF89a", 10));
    TGIFImage gif;
    EXPECT_THROW(gif.LoadFromClipboardFormat(data), EReadError);
}
