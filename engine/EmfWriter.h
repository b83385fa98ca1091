// Enhanced metafiles that draw the picture transparently with a mask pair of
// EMR_STRETCHDIBITS records, one logical unit per pixel, recorded as if on a
// 96-dpi screen.
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>

constexpr int EmfHeaderSize = 108;
constexpr int EmfStretchDiBitsFixedSize = 80;
constexpr int EmfEofSize = 20;

QByteArray WriteEmf(const QImage &picture, uint32_t transparent);
