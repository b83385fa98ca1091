#include "FloodFill.h"

#include <vector>

// Span by span, with an explicit stack, so that a picture of any size fills
// without deep recursion; a mark per pixel lets the fill colour equal a
// colour already present.
void FloodFill(QImage &image, QPoint start, QRgb fill, QRgb border)
{
    const int width = image.width(), height = image.height();
    if (!image.rect().contains(start))
        return;
    auto pixel = [&](int x, int y) -> QRgb & { return reinterpret_cast<QRgb *>(image.scanLine(y))[x]; };
    auto isBorder = [&](int x, int y) { return ((pixel(x, y) ^ border) & RGB_MASK) == 0; };
    std::vector<bool> done(size_t(width) * size_t(height), false);
    auto open = [&](int x, int y) { return !done[size_t(y) * size_t(width) + size_t(x)] && !isBorder(x, y); };

    std::vector<QPoint> stack{start};
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        if (!open(p.x(), p.y()))
            continue;
        int left = p.x(), right = p.x();
        while (left > 0 && open(left - 1, p.y()))
            --left;
        while (right < width - 1 && open(right + 1, p.y()))
            ++right;
        for (int x = left; x <= right; ++x) {
            done[size_t(p.y()) * size_t(width) + size_t(x)] = true;
            pixel(x, p.y()) = fill;
        }
        for (int y : {p.y() - 1, p.y() + 1}) {
            if (y < 0 || y >= height)
                continue;
            for (int x = left; x <= right; ++x)
                if (open(x, y) && (x == left || !open(x - 1, y)))
                    stack.push_back({x, y});
        }
    }
}
