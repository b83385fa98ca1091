// JPEG files through libjpeg, baseline, at the quality of the settings.
#pragma once

#include <QByteArray>
#include <QImage>

// quality 0..100 (values outside are clamped; libjpeg's lowest is 1).
// Throws EInvalidGraphic with libjpeg's message when encoding fails.
QByteArray WriteJpeg(const QImage &picture, int quality);
