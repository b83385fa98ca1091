#include "Mesh.h"

#include "ButtonItem.h"
#include "ParamU.h"

#include <algorithm>
#include <cstring>

std::array<TVector3, MeshCapacity> MeshVertices;
std::array<TVector3, MeshCapacity> MeshNormals;
std::array<TPoint2, MeshCapacity> MeshTexCoords;

namespace {

TMeshSize builtSize;
TMeshKey builtKey{};
unsigned generation = 0;

TVector3 &Vertex(int ring, int point)
{
    return MeshVertices[size_t(ring) * MeshRingStride + size_t(point)];
}

TVector3 &Normal(int ring, int point)
{
    return MeshNormals[size_t(ring) * MeshRingStride + size_t(point)];
}

void AddFaceNormal(const TVector3 &a, const TVector3 &b, const TVector3 &c, TVector3 &na, TVector3 &nb,
                   TVector3 &nc)
{
    TVector3 n;
    if (!FaceNormal(a, b, c, n))
        return;  // a degenerate triangle has no direction to give
    AddVector(na, n);
    AddVector(nb, n);
    AddVector(nc, n);
}

void FillTexCoords(const TMeshSize &size)
{
    for (int r = 0; r < size.Rows; ++r)
        for (int i = 0; i < size.Cols; ++i) {
            const TVector3 &v = Vertex(r, i);
            MeshTexCoords[size_t(r) * MeshRingStride + size_t(i)] =
                TPoint2{float((double(v.X) + 1) / 2), float((double(v.Y) + 1) / 2)};
        }
}

}  // namespace

uint32_t FloatBits(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

TMeshSize CurrentMeshSize()
{
    const TParam &param = AppParam();
    return {std::clamp(param.MeshCols, 1, MeshMaxCols), std::clamp(param.MeshRows, 1, MeshMaxRows)};
}

TMeshSize BuiltMeshSize()
{
    return builtSize;
}

unsigned MeshGeneration()
{
    return generation;
}

bool TMeshKey::operator==(const TMeshKey &other) const
{
    return std::memcmp(this, &other, sizeof *this) == 0;
}

TMeshKey MeshKeyOf(const TShapeBlock &shape, const TDeformationBlock &deformation, const TMeshSize &size)
{
    return {{shape.A0, shape.A1, shape.A2, shape.A3, shape.A4, shape.A5, shape.A6, shape.A7},
            {deformation.D0, deformation.D1, deformation.D2, deformation.D3},
            FloatBits(deformation.TopHeight),
            FloatBits(deformation.ScaleX),
            FloatBits(deformation.ScaleY),
            size.Cols,
            size.Rows};
}

TMeshKey BuiltMeshKey()
{
    return builtKey;
}

// Ring 0 is the outline itself; ring r is the outline scaled towards
// (ScaleX, ScaleY) by the profile's horizontal scale and raised to its
// height. The profile depends only on the ring, so it is evaluated once per
// ring, and the outline once per point of ring 0.
void TButtonItem::BuildMesh()
{
    const TMeshSize size = CurrentMeshSize();
    const int n = size.Cols, m = size.Rows;

    const float step = float(360.0L / n);
    float t = 0.0f;
    for (int i = 0; i < n; ++i) {
        const TPoint2 p = GetOutlinePoint(Shape, t);
        Vertex(0, i) = MakeVector3(p.X, p.Y, 0.0f);
        t = float(t + step);
    }

    const long double sx = Deformation.ScaleX, sy = Deformation.ScaleY;
    const long double cx = float(1 - sx), cy = float(1 - sy);
    if (m > 1) {
        const float ustep = float(90.0L / (m - 1));
        float u = ustep;
        for (int r = 1; r < m; ++r) {
            const TPoint2 profile = GetProfilePoint(Deformation, u);
            const long double a = profile.X;
            for (int i = 0; i < n; ++i) {
                const TVector3 &base = Vertex(0, i);
                Vertex(r, i) = MakeVector3(float((a * cx + sx) * base.X), float((a * cy + sy) * base.Y), profile.Y);
            }
            u = float(u + ustep);
        }
    }
    builtSize = size;
    builtKey = MeshKeyOf(Shape, Deformation, size);
    FillTexCoords(size);
    BuildNormals();
}

// Each face normal is normalised before it is summed, so every triangle
// round a point weighs the same whatever its area.
void TButtonItem::BuildNormals()
{
    const TMeshSize size = CurrentMeshSize();
    const int n = size.Cols, m = size.Rows;
    // Only the rings in use are summed into, uploaded and drawn.
    std::fill_n(MeshNormals.begin(), size_t(m) * MeshRingStride, TVector3{});
    for (int r = 0; r + 1 < m; ++r)
        for (int j = 0; j < n; ++j) {
            const int k = j + 1 == n ? 0 : j + 1;
            AddFaceNormal(Vertex(r, j), Vertex(r, k), Vertex(r + 1, j), Normal(r, j), Normal(r, k),
                          Normal(r + 1, j));
            AddFaceNormal(Vertex(r + 1, k), Vertex(r + 1, j), Vertex(r, k), Normal(r + 1, k), Normal(r, k),
                          Normal(r + 1, j));
        }
    for (int r = 0; r < m; ++r)
        for (int i = 0; i < n; ++i)
            NormalizeVector(Normal(r, i));
    ++generation;
}
