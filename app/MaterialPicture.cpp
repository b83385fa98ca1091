#include "MaterialPicture.h"

#include "ColorU.h"
#include "QtColor.h"

#include <algorithm>
#include <cmath>

namespace {

float Clamped(float v) { return std::clamp(v, 0.0f, 1.0f); }

}  // namespace

QImage MaterialPicture(const TMaterialBlock &m, int side, TColor background)
{
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(ToQColor(uint32_t(background)));
    // Light from the upper left and in front; the half vector for a viewer
    // straight in front.
    const float lx = -0.45f, ly = 0.55f, lz = 0.70f;
    const float hl = std::sqrt(lx * lx + ly * ly + (lz + 1) * (lz + 1));
    const float hx = lx / hl, hy = ly / hl, hz = (lz + 1) / hl;
    const float r = side / 2.0f;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const float nx = (x + 0.5f - r) / r, ny = (r - y - 0.5f) / r, d = nx * nx + ny * ny;
            if (d > 1)
                continue;
            const float nz = std::sqrt(1 - d);
            const float diffuse = std::max(0.0f, nx * lx + ny * ly + nz * lz);
            const float specular = std::pow(std::max(0.0f, nx * hx + ny * hy + nz * hz), float(std::max(1, m.Shininess)));
            const auto channel = [&](float TRGBA::*c) {
                return int(255 * Clamped(0.3f * (m.Ambient.*c) + diffuse * (m.Diffuse.*c) +
                                         specular * (m.Specular.*c) + (m.Emission.*c)));
            };
            image.setPixel(x, y, qRgb(channel(&TRGBA::R), channel(&TRGBA::G), channel(&TRGBA::B)));
        }
    return image;
}
