// The program's colours (R + G shl 8 + B shl 16, as the settings and the
// scene model keep them) as Qt colours and back, at the edge of the GUI.
#pragma once

#include <QColor>

#include <cstdint>

inline QColor ToQColor(uint32_t colour)
{
    return QColor(int(colour & 0xFF), int(colour >> 8 & 0xFF), int(colour >> 16 & 0xFF));
}

inline uint32_t FromQColor(const QColor &colour)
{
    return uint32_t(colour.red()) | uint32_t(colour.green()) << 8 | uint32_t(colour.blue()) << 16;
}
