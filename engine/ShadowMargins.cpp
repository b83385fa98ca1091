#include "ShadowMargins.h"

#include <cmath>

namespace {

float FiniteOffset(float offset)
{
    return std::isfinite(offset) ? offset : 0.0f;
}

}  // namespace

float ShadowOffsetX(const TShadowBlock &shadow)
{
    return FiniteOffset(shadow.DX);
}

float ShadowOffsetY(const TShadowBlock &shadow)
{
    return FiniteOffset(shadow.DY);
}

TShadowMargins ShadowMargins(const TShadowBlock &shadow)
{
    TShadowMargins m;
    if (!shadow.Enabled)
        return m;
    const float dx = ShadowOffsetX(shadow), dy = ShadowOffsetY(shadow);
    m.Left = dx < 0 ? -dx : 0;
    m.Right = dx >= 0 ? dx : 0;
    m.Bottom = dy < 0 ? -dy : 0;
    m.Top = dy >= 0 ? dy : 0;
    return m;
}
