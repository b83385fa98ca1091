// Small vector helpers of the mesh builder, in the precision the mesh keeps:
// every component a float.
#pragma once

struct TVector3 {
    float X = 0.0f;
    float Y = 0.0f;
    float Z = 0.0f;
};

inline TVector3 MakeVector3(float x, float y, float z)
{
    return {x, y, z};
}

inline TVector3 operator-(const TVector3 &a, const TVector3 &b)
{
    return {a.X - b.X, a.Y - b.Y, a.Z - b.Z};
}

// Component-wise sum into the first vector.
inline void AddVector(TVector3 &sum, const TVector3 &v)
{
    sum.X += v.X;
    sum.Y += v.Y;
    sum.Z += v.Z;
}

// Divides by the length. A vector of zero (or not finite) length has no
// direction: it is left alone and the call says so.
bool NormalizeVector(TVector3 &v);

// The unit normal of the triangle (a, b, c): (b - a) x (c - a), normalised.
// False for a degenerate triangle, whose normal is then meaningless.
bool FaceNormal(const TVector3 &a, const TVector3 &b, const TVector3 &c, TVector3 &normal);
