#include "Bitsmap.h"
#include "ColorU.h"
#include "Exceptions.h"
#include "ExportU.h"
#include "ImageFormat.h"
#include "ProjectFixture.h"

#include <QImage>

namespace {

// The state's render: pixel (x, y), y from the bottom, tells where it came
// from; the corners keep the background.
void FillRenderBuffer(int width, int height, TColor background)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool corner = (x == 0 || x == width - 1) && (y == 0 || y == height - 1);
            const uint8_t pixel[4] = {corner ? uint8_t(background) : uint8_t(x),
                                      corner ? uint8_t(background >> 8) : uint8_t(y),
                                      corner ? uint8_t(background >> 16) : uint8_t(77), 255};
            std::copy(pixel, pixel + 4, RenderBuffer().Pixel(x, y));
        }
}

// The picture's pixel (x, y), y from the top, as the buffer filled it.
QRgb Source(int x, int yFromTop) { return qRgb(x, 29 - yFromTop, 77); }

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
    void TearDown() override
    {
        AppParam() = TParam();
        ProjectTest::TearDown();
    }
    std::string Path(const char *name) const { return FilePathBytes(FDir.filePath(name)); }
    QImage Exported(const char *name, int32_t cropMode)
    {
        ExportImage(P(), Path(name), cropMode);
        return QImage(QtFilePath(Path(name)));
    }
};

TEST_F(ExportImageTest, CropModesCutTheEdgesOff)
{
    struct TCase {
        int32_t mode;
        QRect kept;  // of the 100 x 30 picture
    };
    const TCase cases[] = {{cmWhole, {0, 0, 100, 30}},     {cmCutRight, {0, 0, 98, 30}}, {cmCutBottom, {0, 0, 100, 28}},
                           {cmRightEdge, {98, 0, 2, 30}},  {cmBottomEdge, {0, 28, 100, 2}},
                           {9, {0, 0, 100, 30}},           {-1, {0, 0, 100, 30}}};
    for (const TCase &c : cases) {
        const QImage image = Exported("crop.bmp", c.mode);
        ASSERT_EQ(image.size(), c.kept.size()) << c.mode;
        for (const QPoint p : {QPoint(1, 1), QPoint(c.kept.width() - 1, c.kept.height() - 2)})
            EXPECT_EQ(image.pixel(p), Source(c.kept.x() + p.x(), c.kept.y() + p.y())) << c.mode;
    }
}

// A picture too small for the cut is a clear error, and the file that was
// there stays.
TEST_F(ExportImageTest, TooSmallForTheCutIsAClearErrorAndWritesNothing)
{
    ExportImage(P(), Path("keep.bmp"), cmWhole);
    const std::string before = FileText(Path("keep.bmp"));
    const std::tuple<int, int, int32_t, bool> cases[] = {
        {1, 30, cmCutRight, false}, {2, 30, cmCutRight, false}, {1, 30, cmRightEdge, false},
        {2, 30, cmRightEdge, true}, {30, 2, cmCutBottom, false}, {30, 2, cmBottomEdge, true}};
    for (const auto &[width, height, mode, possible] : cases) {
        P().CurrentState()->Width = width;
        P().CurrentState()->Height = height;
        if (possible) {
            EXPECT_EQ(Exported("edge.bmp", mode).size(), mode == cmRightEdge ? QSize(2, height) : QSize(width, 2));
        } else {
            EXPECT_THROW(ExportImage(P(), Path("keep.bmp"), mode), EInvalidGraphicOperation) << width << " " << mode;
        }
    }
    EXPECT_EQ(FileText(Path("keep.bmp")), before);
    EXPECT_THROW(ExportImage(P(), Path("no/such/folder/x.bmp"), cmWhole), EStreamError);
}

TEST_F(ExportImageTest, TheExtensionChoosesTheFormatInAnyLetterCaseElseGif)
{
    const std::pair<const char *, QByteArray> cases[] = {
        {"a.JPG", "\xFF\xD8"},           {"b.Jpeg", "\xFF\xD8"},           {"c.BMP", "BM"},
        {"d.Ico", QByteArray("\0\0\1\0", 4)}, {"e.WMF", "\xD7\xCD\xC6\x9A"}, {"f.emf", QByteArray("\1\0\0\0", 4)},
        {"g.gif", "GIF89a"},             {"h.GIF", "GIF89a"},              {"i.png", "GIF89a"},
        {"j", "GIF89a"}};
    for (const auto &[name, magic] : cases) {
        ExportImage(P(), Path(name), cmWhole);
        EXPECT_EQ(QByteArray::fromStdString(FileText(Path(name)).substr(0, size_t(magic.size()))), magic) << name;
    }
    EXPECT_EQ(ImageFormatOf("/x.jpg/y"), TImageFormat::Gif);  // a folder's dot never counts
    EXPECT_EQ(ImageFormatOf("y.tar.jpeg"), TImageFormat::Jpeg);
    EXPECT_EQ(ImageFormatOf("C:\\pics\\y.Emf"), TImageFormat::Emf);
}

// GIF and icon leave the state's background colour transparent.
TEST_F(ExportImageTest, TheStatesBackgroundIsTheTransparentColour)
{
    P().CurrentState()->Background = ColorToRGBA(0x123456);
    FillRenderBuffer(100, 30, 0x123456);
    for (const char *name : {"button.ico", "button.gif"}) {
        const QImage image = Exported(name, cmWhole);
        ASSERT_EQ(image.size(), QSize(100, 30)) << name;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << name;
        EXPECT_EQ(qAlpha(image.pixel(99, 29)), 0) << name;
        EXPECT_EQ(qAlpha(image.pixel(1, 0)), 255) << name;
    }
}

TEST_F(ExportImageTest, SettingsChooseTheJpegQualityAndADraftIsRenderedAtFullQualityFirst)
{
    AppParam().JpgCompressionQuality = 20;
    ExportImage(P(), Path("low.jpg"), cmWhole);
    AppParam().JpgCompressionQuality = 100;
    ExportImage(P(), Path("high.jpg"), cmWhole);
    EXPECT_LT(FileText(Path("low.jpg")).size(), FileText(Path("high.jpg")).size());

    TItem &state = *P().CurrentState();
    state.SetDraft(true);
    ASSERT_EQ(state.Draft, 1);
    ExportImage(P(), Path("full.bmp"), cmWhole);
    EXPECT_EQ(state.Draft, 0);
    EXPECT_EQ(state.Dirty, 0);  // rendered again
    EXPECT_EQ(AppParam().MeshCols, 180);

    for (const auto &[buttonIndex, stateIndex] : {std::pair{0, -1}, std::pair{-1, 0}}) {
        P().Select(buttonIndex, stateIndex);
        ExportImage(P(), Path("none.bmp"), cmWhole);
    }
    EXPECT_FALSE(FileExists(Path("none.bmp")));
}

}  // namespace
