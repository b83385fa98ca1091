#include "Mesh.h"
#include "ParamU.h"
#include "SceneU.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr float Near = 1e-6f;

double Rad(double degrees)
{
    return degrees * 0.017453292f;
}

void ExpectPoint(TPoint2 p, double x, double y, double tolerance = Near)
{
    EXPECT_NEAR(p.X, x, tolerance);
    EXPECT_NEAR(p.Y, y, tolerance);
}

TEST(Outline, DefaultShapeIsTheSquare)
{
    TShapeBlock shape;
    ExpectPoint(GetOutlinePoint(shape, 0), 1, 0);
    ExpectPoint(GetOutlinePoint(shape, 45), 1, 1);
    const TPoint2 top = GetOutlinePoint(shape, 90);
    EXPECT_EQ(top.Y, 1.0f);
    EXPECT_NEAR(top.X, 0, Near);
    EXPECT_EQ(GetOutlinePoint(shape, 180).X, -1.0f);
    EXPECT_NEAR(GetOutlinePoint(shape, 180).Y, 0, Near);
    const TPoint2 bottom = GetOutlinePoint(shape, 270);
    EXPECT_EQ(bottom.Y, -1.0f);
    EXPECT_NEAR(bottom.X, 0, Near);
    // A square corner is a straight piece of the edge, walked at the pace of
    // its arc angle (150 degrees half way from 90 to 135).
    ExpectPoint(GetOutlinePoint(shape, 120), std::cos(Rad(150)), 1);
}

TEST(Outline, DerivedValuesAreRecomputedFromTheAngles)
{
    TShapeBlock shape;
    for (float &d : shape.Derived)
        d = 1234.0f;  // a stale cache read from a file
    GetOutlinePoint(shape, 10);
    EXPECT_FLOAT_EQ(shape.Derived[0], 1.0f);   // tan 45
    EXPECT_FLOAT_EQ(shape.Derived[1], -1.0f);  // tan 315
    EXPECT_NEAR(shape.Derived[2], 0, Near);    // cot 90
    EXPECT_FLOAT_EQ(shape.Derived[4], 1.0f);   // tan(180 - 135)
    ExpectPoint(GetOutlinePoint(shape, 10), 1, std::tan(Rad(10)));

    TDeformationBlock def;
    def.Derived[0] = 99;
    GetProfilePoint(def, 10);
    EXPECT_FLOAT_EQ(def.Derived[0], float(std::tan(Rad(36))));
    EXPECT_FLOAT_EQ(def.Derived[1], float(1 / std::tan(Rad(66))));
}

TEST(Outline, AnglesAtTheSeam)
{
    TShapeBlock shape;
    ExpectPoint(GetOutlinePoint(shape, 360), 1, 0);  // not reduced, still the right edge
    const TPoint2 reduced = GetOutlinePoint(shape, 370);
    const TPoint2 ten = GetOutlinePoint(shape, 10);
    EXPECT_EQ(reduced.X, ten.X);
    EXPECT_EQ(reduced.Y, ten.Y);
}

TEST(Outline, RoundedCornerIsAQuarterEllipse)
{
    TShapeBlock shape;
    shape.A0 = 30;
    shape.A1 = 60;
    const double k1 = 1 / std::tan(Rad(60)), t0 = std::tan(Rad(30));
    const double w = Rad(45);
    ExpectPoint(GetOutlinePoint(shape, 45), std::cos(w) * (1 - k1) + k1, std::sin(w) * (1 - t0) + t0);
}

TEST(Outline, CornerAcrossTheSeam)
{
    TShapeBlock shape;
    shape.A0 = -10;
    shape.A7 = 340;
    const double w = Rad(float((355.0 + 10 - 360) * 90 / (shape.A1 + 10)));
    const double k1 = 1 / std::tan(Rad(90)), t0 = std::tan(Rad(-10));
    ExpectPoint(GetOutlinePoint(shape, 355), std::cos(w) * (1 - k1) + k1, std::sin(w) * (1 - t0) + t0);
}

