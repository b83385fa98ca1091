#include "GeometryPictures.h"

#include "FloodFill.h"
#include "Outline.h"

#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <optional>

namespace {

constexpr QRgb Ink = qRgb(0, 0, 0);

// Where model coordinates land in a picture: the pixel of the origin and
// the pixels a unit spans across and up (pixel rows grow downwards).
struct TFrame {
    double X0, Y0, SX, SY;
};

// A pixel coordinate rounded half to even; nothing for a value no picture
// could show (a block read from a file may hold any angles).
std::optional<int> PixelOf(double v)
{
    if (!std::isfinite(v) || std::fabs(v) > 1e6)
        return std::nullopt;
    return int(std::nearbyint(v));
}

void AddPixel(QPolygon &points, double x, double y)
{
    const std::optional<int> px = PixelOf(x), py = PixelOf(y);
    if (px && py)
        points << QPoint(*px, *py);
}

// The loop variable is a float and each step is added in extended
// precision, then rounded to a float again.
template <typename Visit>
void ForEachStep(float end, long double step, Visit visit)
{
    for (float v = 0; v < end; v = float(v + step))
        visit(v);
}

QPolygon OutlinePixels(TShapeBlock &shape, const TFrame &f)
{
    QPolygon points;
    ForEachStep(360, 0.1L, [&](float t) {
        const TPoint2 p = GetOutlinePoint(shape, t);
        AddPixel(points, f.X0 + f.SX * p.X, f.Y0 - f.SY * p.Y);
    });
    return points;
}

// The profile on the right and its mirror image on the left.
QPolygon ProfilePixels(TDeformationBlock &deformation, const TFrame &f)
{
    QPolygon points;
    ForEachStep(90, 0.045L, [&](float u) {
        const TPoint2 p = GetProfilePoint(deformation, u);
        AddPixel(points, f.X0 + f.SX * p.X, f.Y0 - f.SY * p.Y);
        AddPixel(points, f.X0 - f.SX * p.X, f.Y0 - f.SY * p.Y);
    });
    return points;
}

QImage Blank(int width, int height, QRgb background)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

// A painter with a one-pixel black pen and no smoothing.
class TInkPainter : public QPainter {
public:
    explicit TInkPainter(QImage &image) : QPainter(&image) { setPen(QPen(QColor(Ink), 0)); }

    void Line(double x0, double y0, double x1, double y1)
    {
        const auto ax = PixelOf(x0), ay = PixelOf(y0), bx = PixelOf(x1), by = PixelOf(y1);
        if (ax && ay && bx && by)
            drawLine(*ax, *ay, *bx, *by);
    }
};

}  // namespace

QImage ShapePicture(TShapeBlock shape, QRgb background, bool sectors)
{
    QImage image = Blank(110, 50, background);
    TInkPainter(image).drawPoints(OutlinePixels(shape, {55, 25, 50, 20}));
    FloodFill(image, {55, 25}, BodyFillColor, Ink);
    if (sectors) {
        PrepareShape(shape);
        const float *d = shape.Derived;  // T0, T7, K1, K2, T3, T4, K5, K6
        TInkPainter ink(image);
        const double ends[8][2] = {{105, 25 - 20.0 * d[0]}, {55 + 50.0 * d[2], 5}, {55 + 50.0 * d[3], 5},
                                   {5, 25 - 20.0 * d[4]},   {5, 25 - 20.0 * d[5]}, {55 + 50.0 * d[6], 45},
                                   {55 + 50.0 * d[7], 45},  {105, 25 - 20.0 * d[1]}};
        for (const auto &end : ends)
            ink.Line(55, 25, end[0], end[1]);
    }
    return image;
}

QImage DeformationPicture(TDeformationBlock deformation, QRgb background, bool sectors)
{
    QImage image = Blank(110, 50, background);
    {
        TInkPainter ink(image);
        ink.drawPoints(ProfilePixels(deformation, {55, 45, 50, 40}));
        ink.Line(5, 45, 105, 45);
    }
    FloodFill(image, {27, 25}, BodyFillColor, Ink);
    TInkPainter ink(image);
    const double top = 45 - 40.0 * deformation.TopHeight;
    ink.Line(55, 45, 55, top);
    if (sectors) {
        PrepareDeformation(deformation);
        const float *d = deformation.Derived;  // P0, Q1, Q2, R3
        ink.Line(55, 45, 105, 45 - 40.0 * d[0]);
        ink.Line(55, 45, 55 + 50.0 * d[1], 5);
        ink.Line(55, 45, 55 + 50.0 * d[2], 5);
        ink.Line(55, 45, 55 + 50.0 * d[3], top);
    }
    return image;
}

QImage ShapeThumbnail(TShapeBlock shape, QRgb background)
{
    QImage image = Blank(100, 40, background);
    TInkPainter(image).drawPoints(OutlinePixels(shape, {50, 20, 48, 18}));
    FloodFill(image, {50, 20}, BodyFillColor, Ink);
    return image;
}

QImage DeformationThumbnail(TDeformationBlock deformation, QRgb background)
{
    QImage image = Blank(100, 40, background);
    {
        TInkPainter ink(image);
        ink.drawPoints(ProfilePixels(deformation, {50, 37, 45, 35}));
        ink.Line(5, 37, 95, 37);
    }
    FloodFill(image, {50, 20}, BodyFillColor, Ink);
    return image;
}
