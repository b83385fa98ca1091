#include "GifExport.h"

#include "Exceptions.h"

QByteArray WriteGif(const QImage &, uint32_t)
{
    throw EInvalidGraphicOperation("GIF export is not available yet");
}
