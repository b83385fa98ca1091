// The GIF export of one button state: a 24-bit bitmap becomes a one-frame
// GIF89a reduced to at most 256 colours by popularity, with the state's
// background colour transparent where the palette holds it exactly.
#pragma once

#include "GraphicsColor.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// The bytes of the exported GIF file. A null bitmap raises "Bitmap image is
// not valid".
QByteArray ExportGIF(const QImage &bitmap, TColor backgroundColor);

// Writes the exported GIF file; the file is replaced only once the whole
// image has been built and written, so a failure leaves an existing file as
// it was.
void ExportGIFToFile(const QImage &bitmap, TColor backgroundColor, const QString &fileName);
