// Windows bitmap files in every pixel format the export settings offer.
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>

// The whole file: file header, info header, colour table or bit masks, rows.
// pixelFormat is the code of the settings: 2 = 4 bits, 3 = 8 bits, 4 = 15
// bits, 5 = 16 bits (5-6-5), 6 = 24 bits, 7 = 32 bits; any other code writes
// 24 bits.
QByteArray WriteBmp(const QImage &picture, uint8_t pixelFormat);
