#include "Vector3.h"

#include <cmath>

bool NormalizeVector(TVector3 &v)
{
    const double x = v.X, y = v.Y, z = v.Z;
    const float length = float(std::sqrt(x * x + y * y + z * z));
    if (!(length > 0.0f) || !std::isfinite(length))
        return false;
    v.X /= length;
    v.Y /= length;
    v.Z /= length;
    return true;
}

bool FaceNormal(const TVector3 &a, const TVector3 &b, const TVector3 &c, TVector3 &normal)
{
    const TVector3 u = b - a;
    const TVector3 w = c - a;
    // Products of floats are exact in double, so each component is rounded
    // once, to float.
    normal.X = float(double(u.Y) * w.Z - double(u.Z) * w.Y);
    normal.Y = float(double(u.Z) * w.X - double(u.X) * w.Z);
    normal.Z = float(double(u.X) * w.Y - double(u.Y) * w.X);
    return NormalizeVector(normal);
}
