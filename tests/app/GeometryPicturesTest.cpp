#include "FloodFill.h"
#include "GeometryPictures.h"
#include "LibraryThumbnails.h"

#include <QCryptographicHash>
#include <gtest/gtest.h>

namespace {

constexpr QRgb Fon = qRgb(192, 192, 192);
constexpr QRgb Black = qRgb(0, 0, 0);

// A picture from rows of characters: '#' black, '.' background, 'o' fill.
QImage Picture(const std::vector<std::string> &rows)
{
    QImage image(int(rows[0].size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const char c = rows[size_t(y)][size_t(x)];
            image.setPixel(x, y, c == '#' ? Black : c == 'o' ? BodyFillColor : Fon);
        }
    return image;
}

// A frame of black from (left, top) to (right, bottom), filled inside.
QImage FilledFrame(QSize size, QRect frame)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Fon);
    for (int y = frame.top(); y <= frame.bottom(); ++y)
        for (int x = frame.left(); x <= frame.right(); ++x) {
            const bool edge = x == frame.left() || x == frame.right() || y == frame.top() || y == frame.bottom();
            image.setPixel(x, y, edge ? Black : BodyFillColor);
        }
    return image;
}

QByteArray Hash(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    return QCryptographicHash::hash(QByteArrayView(rgb.constBits(), rgb.sizeInBytes()), QCryptographicHash::Sha1)
        .toHex()
        .left(16);
}

struct TFillCase {
    const char *Name;
    std::vector<std::string> Before;
    QPoint Start;
    std::vector<std::string> After;
};

}  // namespace

TEST(FloodFill, FillsUpToTheBorderThroughSidesOnly)
{
    const TFillCase cases[] = {
        {"closed box", {"......", ".####.", ".#..#.", ".####."}, {2, 2}, {"......", ".####.", ".#oo#.", ".####."}},
        {"diagonal gap holds", {"....", ".##.", "#..#", ".##."}, {1, 2}, {"....", ".##.", "#oo#", ".##."}},
        {"open box leaks", {"#.##", "#..#", "####"}, {1, 1}, {"#o##", "#oo#", "####"}},
        {"start on border", {"##", ".."}, {0, 0}, {"##", ".."}},
        {"start outside", {".."}, {5, 0}, {".."}},
        {"fill colour already inside", {"#####", "#.o.#", "#####"}, {1, 1}, {"#####", "#ooo#", "#####"}},
    };
    for (const TFillCase &c : cases) {
        QImage image = Picture(c.Before);
        FloodFill(image, c.Start, BodyFillColor, Black);
        EXPECT_EQ(image, Picture(c.After)) << c.Name;
    }
}

// The square outline lands exactly on the frame of the square; the inside
// is filled, the outside keeps the background.
TEST(GeometryPictures, SquareOutlineIsTheFilledFrame)
{
    EXPECT_EQ(ShapePicture(TShapeBlock(), Fon, false), FilledFrame({110, 50}, QRect(QPoint(5, 5), QPoint(105, 45))));
    EXPECT_EQ(ShapeThumbnail(TShapeBlock(), Fon), FilledFrame({100, 40}, QRect(QPoint(2, 2), QPoint(98, 38))));
}

TEST(GeometryPictures, DefaultProfileRisesRoundsOverAndIsMarkedAtTheCentre)
{
    const QImage picture = DeformationPicture(TDeformationBlock(), Fon, false);
    // The side wall rises to tan 36 (row 16), the top is flat from cot 66
    // (x 33 to 77) at row 5; the height mark stands at x = 55.
    const struct {
        int X, Y;
        QRgb Colour;
    } pixels[] = {{5, 30, Black},      {105, 30, Black},   {5, 16, Black},     {5, 10, Fon},
                  {4, 30, Fon},        {6, 30, BodyFillColor}, {104, 30, BodyFillColor},
                  {40, 5, Black},      {70, 5, Black},     {55, 4, Fon},       {55, 30, Black},
                  {54, 30, BodyFillColor}, {56, 30, BodyFillColor}, {30, 45, Black}, {30, 46, Fon}};
    for (const auto &p : pixels)
        EXPECT_EQ(picture.pixel(p.X, p.Y), p.Colour) << p.X << "," << p.Y;
}

// Corners and sector lines: any change in how points are sampled, rounded,
// filled or joined changes these pictures.
TEST(GeometryPictures, PicturesStayPixelForPixel)
{
    TShapeBlock rounded;
    rounded.A0 = -30;
    rounded.A1 = 75;
    rounded.A2 = 105;
    rounded.A3 = 165;
    rounded.A4 = 195;
    rounded.A5 = 255;
    rounded.A6 = 285;
    rounded.A7 = 330;
    TDeformationBlock crater;
    crater.D0 = 12;
    crater.D1 = 45;
    crater.D2 = 60;
    crater.D3 = 81;
    crater.TopHeight = 0.4f;
    crater.ScaleX = 0.5f;
    const struct {
        const char *Name;
        QImage Picture;
        const char *Hash;
    } cases[] = {
        {"rounded shape", ShapePicture(rounded, Fon, false), "a60e7d4525878ed0"},
        {"rounded shape with sectors", ShapePicture(rounded, Fon, true), "fcbb019b75665e7f"},
        {"square with sectors", ShapePicture(TShapeBlock(), Fon, true), "d78cad7774284431"},
        {"default profile with sectors", DeformationPicture(TDeformationBlock(), Fon, true), "3b7c9318ab51010f"},
        {"crater", DeformationPicture(crater, Fon, true), "35a1f0a848bd7247"},
        {"rounded thumbnail", ShapeThumbnail(rounded, Fon), "f1d415e3e9f93a5a"},
        {"crater thumbnail", DeformationThumbnail(crater, Fon), "c62c98093ee64620"},
        {"default profile thumbnail", DeformationThumbnail(TDeformationBlock(), Fon), "67338350442621ba"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Hash(c.Picture), c.Hash) << c.Name;
}

// Angles no editor allows (read from a damaged file) give some picture,
// never a crash or a coordinate conversion out of range.
TEST(GeometryPictures, WildAnglesDrawWithoutFault)
{
    TShapeBlock shape;
    shape.A0 = 2000000000;
    shape.A1 = -2000000000;
    shape.A7 = 90;
    TDeformationBlock deformation;
    deformation.D0 = 90;
    deformation.D3 = -7;
    deformation.TopHeight = 1e30f;
    EXPECT_EQ(ShapePicture(shape, Fon, true).size(), QSize(110, 50));
    EXPECT_EQ(DeformationPicture(deformation, Fon, true).size(), QSize(110, 50));
    EXPECT_EQ(DeformationThumbnail(deformation, Fon).size(), QSize(100, 40));
}

TEST(LibraryThumbnails, TextureShowsItsLowerLeftCornerUpright)
{
    TTextureBlock texture;
    for (int y = 0; y < TextureSide; ++y)
        for (int x = 0; x < TextureSide; ++x) {
            uint8_t *texel = texture.Texels + (y * TextureSide + x) * 3;
            texel[0] = uint8_t(x);
            texel[1] = uint8_t(y);
            texel[2] = 7;
        }
    const QImage thumbnail = TextureThumbnail(texture);
    ASSERT_EQ(thumbnail.size(), QSize(50, 50));
    EXPECT_EQ(thumbnail.pixel(0, 49), qRgb(0, 0, 7));    // texel row 0 at the bottom
    EXPECT_EQ(thumbnail.pixel(49, 0), qRgb(49, 49, 7));  // texel row 49 at the top
    EXPECT_EQ(thumbnail.pixel(10, 20), qRgb(10, 29, 7));
}