TEST(Outline, DegenerateAnglesGiveFinitePoints)
{
    TShapeBlock zero;
    for (int32_t *a : {&zero.A0, &zero.A1, &zero.A2, &zero.A3, &zero.A4, &zero.A5, &zero.A6, &zero.A7})
        *a = 0;
    TShapeBlock extreme;
    extreme.A0 = std::numeric_limits<int32_t>::max();
    extreme.A1 = std::numeric_limits<int32_t>::min();
    extreme.A6 = std::numeric_limits<int32_t>::min();
    extreme.A7 = std::numeric_limits<int32_t>::max();
    for (TShapeBlock *shape : {&zero, &extreme})
        for (float t : {0.0f, 0.5f, 90.0f, 200.0f, 359.0f, 360.0f}) {
            const TPoint2 p = GetOutlinePoint(*shape, t);
            EXPECT_TRUE(std::isfinite(p.X) && std::isfinite(p.Y)) << t;
        }
}

TEST(Profile, DefaultProfile)
{
    TDeformationBlock def;
    ExpectPoint(GetProfilePoint(def, 0), 1, 0);
    ExpectPoint(GetProfilePoint(def, 36), 1, std::tan(Rad(36)));
    ExpectPoint(GetProfilePoint(def, 90), 0, 1);
    ExpectPoint(GetProfilePoint(def, 66), 1 / std::tan(Rad(66)), 1);
    // Half way round the lower arc.
    const double q1 = 1 / std::tan(Rad(66)), p0 = std::tan(Rad(36));
    ExpectPoint(GetProfilePoint(def, 51), std::cos(Rad(45)) * (1 - q1) + q1, std::sin(Rad(45)) * (1 - p0) + p0);
}

TEST(Profile, UpperArcUsesItsOwnHalfAxis)
{
    TDeformationBlock def;
    def.D2 = 60;
    def.D3 = 80;
    def.TopHeight = 0.5f;
    const double q2 = 1 / std::tan(Rad(60)), r3 = 0.5 / std::tan(Rad(80));
    ExpectPoint(GetProfilePoint(def, 70), std::cos(Rad(135)) * (q2 - r3) + q2, std::sin(Rad(135)) * 0.5 + 0.5);
    ExpectPoint(GetProfilePoint(def, 85), 1 / std::tan(Rad(85)) * 0.5, 0.5);
}

// Keeps the process-wide mesh size as the tests found it.
class MeshBuild : public ::testing::Test {
protected:
    void SetUp() override { saved = AppParam(); }
    void TearDown() override { AppParam() = saved; }
    void UseMeshSize(int cols, int rows)
    {
        AppParam().MeshCols = cols;
        AppParam().MeshRows = rows;
    }
    static const TVector3 &At(const std::array<TVector3, MeshCapacity> &a, int r, int i)
    {
        return a[size_t(r) * MeshRingStride + size_t(i)];
    }
    TParam saved;
    TItem item{nullptr};
};

double Length(const TVector3 &v)
{
    return std::sqrt(double(v.X) * v.X + double(v.Y) * v.Y + double(v.Z) * v.Z);
}

TEST_F(MeshBuild, RingsFollowOutlineAndProfile)
{
    UseMeshSize(180, 90);
    item.ButtonItem.BuildMesh();
    EXPECT_EQ(BuiltMeshSize(), (TMeshSize{180, 90}));
    // Ring 0 is the outline sampled every 2 degrees.
    const TVector3 &first = At(MeshVertices, 0, 0);
    EXPECT_EQ(first.X, 1.0f);
    EXPECT_EQ(first.Z, 0.0f);
    const TVector3 &corner = At(MeshVertices, 0, 45);  // 90 degrees: top edge
    EXPECT_NEAR(corner.X, 0, Near);
    EXPECT_EQ(corner.Y, 1.0f);
    // The top ring sits at height 1 and has shrunk to the centre.
    const TVector3 &top = At(MeshVertices, 89, 0);
    EXPECT_NEAR(top.X, 0, Near);
    EXPECT_FLOAT_EQ(top.Z, 1.0f);
    // A side ring keeps the outline and rises straight up.
    const TVector3 &side = At(MeshVertices, 10, 20);
    EXPECT_EQ(side.X, At(MeshVertices, 0, 20).X);
    EXPECT_EQ(side.Y, At(MeshVertices, 0, 20).Y);
    EXPECT_GT(side.Z, 0.0f);
    EXPECT_FLOAT_EQ(MeshTexCoords[0].X, 1.0f);
    EXPECT_FLOAT_EQ(MeshTexCoords[0].Y, 0.5f);
}

