#include "Mesh.h"
#include "ParamU.h"
#include "SceneU.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

double Rad(double degrees) { return degrees * 0.017453292f; }
double Cot(double degrees) { return 1 / std::tan(Rad(degrees)); }

// A point of a quarter ellipse at arc angle w (degrees) round centre c.
std::pair<double, double> Ellipse(double w, double cx, double ax, double cy, double ay)
{
    return {std::cos(Rad(w)) * ax + cx, std::sin(Rad(w)) * ay + cy};
}

TEST(Outline, PointsOfTheSquareTheRoundedCornerAndTheSeam)
{
    struct TCase {
        std::function<void(TShapeBlock &)> shape;
        float t;
        std::pair<double, double> point;
    };
    const auto plain = [](TShapeBlock &) {};
    const auto rounded = [](TShapeBlock &s) { s.A0 = 30, s.A1 = 60; };
    const auto acrossSeam = [](TShapeBlock &s) { s.A0 = -10, s.A7 = 340; };
    const TCase cases[] = {
        {plain, 0, {1, 0}},
        {plain, 45, {1, 1}},
        {plain, 90, {0, 1}},
        {plain, 180, {-1, 0}},
        {plain, 270, {0, -1}},
        {plain, 360, {1, 0}},  // not reduced: still the right edge
        {plain, 370, {1, std::tan(Rad(10))}},
        // A square corner is walked at the pace of its arc angle (150 half way).
        {plain, 120, {std::cos(Rad(150)), 1}},
        {rounded, 45, Ellipse(45, Cot(60), 1 - Cot(60), std::tan(Rad(30)), 1 - std::tan(Rad(30)))},
        {acrossSeam, 355, Ellipse(float(5.0 * 90 / 100), Cot(90), 1 - Cot(90), std::tan(Rad(-10)), 1 - std::tan(Rad(-10)))}};
    for (const TCase &c : cases) {
        TShapeBlock shape;
        c.shape(shape);
        const TPoint2 p = GetOutlinePoint(shape, c.t);
        EXPECT_NEAR(p.X, c.point.first, 1e-6) << c.t;
        EXPECT_NEAR(p.Y, c.point.second, 1e-6) << c.t;
    }
}

TEST(Profile, PointsOfTheSideTheArcsAndTheTop)
{
    TDeformationBlock plain, upper;
    upper.D2 = 60;
    upper.D3 = 80;
    upper.TopHeight = 0.5f;
    const double q1 = Cot(66), p0 = std::tan(Rad(36)), q2 = Cot(60), r3 = 0.5 * Cot(80);
    const std::tuple<TDeformationBlock *, float, std::pair<double, double>> cases[] = {
        {&plain, 0, {1, 0}},
        {&plain, 36, {1, p0}},
        {&plain, 51, Ellipse(45, q1, 1 - q1, p0, 1 - p0)},  // half way round the lower arc
        {&plain, 66, {q1, 1}},
        {&plain, 90, {0, 1}},
        {&upper, 70, Ellipse(135, q2, q2 - r3, 0.5, 0.5)},  // the upper arc's own half-axis
        {&upper, 85, {Cot(85) * 0.5, 0.5}}};
    for (const auto &[deformation, u, point] : cases) {
        const TPoint2 p = GetProfilePoint(*deformation, u);
        EXPECT_NEAR(p.X, point.first, 1e-6) << u;
        EXPECT_NEAR(p.Y, point.second, 1e-6) << u;
    }
}

// The derived values stored with a block are a cache, recomputed every time.
TEST(Outline, StaleDerivedValuesAreNeverTrusted)
{
    TShapeBlock shape;
    for (float &d : shape.Derived)
        d = 1234.0f;
    EXPECT_NEAR(GetOutlinePoint(shape, 10).Y, std::tan(Rad(10)), 1e-6);
    const float expected[] = {1, -1, 0, 0, 1, -1, 0, 0};  // tan 45, tan 315, cot 90, ...
    for (int i = 0; i < 8; ++i)
        EXPECT_NEAR(shape.Derived[i], expected[i], 1e-6) << i;
    TDeformationBlock def;
    def.Derived[0] = 99;
    GetProfilePoint(def, 10);
    EXPECT_FLOAT_EQ(def.Derived[0], float(std::tan(Rad(36))));
}

