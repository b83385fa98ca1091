#include "Outline.h"

#include <cmath>

namespace {

using Extended = long double;

// An angle in radians, kept in extended precision. Angles read from a file
// may be any integers: their sums and differences are taken in extended
// precision, which holds them exactly and cannot overflow.
Extended Radians(Extended degrees)
{
    return degrees * DegToRad;
}

// A float angle in radians, rounded to float as the edges take it.
Extended RoundedRadians(Extended degrees)
{
    return float(degrees * DegToRad);
}

Extended Tan(Extended radians)
{
    return std::tan(radians);
}

// cot of an angle whose tangent is exactly 0 (only the angle 0 itself)
// would be infinite and poison every point computed from it; 0 keeps a
// degenerate outline finite.
Extended Cot(Extended radians)
{
    const Extended t = std::tan(radians);
    return t == 0 ? 0 : 1 / t;
}

// The arc angle in radians of t on an arc from start to end (degrees), whose
// quarter begins at offset. An empty range cannot occur for ordered angles;
// it gives the arc's start rather than a division by zero.
Extended ArcAngle(Extended t, Extended start, Extended end, int offset)
{
    const Extended span = end - start;
    const float degrees = span == 0 ? float(offset) : float((t - start) * 90 / span + offset);
    return RoundedRadians(degrees);
}

// A point of a quarter ellipse: centre + (1 - centre) scaled by cos/sin.
float EllipseCoord(Extended trig, Extended centre, Extended halfAxis)
{
    return float(trig * halfAxis + centre);
}

}  // namespace

void PrepareShape(TShapeBlock &s)
{
    float *d = s.Derived;
    d[0] = float(Tan(Radians(s.A0)));
    d[1] = float(Tan(Radians(s.A7)));
    d[2] = float(Cot(Radians(s.A1)));
    d[3] = float(Cot(Radians(s.A2)));
    d[4] = float(Tan(Radians(180 - Extended(s.A3))));
    d[5] = float(Tan(Radians(180 - Extended(s.A4))));
    d[6] = float(Cot(Radians(180 - Extended(s.A5))));
    d[7] = float(Cot(Radians(180 - Extended(s.A6))));
}

void PrepareDeformation(TDeformationBlock &p)
{
    p.Derived[0] = float(Tan(Radians(p.D0)));
    p.Derived[1] = float(Cot(Radians(p.D1)));
    p.Derived[2] = float(Cot(Radians(p.D2)));
    p.Derived[3] = float(Extended(p.TopHeight) * Cot(Radians(p.D3)));
}

TPoint2 GetOutlinePoint(TShapeBlock &s, float t)
{
    if (t > 360)
        t -= 360;
    PrepareShape(s);
    const Extended T0 = s.Derived[0], T7 = s.Derived[1], K1 = s.Derived[2], K2 = s.Derived[3];
    const Extended T3 = s.Derived[4], T4 = s.Derived[5], K5 = s.Derived[6], K6 = s.Derived[7];

    auto corner1 = [&](Extended w) {
        return TPoint2{EllipseCoord(std::cos(w), K1, 1 - K1), EllipseCoord(std::sin(w), T0, 1 - T0)};
    };
    auto corner4 = [&](Extended w) {
        return TPoint2{EllipseCoord(std::cos(w), K6, 1 - K6), EllipseCoord(std::sin(w), T7, 1 + T7)};
    };

    if (s.A0 < t && s.A1 > t)
        return corner1(ArcAngle(t, s.A0, s.A1, 0));
    if (s.A1 <= t && s.A2 >= t)
        return {float(Cot(RoundedRadians(t))), 1.0f};
    if (s.A2 < t && s.A3 > t) {
        const Extended w = ArcAngle(t, s.A2, s.A3, 90);
        return {EllipseCoord(std::cos(w), K2, 1 + K2), EllipseCoord(std::sin(w), T3, 1 - T3)};
    }
    if (s.A3 <= t && s.A4 >= t)
        return {-1.0f, float(Tan(RoundedRadians(180 - Extended(t))))};
    if (s.A4 < t && s.A5 > t) {
        const Extended w = ArcAngle(t, s.A4, s.A5, 180);
        return {EllipseCoord(std::cos(w), K5, 1 + K5), EllipseCoord(std::sin(w), T4, 1 + T4)};
    }
    if (s.A5 <= t && s.A6 >= t)
        return {float(Cot(RoundedRadians(180 - Extended(t)))), -1.0f};
    if (s.A6 < t && s.A7 > t)
        return corner4(ArcAngle(t, s.A6, s.A7, 270));
    if ((s.A7 <= t && Extended(s.A0) + 360 >= t) || (Extended(s.A7) - 360 <= t && s.A0 >= t))
        return {1.0f, float(Tan(RoundedRadians(t)))};
    // The corners that cross the 0/360 seam.
    if (Extended(s.A6) - 360 < t && Extended(s.A7) - 360 > t)
        return corner4(ArcAngle(Extended(t) + 360, s.A6, s.A7, 270));
    return corner1(ArcAngle(Extended(t) - 360, s.A0, s.A1, 0));
}

TPoint2 GetProfilePoint(TDeformationBlock &p, float u)
{
    PrepareDeformation(p);
    const Extended P0 = p.Derived[0], Q1 = p.Derived[1], Q2 = p.Derived[2], R3 = p.Derived[3];
    const Extended H = p.TopHeight;

    if (p.D0 >= u)
        return {1.0f, float(Tan(RoundedRadians(u)))};
    if (p.D1 > u) {
        const Extended w = ArcAngle(u, p.D0, p.D1, 0);
        return {EllipseCoord(std::cos(w), Q1, 1 - Q1), EllipseCoord(std::sin(w), P0, 1 - P0)};
    }
    if (p.D2 >= u)
        return {float(Cot(RoundedRadians(u))), 1.0f};
    if (p.D3 > u) {
        // The upper arc's horizontal half-axis is Q2 - R3, its centre Q2.
        const Extended w = ArcAngle(u, p.D2, p.D3, 90);
        return {EllipseCoord(std::cos(w), Q2, Q2 - R3), EllipseCoord(std::sin(w), H, 1 - H)};
    }
    return {float(Cot(RoundedRadians(u)) * H), float(H)};
}
