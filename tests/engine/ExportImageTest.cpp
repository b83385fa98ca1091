#include "Bitsmap.h"
#include "ColorU.h"
#include "Exceptions.h"
#include "ExportU.h"
#include "ProjectFixture.h"

#include <QImage>

namespace {

// Pixel (x, y) of the render buffer, y from the bottom, gets a colour that
// tells where it came from; the corners of the state keep the background.
void FillRenderBuffer(int width, int height, TColor background)
{
    TBitsmap &buffer = RenderBuffer();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t *p = buffer.Pixel(x, y);
            const bool corner = (x == 0 || x == width - 1) && (y == 0 || y == height - 1);
            p[0] = corner ? uint8_t(background) : uint8_t(x);
            p[1] = corner ? uint8_t(background >> 8) : uint8_t(y);
            p[2] = corner ? uint8_t(background >> 16) : 77;
            p[3] = 255;
        }
}

class ExportImageTest : public ProjectTest {
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        P().NewProject();
        P().AddButton("Home");
        AppParam().BmpPixelFormat = 6;
        FillRenderBuffer(100, 30, 0xC0C0C0);
    }

    std::string Path(const char *name) const { return FDir.filePath(name).toStdString(); }

    QImage Exported(const char *name, int32_t cropMode)
    {
        ExportImage(P(), Path(name), cropMode);
        return QImage(QString::fromStdString(Path(name)));
    }

    QByteArray FileHead(const char *name, int bytes)
    {
        QFile file(QString::fromStdString(Path(name)));
        return file.open(QIODevice::ReadOnly) ? file.read(bytes) : QByteArray();
    }
};

// The picture's pixel (x, y), y from the top, as the buffer filled it.
QRgb Source(int x, int yFromTop, int height = 30) { return qRgb(x, height - 1 - yFromTop, 77); }

TEST_F(ExportImageTest, CropModesCutTheEdgesOff)
{
    const QImage whole = Exported("whole.bmp", cmWhole);
    ASSERT_EQ(whole.size(), QSize(100, 30));
    EXPECT_EQ(whole.pixel(50, 0), Source(50, 0));
    EXPECT_EQ(whole.pixel(0, 0) & 0xFFFFFF, 0xC0C0C0u);

    const QImage cutRight = Exported("cut1.bmp", cmCutRight);
    ASSERT_EQ(cutRight.size(), QSize(98, 30));
    EXPECT_EQ(cutRight.pixel(97, 5), Source(97, 5));

    const QImage cutBottom = Exported("cut2.bmp", cmCutBottom);
    ASSERT_EQ(cutBottom.size(), QSize(100, 28));
    EXPECT_EQ(cutBottom.pixel(3, 27), Source(3, 27));

    const QImage rightEdge = Exported("edge3.bmp", cmRightEdge);
    ASSERT_EQ(rightEdge.size(), QSize(2, 30));
    for (int y = 1; y < 29; ++y) {
        EXPECT_EQ(rightEdge.pixel(0, y), Source(98, y));
        EXPECT_EQ(rightEdge.pixel(1, y), Source(99, y));
    }

    const QImage bottomEdge = Exported("edge4.bmp", cmBottomEdge);
    ASSERT_EQ(bottomEdge.size(), QSize(100, 2));
    for (int x = 1; x < 99; ++x) {
        EXPECT_EQ(bottomEdge.pixel(x, 0), Source(x, 28));
        EXPECT_EQ(bottomEdge.pixel(x, 1), Source(x, 29));
    }

    EXPECT_EQ(Exported("other.bmp", 9).size(), QSize(100, 30));
    EXPECT_EQ(Exported("negative.bmp", -1).size(), QSize(100, 30));
}

TEST_F(ExportImageTest, TooSmallForTheCutIsAClearErrorAndWritesNothing)
{
    for (int width : {1, 2}) {
        P().CurrentState()->Width = width;
        EXPECT_THROW(ExportImage(P(), Path("tiny.bmp"), cmCutRight), EInvalidGraphicOperation);
        EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("tiny.bmp"))));
    }
    P().CurrentState()->Width = 1;
    EXPECT_THROW(ExportImage(P(), Path("tiny.bmp"), cmRightEdge), EInvalidGraphicOperation);
    P().CurrentState()->Width = 2;
    EXPECT_EQ(Exported("edge.bmp", cmRightEdge).size(), QSize(2, 30));
    P().CurrentState()->Height = 2;
    EXPECT_THROW(ExportImage(P(), Path("tiny.bmp"), cmCutBottom), EInvalidGraphicOperation);
    EXPECT_EQ(Exported("bottom.bmp", cmBottomEdge).size(), QSize(2, 2));
}

