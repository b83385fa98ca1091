// Any bytes as a texture's picture file: loaded without a crash, an overrun
// or an allocation beyond the loader's bounds, and in bounded time; only the
// loader's errors may come out. The same bytes then make a small picture
// that is stretched to a size they pick, which takes the resampler through
// enlargements and odd sizes that the 64 x 64 texture never asks for.
#include "Exceptions.h"
#include "FileSystem.h"
#include "MemoryFolder.h"
#include "ReSample.h"
#include "TextureFile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Pictures the loader takes are decoded only up to 256 x 256 pixels: every
// path of the decoder and the resampler is there at that size, while one of
// the 2^24 pixels it allows costs a tenth of a second. Larger ones are still
// fed when the loader must refuse them from their header.
constexpr int64_t MaxFuzzedPixels = 256 * 256;

bool LargeButTaken(const uint8_t *data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setAutoDetectImageFormat(false);
    const int64_t pixels = int64_t(reader.size().width()) * std::llabs(reader.size().height());
    return pixels > MaxFuzzedPixels && pixels <= LargestTexturePicturePixels;
}

const std::string &InputPath()
{
    static const TMemoryFolder folder;
    static const std::string path = folder.Path("input.bmp");
    return path;
}

void LoadTexture(const uint8_t *data, size_t size)
{
    QFile file(QtFilePath(InputPath()));
    if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort();
    file.close();
    TTextureBlock texture;
    try {
        LoadTextureFromFile(texture, InputPath());
    } catch (const EInvalidGraphic &) {
        // A damaged or too large picture ends in the loader's error.
    }
}

// The first three bytes pick the target's sides (1 to 96) and the source's
// width (1 to 32); the rest are the source's pixels, whole rows of them.
void StretchPicture(const uint8_t *data, size_t size)
{
    if (size < 3)
        return;
    const int targetWidth = 1 + data[0] % 96, targetHeight = 1 + data[1] % 96, width = 1 + data[2] % 32;
    const int rowBytes = width * 3, height = int((size - 3) / size_t(rowBytes));
    if (height == 0)
        return;
    QImage source(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        std::memcpy(source.scanLine(y), data + 3 + size_t(y) * size_t(rowBytes), size_t(rowBytes));
    QImage target(targetWidth, targetHeight, QImage::Format_RGB32);
    Stretch(target, source, HermiteFilter, 1.0f);
    if (target.size() != QSize(targetWidth, targetHeight) || target.format() != QImage::Format_RGB888)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!LargeButTaken(data, size))
        LoadTexture(data, size);
    StretchPicture(data, size);
    return 0;
}