// Keeps the process-wide mesh size as the tests found it.
class MeshBuild : public ::testing::Test {
protected:
    void TearDown() override { AppParam() = TParam(); }
    void Build(int cols, int rows)
    {
        AppParam().MeshCols = cols;
        AppParam().MeshRows = rows;
        item.ButtonItem.BuildMesh();
    }
    static const TVector3 &At(const std::array<TVector3, MeshCapacity> &a, int r, int i)
    {
        return a[size_t(r) * MeshRingStride + size_t(i)];
    }
    TItem item{nullptr};
};

double Length(const TVector3 &v) { return std::sqrt(double(v.X) * v.X + double(v.Y) * v.Y + double(v.Z) * v.Z); }

TEST_F(MeshBuild, RingsFollowOutlineAndProfileWithOutwardUnitNormals)
{
    item.ButtonItem.Shape.A0 = 30;
    item.ButtonItem.Shape.A1 = 60;
    Build(180, 90);
    EXPECT_EQ(BuiltMeshSize(), (TMeshSize{180, 90}));
    // Ring 0 is the outline every 2 degrees, a side ring rises straight up,
    // the top ring has shrunk to the centre at height 1.
    const TPoint2 outline = GetOutlinePoint(item.ButtonItem.Shape, 40);
    EXPECT_EQ(At(MeshVertices, 0, 20).X, outline.X);
    EXPECT_EQ(At(MeshVertices, 0, 20).Y, outline.Y);
    EXPECT_EQ(At(MeshVertices, 0, 20).Z, 0.0f);
    EXPECT_EQ(At(MeshVertices, 10, 20).X, outline.X);
    EXPECT_GT(At(MeshVertices, 10, 20).Z, 0.0f);
    EXPECT_NEAR(At(MeshVertices, 89, 0).X, 0, 1e-6);
    EXPECT_FLOAT_EQ(At(MeshVertices, 89, 0).Z, 1.0f);
    EXPECT_FLOAT_EQ(MeshTexCoords[0].X, 1.0f);
    EXPECT_FLOAT_EQ(MeshTexCoords[0].Y, 0.5f);
    for (int r = 0; r < 90; ++r)
        for (int i = 0; i < 180; ++i) {
            const TVector3 &n = At(MeshNormals, r, i), &v = At(MeshVertices, r, i);
            ASSERT_NEAR(Length(n), 1.0, 1e-6) << r << "," << i;
            if (r < 89) {  // the collapsed centre lies a hair past the axis
                ASSERT_GE(double(n.X) * v.X + double(n.Y) * v.Y + double(n.Z) * v.Z, 0) << r << "," << i;
            }
        }
    EXPECT_NEAR(At(MeshNormals, 5, 0).X, 1, 1e-6);  // the side wall at the right edge
}

TEST_F(MeshBuild, TheLastPointOfARingTakesTheTrianglesThatWrap)
{
    // Four points make a diamond; its last point (0, -1) lies between the
    // faces towards (-1, 0) and, across the wrap, towards (1, 0).
    Build(4, 30);
    EXPECT_NEAR(At(MeshNormals, 5, 3).X, 0, 1e-6);
    EXPECT_LT(At(MeshNormals, 5, 3).Y, -0.5f);
}

TEST_F(MeshBuild, SizesAreKeptWithinTheArraysAndOneRingHasNoNormals)
{
    const std::pair<std::pair<int, int>, TMeshSize> sizes[] = {
        {{100000, -5}, {360, 1}}, {{0, 100000}, {1, 180}}, {{360, 180}, {360, 180}}, {{50, 1}, {50, 1}}};
    for (const auto &[asked, used] : sizes) {
        Build(asked.first, asked.second);
        EXPECT_EQ(BuiltMeshSize(), used);
    }
    EXPECT_EQ(At(MeshVertices, 0, 0).X, 1.0f);
    EXPECT_EQ(Length(At(MeshNormals, 0, 0)), 0.0);
    TVector3 n;
    const TVector3 a = MakeVector3(1, 2, 3);
    EXPECT_FALSE(FaceNormal(a, a, MakeVector3(4, 5, 6), n));  // a degenerate triangle
}

}  // namespace