TEST_F(ExportImageTest, ExtensionChoosesTheFormatInAnyCase)
{
    ExportImage(P(), Path("a.JPG"), cmWhole);
    ExportImage(P(), Path("b.Jpeg"), cmWhole);
    ExportImage(P(), Path("c.BMP"), cmWhole);
    ExportImage(P(), Path("d.Ico"), cmWhole);
    ExportImage(P(), Path("e.WMF"), cmWhole);
    ExportImage(P(), Path("f.emf"), cmWhole);
    EXPECT_EQ(FileHead("a.JPG", 2), QByteArray("\xFF\xD8"));
    EXPECT_EQ(FileHead("b.Jpeg", 2), QByteArray("\xFF\xD8"));
    EXPECT_EQ(FileHead("c.BMP", 2), QByteArray("BM"));
    EXPECT_EQ(FileHead("d.Ico", 4), QByteArray("\0\0\1\0", 4));
    EXPECT_EQ(FileHead("e.WMF", 4), QByteArray("\xD7\xCD\xC6\x9A"));
    EXPECT_EQ(FileHead("f.emf", 4), QByteArray("\1\0\0\0", 4));
}

TEST_F(ExportImageTest, OtherExtensionsGiveGifWithTheBackgroundTransparent)
{
    for (const char *name : {"a.gif", "b.GIF", "c.png", "d"}) {
        EXPECT_EQ(FileHead(name, 0), QByteArray());
        ExportImage(P(), Path(name), cmWhole);
        EXPECT_EQ(FileHead(name, 6), QByteArray("GIF89a")) << name;
    }
    QImage gif;
    ASSERT_TRUE(gif.load(QString::fromStdString(Path("c.png")), "GIF"));
    ASSERT_EQ(gif.size(), QSize(100, 30));
    EXPECT_EQ(qAlpha(gif.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(gif.pixel(99, 29)), 0);
    EXPECT_EQ(qAlpha(gif.pixel(50, 10)), 255);  // its colour as reduced to 256
}

TEST_F(ExportImageTest, FormatTableByExtension)
{
    EXPECT_EQ(ImageFormatOf("/x/y.gif"), TImageFormat::Gif);
    EXPECT_EQ(ImageFormatOf("/x/y.GIF"), TImageFormat::Gif);
    EXPECT_EQ(ImageFormatOf("/x/y.png"), TImageFormat::Gif);
    EXPECT_EQ(ImageFormatOf("/x/y"), TImageFormat::Gif);
    EXPECT_EQ(ImageFormatOf("/x.jpg/y"), TImageFormat::Gif);  // a folder's dot never counts
    EXPECT_EQ(ImageFormatOf("y.tar.jpeg"), TImageFormat::Jpeg);
    EXPECT_EQ(ImageFormatOf("C:\\pics\\y.Emf"), TImageFormat::Emf);
}

TEST_F(ExportImageTest, BackgroundOfTheStateIsTheTransparentColour)
{
    P().CurrentState()->Background = ColorToRGBA(0x123456);
    FillRenderBuffer(100, 30, 0x123456);
    const QImage icon = Exported("button.ico", cmWhole);
    ASSERT_EQ(icon.size(), QSize(100, 30));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(99, 29)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(1, 0)), 255);
}

TEST_F(ExportImageTest, JpegQualityComesFromTheSettings)
{
    AppParam().JpgCompressionQuality = 20;
    ExportImage(P(), Path("low.jpg"), cmWhole);
    AppParam().JpgCompressionQuality = 100;
    ExportImage(P(), Path("high.jpg"), cmWhole);
    AppParam().JpgCompressionQuality = 90;
    EXPECT_LT(QFileInfo(QString::fromStdString(Path("low.jpg"))).size(),
              QFileInfo(QString::fromStdString(Path("high.jpg"))).size());
}

TEST_F(ExportImageTest, NothingWithoutASelectedState)
{
    P().Select(0, -1);
    ExportImage(P(), Path("none.bmp"), cmWhole);
    P().Select(-1, 0);
    ExportImage(P(), Path("none.bmp"), cmWhole);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("none.bmp"))));
}

TEST_F(ExportImageTest, DraftStateIsRenderedAtFullQualityFirst)
{
    AppParam().UsePreview = true;
    TItem &state = *P().CurrentState();
    state.SetDraft(true);
    ASSERT_EQ(state.Draft, 1);
    ExportImage(P(), Path("full.bmp"), cmWhole);
    EXPECT_EQ(state.Draft, 0);
    EXPECT_EQ(state.Dirty, 0);  // rendered again
    EXPECT_EQ(AppParam().MeshCols, 180);
    EXPECT_EQ(AppParam().MeshRows, 90);
}

TEST_F(ExportImageTest, AFailedExportKeepsTheOldFile)
{
    ExportImage(P(), Path("keep.bmp"), cmWhole);
    const QByteArray before = FileHead("keep.bmp", 1 << 20);
    P().CurrentState()->Width = 1;
    EXPECT_THROW(ExportImage(P(), Path("keep.bmp"), cmCutRight), EInvalidGraphicOperation);
    EXPECT_EQ(FileHead("keep.bmp", 1 << 20), before);
    EXPECT_THROW(ExportImage(P(), Path("no/such/folder/x.bmp"), cmWhole), EStreamError);
}

}  // namespace
