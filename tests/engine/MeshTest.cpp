// The body's outline and profile show in every fingerprinted render
// (OutputBytesTest: the square, rounded corners, a raised and scaled top);
// here the points no render of those reaches: the 0/360 seam, and mesh
// sizes asked beyond the arrays at either end.
#include "Mesh.h"
#include "ParamU.h"
#include "SceneU.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

double Rad(double degrees) { return degrees * 0.017453292f; }

TEST(Outline, PointsAtTheSeam)
{
    TShapeBlock square, acrossSeam;
    acrossSeam.A0 = -10;
    acrossSeam.A7 = 340;
    // Corner 1 reaches back over the seam: arc angle (355 + 10 - 360) x 90 / (A1 + 10).
    const double w = Rad(float(5.0 * 90 / 100)), t0 = std::tan(Rad(-10));
    const std::tuple<TShapeBlock *, float, double, double> cases[] = {
        {&square, 0, 1, 0},
        {&square, 360, 1, 0},  // not reduced: still the right edge
        {&square, 370, 1, std::tan(Rad(10))},
        {&square, 350, 1, std::tan(Rad(350))},
        {&acrossSeam, 355, std::cos(w) * (1 - 1 / std::tan(Rad(90))) + 1 / std::tan(Rad(90)), std::sin(w) * (1 - t0) + t0}};
    for (const auto &[shape, t, x, y] : cases) {
        const TPoint2 p = GetOutlinePoint(*shape, t);
        EXPECT_NEAR(p.X, x, 1e-6) << t;
        EXPECT_NEAR(p.Y, y, 1e-6) << t;
    }
}

// Every ring keeps at least one point and the mesh at least one ring,
// however few are asked for; none goes past the arrays.
TEST(Mesh, SizesAreKeptWithinTheArraysAndAtLeastOne)
{
    const std::pair<TMeshSize, TMeshSize> sizes[] = {
        {{100000, -5}, {360, 1}}, {{0, 100000}, {1, 180}}, {{-1, 0}, {1, 1}}, {{360, 180}, {360, 180}}, {{50, 1}, {50, 1}}};
    const TParam settings = AppParam();
    for (const auto &[asked, used] : sizes) {
        AppParam().MeshCols = asked.Cols;
        AppParam().MeshRows = asked.Rows;
        EXPECT_EQ(CurrentMeshSize(), used) << asked.Cols << " x " << asked.Rows;
    }
    AppParam() = settings;
}

}  // namespace
