#include "TextureFile.h"

#include "DibLayout.h"
#include "Exceptions.h"
#include "FileSystem.h"
#include "GIFErrors.h"
#include "LittleEndian.h"
#include "ReSample.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <cstdlib>
#include <new>
#include <string>

namespace {

constexpr uint32_t BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3, BiAlphaBitfields = 6;
constexpr int CoreHeaderSize = 12;
constexpr qint64 LargestPictureFile = qint64(1) << 30;

// Whether a run-length stream from start reaches its end-of-picture mark, or
// its last row, before the bytes run out.
bool RunLengthComplete(const QByteArray &file, size_t start, int bits, int64_t rows)
{
    const auto *data = reinterpret_cast<const uint8_t *>(file.constData());
    const size_t size = size_t(file.size());
    int64_t row = 0;
    for (size_t at = start; row < rows;) {
        if (at + 2 > size)
            return false;
        const uint8_t count = data[at], code = data[at + 1];
        at += 2;
        if (count > 0)
            continue;  // a run of one colour
        if (code == 0)
            ++row;  // end of row
        else if (code == 1)
            return true;  // end of picture
        else if (code == 2) {  // a move, right and up
            if (at + 2 > size)
                return false;
            row += data[at + 1];
            at += 2;
        }
        else
            at += ((bits == 8 ? code : (code + 1) / 2) + 1) & ~size_t(1);  // literal pixels, padded to a word
    }
    return true;
}

// Qt's reader shows a file whose pixels are cut short as far as they go;
// such a file is as damaged as any other, so it is refused here, before
// reading. Headers the reader cannot take are left for it to refuse.
bool PixelsComplete(const QByteArray &file)
{
    constexpr size_t infoAt = kBmpFileHeaderSize;
    if (size_t(file.size()) < infoAt + CoreHeaderSize || !file.startsWith("BM"))
        return false;
    const auto *data = reinterpret_cast<const uint8_t *>(file.constData());
    const uint32_t pixelsAt = GetLE32(data + 10);
    const uint32_t headerSize = GetLE32(data + infoAt);
    const bool core = headerSize == CoreHeaderSize;
    if (!core && size_t(file.size()) < infoAt + 20)
        return false;
    const int64_t width = core ? int16_t(GetLE16(data + infoAt + 4)) : int32_t(GetLE32(data + infoAt + 4));
    const int64_t height = core ? int16_t(GetLE16(data + infoAt + 6)) : int32_t(GetLE32(data + infoAt + 8));
    const int bits = int(GetLE16(data + infoAt + (core ? 10 : 14)));
    const uint32_t compression = core ? BiRgb : GetLE32(data + infoAt + 16);
    if (pixelsAt > size_t(file.size()))
        return false;
    if (compression == BiRle8 || compression == BiRle4)
        return RunLengthComplete(file, pixelsAt, compression == BiRle8 ? 8 : 4, std::llabs(height));
    // The rows are compared by division: a header's width, bits and height
    // multiplied together may pass 64 bits.
    if (compression == BiRgb || compression == BiBitfields || compression == BiAlphaBitfields)
        return width < 0 || height == 0 ||
               DIBStride(width, bits) <= (int64_t(file.size()) - pixelsAt) / std::llabs(height);
    return true;
}

struct TPictureSize {
    int64_t Width, Height;
};

// The size a bitmap's header declares; a top-down picture declares a
// negative height. A header Qt cannot read gives -1 x 1, left for its
// reader to refuse.
TPictureSize DeclaredSize(QImageReader &reader)
{
    const QSize size = reader.size();
    return {size.width(), std::llabs(size.height())};
}

bool TextureSized(const TPictureSize &size)
{
    return size.Width <= LargestTexturePictureSide && size.Height <= LargestTexturePictureSide &&
           size.Width * size.Height <= LargestTexturePicturePixels;
}

EInvalidGraphic PictureTooLarge(const std::string &fileName, const TPictureSize &size)
{
    return EInvalidGraphic("Bitmap image \"" + SystemText(fileName) + "\" is too large for a texture: " +
                           std::to_string(size.Width) + " x " + std::to_string(size.Height) + " pixels (at most " +
                           std::to_string(LargestTexturePictureSide) + " a side and " +
                           std::to_string(LargestTexturePicturePixels) + " in all)");
}

// Qt's reader refuses a picture past its allocation limit, counted at four
// bytes a pixel, only when it allocates the picture itself. The limit takes
// the largest texture picture unless the user set it stricter, and then it
// holds here as well.
bool WithinAllocationLimit(const TPictureSize &size)
{
    const int64_t megabytes = QImageReader::allocationLimit();
    return megabytes == 0 || size.Width * size.Height * 4 <= megabytes << 20;
}

// Qt's reader leaves unwritten the pixels a run-length file skips (an end
// of row or a move before a row is full, the end of the picture before its
// last row), and the rows its bytes do not reach when the pixel offset
// points back into the header, as it then reads from the end of the colour
// table. Handed a picture of the size and format it reads, it decodes into
// that one; filled with palette index 0 (black where there is no palette)
// first, every pixel skipped takes that colour. A picture it decoded
// elsewhere cannot tell which pixels it skipped.
QImage FilledWithIndexZero(const TPictureSize &size, QImage::Format format)
{
    QImage picture(int(size.Width), int(size.Height), format);
    picture.fill(0);
    return picture;
}

// Decodes the whole file into picture and says whether Qt used the one it
// was handed; one it decoded elsewhere is left in picture, and a read that
// failed leaves picture null.
bool DecodedInPlace(QBuffer &buffer, QImage &picture)
{
    buffer.seek(0);
    QImageReader reader(&buffer, "bmp");
    reader.setAutoDetectImageFormat(false);
    const uchar *const filled = picture.constBits();
    if (!reader.read(&picture)) {
        picture = QImage();
        return false;
    }
    return picture.constBits() == filled;
}

// The format Qt reports before reading is not always the one it decodes
// into: a 32-bit file whose long header holds an alpha mask is reported
// without alpha and read with it. A picture decoded elsewhere so is read
// once more, into one filled in the format Qt read; a read that fails, or
// goes elsewhere again, refuses the file.
QImage DecodeOverIndexZero(QBuffer &buffer, const TPictureSize &size, QImage::Format reported)
{
    QImage picture = FilledWithIndexZero(size, reported);
    if (DecodedInPlace(buffer, picture) || picture.isNull())
        return picture;
    const QImage::Format read = picture.format();
    picture = QImage();  // Qt's picture goes before the second is made
    picture = FilledWithIndexZero(size, read);
    return DecodedInPlace(buffer, picture) ? picture : QImage();
}

// The picture of the file, null when it is no valid bitmap. Its size is
// read from the header first, and a picture too large is refused by name
// before anything of it is decoded.
QImage ReadBitmap(const std::string &fileName)
{
    QFile file;
    if (!OpenFileToRead(file, fileName) || file.size() > LargestPictureFile)
        return {};
    QByteArray bytes = file.readAll();
    if (!PixelsComplete(bytes))
        return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setAutoDetectImageFormat(false);
    const TPictureSize size = DeclaredSize(reader);
    if (!TextureSized(size))
        throw PictureTooLarge(fileName, size);
    if (!WithinAllocationLimit(size))
        return {};
    return DecodeOverIndexZero(buffer, size, reader.imageFormat());
}

}  // namespace

void LoadTextureFromFile(TTextureBlock &texture, const std::string &fileName)
{
    const QImage picture = ReadBitmap(fileName);
    if (picture.isNull())
        throw EInvalidGraphic(kBitmapNotValid);
    QImage texels(TextureSide, TextureSide, QImage::Format_RGB888);
    if (texels.isNull())
        throw std::bad_alloc();
    Stretch(texels, picture, HermiteFilter, 1.0f);
    // Texel row 0 is the bottom of the picture.
    constexpr int rowBytes = TextureSide * 3;
    for (int y = 0; y < TextureSide; ++y)
        std::copy_n(texels.constScanLine(TextureSide - 1 - y), rowBytes, texture.Texels + y * rowBytes);
}