TEST_F(MeshBuild, NormalsAreUnitAndPointOutwards)
{
    UseMeshSize(180, 90);
    item.ButtonItem.Shape.A0 = 30;
    item.ButtonItem.Shape.A1 = 60;
    item.ButtonItem.BuildMesh();
    for (int r = 0; r < 90; ++r)
        for (int i = 0; i < 180; ++i) {
            const TVector3 &n = At(MeshNormals, r, i);
            ASSERT_NEAR(Length(n), 1.0, 1e-6) << r << "," << i;
            if (r == 89)
                continue;  // the collapsed centre: its ring lies a hair past the axis
            const TVector3 &v = At(MeshVertices, r, i);
            ASSERT_GE(double(n.X) * v.X + double(n.Y) * v.Y + double(n.Z) * v.Z, 0) << r << "," << i;
        }
    // The side wall's normal at the right edge points along +x.
    EXPECT_NEAR(At(MeshNormals, 5, 0).X, 1, 1e-6);
}

TEST_F(MeshBuild, LastPointOfARingIncludesTheTrianglesThatWrap)
{
    // Four points make a diamond; its last point (0, -1) lies between the
    // faces towards (-1, 0) and, across the wrap, towards (1, 0).
    UseMeshSize(4, 30);
    item.ButtonItem.BuildMesh();
    const TVector3 &last = At(MeshNormals, 5, 3);
    EXPECT_NEAR(last.X, 0, 1e-6);
    EXPECT_LT(last.Y, -0.5f);
}

TEST_F(MeshBuild, SingleRingDrawsNothingAndHasNoNormals)
{
    UseMeshSize(50, 1);
    item.ButtonItem.BuildMesh();
    EXPECT_EQ(BuiltMeshSize(), (TMeshSize{50, 1}));
    EXPECT_EQ(At(MeshVertices, 0, 0).X, 1.0f);
    EXPECT_EQ(Length(At(MeshNormals, 0, 0)), 0.0);
}

TEST_F(MeshBuild, AbsurdMeshSizesAreKeptWithinTheArrays)
{
    UseMeshSize(100000, -5);
    EXPECT_EQ(CurrentMeshSize(), (TMeshSize{360, 1}));
    UseMeshSize(0, 100000);
    EXPECT_EQ(CurrentMeshSize(), (TMeshSize{1, 180}));
    item.ButtonItem.BuildMesh();
    UseMeshSize(360, 180);
    item.ButtonItem.BuildMesh();
    EXPECT_EQ(BuiltMeshSize(), (TMeshSize{360, 180}));
}

TEST_F(MeshBuild, BadBlocksNeverGiveNaNNormals)
{
    UseMeshSize(50, 30);
    TDeformationBlock &def = item.ButtonItem.Deformation;
    def.ScaleX = std::numeric_limits<float>::quiet_NaN();
    def.TopHeight = std::numeric_limits<float>::infinity();
    def.D0 = def.D1 = def.D2 = def.D3 = 0;
    item.ButtonItem.Shape.A1 = item.ButtonItem.Shape.A0;
    item.ButtonItem.BuildMesh();
    for (int r = 0; r < 30; ++r)
        for (int i = 0; i < 50; ++i) {
            const TVector3 &n = At(MeshNormals, r, i);
            ASSERT_FALSE(std::isnan(n.X) || std::isnan(n.Y) || std::isnan(n.Z)) << r << "," << i;
        }
}

TEST(Vector3, FaceNormalOfADegenerateTriangleIsRefused)
{
    TVector3 n;
    const TVector3 a = MakeVector3(1, 2, 3);
    EXPECT_FALSE(FaceNormal(a, a, MakeVector3(4, 5, 6), n));
    EXPECT_TRUE(FaceNormal(MakeVector3(0, 0, 0), MakeVector3(2, 0, 0), MakeVector3(0, 3, 0), n));
    EXPECT_EQ(n.X, 0.0f);
    EXPECT_EQ(n.Y, 0.0f);
    EXPECT_EQ(n.Z, 1.0f);
}

}  // namespace
