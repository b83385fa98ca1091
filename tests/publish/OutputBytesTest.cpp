// The exact bytes of what a user gets out of the program: the rendered
// image, the exported files, an image set and the colour reductions, for a
// varied set of states. Recorded once from a known-good build, so that work
// on the renderer, the resampler, the mesh, the reduction or the encoder
// that moves a single byte fails here.
#include "ColorReduction.h"
#include "Digest.h"
#include "ExportU.h"
#include "ImageSets.h"
#include "ParamU.h"
#include "ProjectFixture.h"

#include <QDir>
#include <QFile>
#include <functional>

namespace {

std::string FileDigest(const std::string &fileName)
{
    QFile file(QtFilePath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return "missing";
    return Digest(file.readAll());
}

// The state's image in the render buffer with its alpha bytes: everything
// that exports and template thumbnails read.
std::string RenderDigest(const TItem &state)
{
    QByteArray block;
    for (int row = 0; row < state.ImageHeight(); ++row)
        block.append(reinterpret_cast<const char *>(RenderBuffer().Pixel(0, row)), state.ImageWidth() * 4);
    return Digest(block);
}

void Resize(TItem &state, int width, int height)
{
    state.Width = width;
    state.Height = height;
}

void RoundedShape(TItem &state)
{
    state.ButtonItem.Shape = {30, 330, 60, 120, 150, 210, 240, 300, {}};
    state.ButtonItem.Deformation = {20, 50, 70, 85, 0.6f, {}, 0.3f, 0.2f};
}

void Shadow(TItem &state, float dx, float dy, TColor color)
{
    state.ButtonItem.Shadow.Enabled = 1;
    state.ButtonItem.Shadow.DX = dx;
    state.ButtonItem.Shadow.DY = dy;
    state.ButtonItem.Shadow.Color = color;
}

void StripedTexture(TItem &state)
{
    state.ButtonItem.Texture.Enabled = 1;
    for (int i = 0; i < TextureBytes; ++i)
        state.ButtonItem.Texture.Texels[i] = uint8_t((i / 3) % 64 < 32 ? 40 + i % 200 : 230 - i % 90);
}

struct TStateCase {
    const char *name;
    std::function<void(TItem &)> setUp;
    const char *render, *gif, *bmp, *jpg;
};

const TStateCase kStateCases[] = {
    {"default", [](TItem &) {},
     "ba99d0b0a8cd369e", "6daf9a9ced39a246", "d064c2c6ced043d6", "cf35f03dd92f78dd"},
    {"shadows", [](TItem &s) { Shadow(s, 0.1f, 0.1f, 0x404040); s.TextItem.TextShadow = 1; },
     "bc3f4bc4e584439c", "b3acedb33f9a7f18", "2ad0768fb4cf0fc3", "8b2a2d52758e9fe2"},
    {"large with shadow left and up",
     [](TItem &s) { Resize(s, 250, 250); Shadow(s, -0.2f, 0.15f, 0x203040); s.TextItem.Size = 20; },
     "a582fd4a0f16b7ba", "5606396aaaea140f", "e9db6737743515ff", "3db8374e9ef8770c"},
    {"large without antialiasing", [](TItem &s) { Resize(s, 250, 250); s.Antialias = 0; },
     "d4c41013f97c535e", "e798222d89da2dae", "ce39bc1e32c4d0b5", "a6807f0b4a876ad7"},
    {"rounded, odd size, hard caption",
     [](TItem &s) {
         Resize(s, 37, 91);
         RoundedShape(s);
         s.TextItem.Smooth = 0;
         s.TextItem.HAlign = 1;
         s.TextItem.Text = "Go";
     },
     "2a776b7747768ac6", "6af9c3abe2512ecb", "b407f68985ee3efb", "c20f5af4d7fbba00"},
    {"one pixel", [](TItem &s) { Resize(s, 1, 1); },
     "424ee4a3030122d2", "64f47df98e09eba9", "fab0827faa8445d7", "b196416904f8913f"},
    {"textured strip",
     [](TItem &s) {
         Resize(s, 250, 40);
         StripedTexture(s);
         s.ButtonItem.Material.Shininess = 10;
         s.ButtonItem.Material.Emission = {0.1f, 0.0f, 0.2f, 1.0f};
     },
     "2efca7c7d5c9d7d0", "718b3718a8663cb5", "2c9a355a6a4a00fc", "0966ee9b1296c645"},
    {"draft with shadow",
     [](TItem &s) {
         Resize(s, 120, 50);
         Shadow(s, 0.2f, -0.1f, 0x000080);
         s.TextItem.TextShadow = 1;
         s.SetDraft(true);
     },
     "9cd714923c3b527d", "1ee99b922869f3c6", "b2bdcdbcbc7fd4c6", "6020e3ed81b88874"},
    {"thin strip", [](TItem &s) { Resize(s, 249, 3); },
     "7f5411f4de1cf931", "6dafb3190c029f4a", "47f77bbddc5a97db", "512322f82d033772"},
    {"dark, lit from the left, hard caption with shadow",
     [](TItem &s) {
         Resize(s, 180, 180);
         s.Background = {0.1f, 0.2f, 0.3f, 1.0f};
         s.Lights[1].Enabled = 1;
         s.Lights[1].Position = {-15.0f, 5.0f, 8.0f, 1.0f};
         s.Lights[1].Diffuse = {0.9f, 0.3f, 0.2f, 1.0f};
         s.TextItem.Smooth = 0;
         s.TextItem.TextShadow = 1;
         s.TextItem.VAlign = 2;
         s.TextItem.Text = "Contact us";
     },
     "1978843d925cdd80", "9a40efdd8d5f0f01", "181aa827961de3ee", "309ca2a978cb6b89"},
    {"tall rounded with shadow right and down",
     [](TItem &s) {
         Resize(s, 64, 250);
         RoundedShape(s);
         Shadow(s, 0.3f, -0.3f, 0x808080);
     },
     "06919d8619c1c144", "29a7e06bc59d912c", "2cbe71e86ce8ebe4", "db08d364b3f94c68"},
};

class OutputBytesTest : public ProjectTest {
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        saved = AppParam();
        AppParam().UseAccelerator = false;
        AppParam().UsePreview = true;
        AppParam().BmpPixelFormat = 6;
        AppParam().JpgCompressionQuality = 90;
        P().NewProject();
    }
    void TearDown() override
    {
        AppParam() = saved;
        ProjectTest::TearDown();
    }

    std::string Export(const char *extension)
    {
        const std::string file = FilePathBytes(FDir.path()) + "/state" + extension;
        ExportImage(P(), file, cmWhole);
        return FileDigest(file);
    }

    TParam saved;
};

TEST_F(OutputBytesTest, RendersAndExportsOfVariedStatesKeepTheirBytes)
{
    for (const TStateCase &c : kStateCases) {
        SCOPED_TRACE(c.name);
        P().AddButton("Button");
        P().Select(P().ButtonCount() - 1, stNormal);
        TItem &state = *P().CurrentState();
        c.setUp(state);
        state.Dirty = 1;
        P().RenderCurrent();
        EXPECT_EQ(RenderDigest(state), c.render);
        EXPECT_EQ(Export(".gif"), c.gif);
        EXPECT_EQ(Export(".bmp"), c.bmp);
        EXPECT_EQ(Export(".jpg"), c.jpg);
    }
}

// Buttons whose states share their geometry, differ only in size, or differ
// in shape, exported one after another: the shared mesh must always be the
// one of the state being drawn.
TEST_F(OutputBytesTest, ImageSetKeepsItsBytes)
{
    for (int i = 0; i < 6; ++i)
        P().AddButton("Item " + std::to_string(i));
    for (TItem &state : P().Buttons[2]->States)
        state.ButtonItem.Deformation = P().Buttons[2]->States[0].ButtonItem.Deformation;
    for (TItem &state : P().Buttons[3]->States)
        Resize(state, 140, 44);
    RoundedShape(P().Buttons[4]->States[1]);
    P().Buttons[5]->States[0].SetDraft(true);
    Shadow(P().Buttons[5]->States[2], 0.1f, 0.1f, 0x303030);
    P().Select(1, 1);
    AppParam().BatchExp = 0;
    const std::string folder = FilePathBytes(FDir.path()) + "/set/";
    CreateFolder(folder);
    BatchExportImages(P(), folder);

    QByteArray all;
    for (const QString &name : QDir(QtFilePath(folder)).entryList(QDir::Files, QDir::Name)) {
        QFile file(QDir(QtFilePath(folder)).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        all += name.toUtf8() + file.readAll();
    }
    EXPECT_EQ(QDir(QtFilePath(folder)).entryList(QDir::Files).size(), 18);
    EXPECT_EQ(Digest(all), "06115620211e3620");
    EXPECT_EQ(RenderDigest(*P().CurrentState()), "f98ed9f1d6f0b676");
}

// A shaded picture of few colours and one of many (more than the popularity
// table holds, so its masks widen), through every method.
TEST(OutputBytes, ColourReductionsKeepTheirBytes)
{
    QImage few(61, 23, QImage::Format_RGB888), many(200, 150, QImage::Format_RGB888);
    for (int y = 0; y < few.height(); ++y)
        for (int x = 0; x < few.width(); ++x)
            few.setPixel(x, y, qRgb((x / 8) * 30, (y / 4) * 40, ((x + y) % 5) * 60));
    for (int y = 0; y < many.height(); ++y)
        for (int x = 0; x < many.width(); ++x)
            many.setPixel(x, y, qRgb((x * 7 + y) % 256, (y * 5 + x / 3) % 256, (x * y) % 256));
    const char *expected[2][6] = {
        {"9827b1b6b10f69d7", "9c72ba652b567704", "b7c6b7ca31e8a22f",
         "0bf161257e3996a3", "1b87776b4114e2ff", "007aa35726e77fa7"},
        {"cd34ef38de802dc4", "210716c802980988", "9436e383d9eed2e9",
         "c3df8f416fba1e3c", "58ccafa274df8b86", "89acc6fc9e27fdfd"}};
    const QImage *pictures[2] = {&few, &many};
    for (int p = 0; p < 2; ++p)
        for (int m = 0; m < 6; ++m) {
            SCOPED_TRACE("picture " + std::to_string(p) + ", method " + std::to_string(m));
            const std::vector<uint8_t> bmp =
                BitmapToReducedStream(*pictures[p], TPixelFormat::pf8bit, TReductionMethod(m));
            EXPECT_EQ(Digest(QByteArray(reinterpret_cast<const char *>(bmp.data()), qsizetype(bmp.size()))),
                      expected[p][m]);
        }
}

}  // namespace
