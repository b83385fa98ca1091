#include "BmpWriter.h"
#include "Exceptions.h"
#include "FileSystem.h"
#include "LittleEndian.h"
#include "StreamBytes.h"
#include "ReSample.h"
#include "TextureFile.h"

#include <QBuffer>
#include <QImageReader>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define BL_ADDRESS_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BL_ADDRESS_SANITIZED 1
#endif
#endif

namespace {

// 200 x 100: red, green / blue, white quadrants (top row first). Every
// channel is 0 or 255, so each file format holds it exactly.
QImage Quadrants()
{
    QImage picture(200, 100, QImage::Format_RGB888);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            const bool right = x >= 100, bottom = y >= 50;
            picture.setPixel(x, y, bottom ? (right ? qRgb(255, 255, 255) : qRgb(0, 0, 255))
                                          : (right ? qRgb(0, 255, 0) : qRgb(255, 0, 0)));
        }
    return picture;
}

// Black top half, white bottom half: for the one-bit file.
QImage Halves()
{
    QImage picture(200, 100, QImage::Format_RGB888);
    picture.fill(Qt::white);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 200; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 0));
    return picture;
}

// The picture as a 16-bit file holds it: each channel keeps its high bits.
QImage HighBits(const QImage &picture, int greenBits)
{
    QImage kept = picture;
    const int greenMask = 0xFF << (8 - greenBits) & 0xFF;
    for (int y = 0; y < kept.height(); ++y)
        for (int x = 0; x < kept.width(); ++x) {
            const QRgb p = kept.pixel(x, y);
            kept.setPixel(x, y, qRgb(qRed(p) & 0xF8, qGreen(p) & greenMask, qBlue(p) & 0xF8));
        }
    return kept;
}

// A whole file: file header, information header, colour table, pixels.
QByteArray BmpFile(int width, int height, int bits, uint32_t compression, const QVector<QRgb> &palette,
                   const QByteArray &pixels)
{
    const uint32_t offset = uint32_t(14 + 40 + 4 * palette.size());
    TLittleEndianWriter file;
    file.PutBytes("BM");
    for (uint32_t v : {offset + uint32_t(pixels.size()), 0u, offset, 40u, uint32_t(width), uint32_t(height)})
        file.PutU32(v);
    file.PutU16(1);
    file.PutU16(uint16_t(bits));
    for (uint32_t v : {compression, uint32_t(pixels.size()), 2835u, 2835u, uint32_t(palette.size()), 0u})
        file.PutU32(v);
    for (QRgb c : palette)
        file.PutU32(c & RGB_MASK);  // blue, green, red, 0
    file.PutBytes(pixels);
    return file.Bytes();
}

QVector<QRgb> PaletteOf(const QImage &picture)
{
    QVector<QRgb> palette;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (!palette.contains(picture.pixel(x, y)))
                palette << picture.pixel(x, y);
    return palette;
}

QByteArray OneBit(const QImage &picture)
{
    const QVector<QRgb> palette = PaletteOf(picture);
    const int stride = ((picture.width() + 31) / 32) * 4;
    QByteArray pixels;
    for (int y = picture.height() - 1; y >= 0; --y) {
        QByteArray row(stride, 0);
        for (int x = 0; x < picture.width(); ++x)
            if (palette.indexOf(picture.pixel(x, y)) == 1)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        pixels += row;
    }
    return BmpFile(picture.width(), picture.height(), 1, 0, palette, pixels);
}

// Run-length compressed, 8 or 4 bits: runs of one colour, rows bottom-up.
QByteArray RunLength(const QImage &picture, int bits)
{
    const QVector<QRgb> palette = PaletteOf(picture);
    QByteArray pixels;
    for (int y = picture.height() - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width();) {
            const int index = int(palette.indexOf(picture.pixel(x, y)));
            int run = 1;
            while (x + run < picture.width() && run < 255 && picture.pixel(x + run, y) == picture.pixel(x, y))
                ++run;
            pixels.append(char(run));
            pixels.append(char(bits == 8 ? index : index << 4 | index));
            x += run;
        }
        pixels.append(QByteArray("\0\0", 2));
    }
    pixels.append(QByteArray("\0\1", 2));
    return BmpFile(picture.width(), picture.height(), bits, bits == 8 ? 1 : 2, palette, pixels);
}

// The 24-bit file stored top row first, as a negative height says.
QByteArray TopDown(const QImage &picture)
{
    QByteArray file = WriteBmp(picture, 6);
    const int offset = qFromLittleEndian<int32_t>(file.constData() + 10);
    const int stride = (picture.width() * 3 + 3) & ~3;
    qToLittleEndian<int32_t>(-picture.height(), file.data() + 22);
    const QByteArray rows = file.mid(offset);
    for (int r = 0; r < picture.height(); ++r)
        std::memcpy(file.data() + offset + r * stride, rows.constData() + (picture.height() - 1 - r) * stride,
                    size_t(stride));
    return file;
}

// The 32-bit file with a header of headerSize (108 or 124) bytes holding
// the channel masks, the sRGB colour space and no profile. Where the alpha
// mask is set every pixel is opaque.
QByteArray LongHeader(const QByteArray &file, uint32_t headerSize, uint32_t compression, uint32_t alphaMask)
{
    constexpr int infoEnd = 14 + 40;
    const uint32_t added = headerSize - 40;
    QByteArray pixels = file.mid(infoEnd);
    for (int at = 3; alphaMask != 0 && at < pixels.size(); at += 4)
        pixels[at] = char(0xFF);
    QByteArray header = file.left(infoEnd);
    qToLittleEndian<uint32_t>(uint32_t(file.size()) + added, header.data() + 2);
    qToLittleEndian<uint32_t>(infoEnd + added, header.data() + 10);
    qToLittleEndian<uint32_t>(headerSize, header.data() + 14);
    qToLittleEndian<uint32_t>(compression, header.data() + 30);
    TLittleEndianWriter extension;
    for (uint32_t v : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, alphaMask, 0x73524742u})
        extension.PutU32(v);
    extension.PutBytes(QByteArray(int(added) - 20, 0));  // end points, gammas, intent, profile
    return header + extension.Bytes() + pixels;
}

// What the texture must hold: the picture resampled, bottom row first.
std::vector<uint8_t> TexelsOf(const QImage &picture)
{
    QImage texels(TextureSide, TextureSide, QImage::Format_RGB888);
    Stretch(texels, picture, HermiteFilter, 1.0f);
    std::vector<uint8_t> bytes;
    for (int y = TextureSide - 1; y >= 0; --y)
        bytes.insert(bytes.end(), texels.constScanLine(y), texels.constScanLine(y) + TextureSide * 3);
    return bytes;
}

// A run-length file of any declared size whose pixels are only the
// end-of-picture mark: a few bytes that Qt decodes to a whole picture.
QByteArray OnlyEndOfPicture(int width, int height, int bits)
{
    return BmpFile(width, height, bits, bits == 8 ? 1 : 2, {qRgb(0, 0, 0)}, QByteArray("\0\1", 2));
}

// Run-length codes: a run of one colour (at 4 bits its byte holds two
// indexes), the end of a row or of the picture, a move right and up.
QByteArray ColourRun(int count, int index) { return QByteArray(1, char(count)) + char(index); }
const QByteArray EndOfRow("\0\0", 2), EndOfPicture("\0\1", 2);
QByteArray Move(int right, int up) { return QByteArray("\0\2", 2) + char(right) + char(up); }

// 48 x 48 pixels of palette index 1 where a file sets them and index 0
// where it leaves them unset. At one byte a pixel the picture is too large
// for glibc's cache of small blocks, the blocks its perturbation skips.
constexpr int UnsetSide = 48;
const QRgb IndexZero = qRgb(255, 0, 255), IndexOne = qRgb(0, 128, 0);

QByteArray UnsetFile(int bits, uint32_t compression, const QByteArray &pixels)
{
    return BmpFile(UnsetSide, UnsetSide, bits, compression, {IndexZero, IndexOne}, pixels);
}

// The picture unset in the rectangles, whose rows count from the bottom.
QImage PictureUnsetIn(const std::vector<QRect> &unset)
{
    QImage picture(UnsetSide, UnsetSide, QImage::Format_RGB888);
    picture.fill(IndexOne);
    for (const QRect &r : unset)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                picture.setPixel(x, UnsetSide - 1 - y, IndexZero);
    return picture;
}

// Every block glibc's heap hands out while it lives starts as fill, whatever
// it held before. AddressSanitizer's allocator ignores this; there every
// new block starts as a fixed byte of its own, no palette index 0 either.
class THeapFill {
public:
    explicit THeapFill(uint8_t fill) { mallopt(M_PERTURB, fill ^ 0xFF); }
    ~THeapFill() { mallopt(M_PERTURB, 0); }
    THeapFill(const THeapFill &) = delete;
    THeapFill &operator=(const THeapFill &) = delete;
};

// An environment variable unset while it lives, then as it was.
class TUnsetVariable {
public:
    explicit TUnsetVariable(const char *name)
        : FName(name), FWasSet(qEnvironmentVariableIsSet(name)), FValue(qgetenv(name))
    {
        qunsetenv(name);
    }
    ~TUnsetVariable()
    {
        if (FWasSet)
            qputenv(FName, FValue);
    }
    TUnsetVariable(const TUnsetVariable &) = delete;
    TUnsetVariable &operator=(const TUnsetVariable &) = delete;

private:
    const char *FName;
    bool FWasSet;
    QByteArray FValue;
};

std::vector<uint8_t> TexelsLoadedOver(uint8_t heapFill, const std::string &fileName)
{
    const THeapFill fill(heapFill);
    TTextureBlock texture;
    LoadTextureFromFile(texture, fileName);
    return std::vector<uint8_t>(texture.Texels, texture.Texels + TextureBytes);
}

// How a load into a texture ends, as a child's exit code and in words.
enum TLoadEnd { Loaded, RefusedByName, OutOfMemory, OtherError };
const char *const LoadEnds[] = {"loaded", "refused by name", "out of memory", "other error"};

TLoadEnd LoadEnd(const std::string &fileName)
{
    TTextureBlock texture;
    texture.Texels[100] = 42;
    try {
        LoadTextureFromFile(texture, fileName);
        return Loaded;
    } catch (const EInvalidGraphic &e) {
        const bool named = std::string(e.what()).find('"' + fileName + '"') != std::string::npos;
        return named && texture.Texels[100] == 42 ? RefusedByName : OtherError;
    } catch (const std::bad_alloc &) {
        return OutOfMemory;
    }
}

// The load in a child process with that many megabytes of address space
// beyond what it has mapped: a crash there is a signal, not the test's end.
std::string LoadInChild(const std::string &fileName, rlim_t megabytes)
{
    // Qt converts large images on its thread pool. A child has none of the
    // parent's threads, so the pool must hold none when it forks, and the
    // child's own take little of its address space.
    QThreadPool::globalInstance()->waitForDone();
    const pid_t child = fork();
    if (child == 0) {
        QThreadPool::globalInstance()->setStackSize(1 << 20);
        rlim_t mappedPages = 0;
        std::ifstream("/proc/self/statm") >> mappedPages;
        const rlim_t bytes = mappedPages * rlim_t(sysconf(_SC_PAGESIZE)) + (megabytes << 20);
        const rlimit limit{bytes, bytes};
        setrlimit(RLIMIT_AS, &limit);
        _exit(LoadEnd(fileName));
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFSIGNALED(status))
        return "signal " + std::to_string(WTERMSIG(status));
    return LoadEnds[std::min(WEXITSTATUS(status), int(OtherError))];
}

class TextureFile : public ::testing::Test {
protected:
    std::string Write(const QByteArray &bytes)
    {
        const std::string name = FilePathBytes(FDir.filePath(QStringLiteral("picture.bmp")));
        EXPECT_TRUE(WriteFileBytes(name, std::vector<uint8_t>(bytes.begin(), bytes.end())));
        return name;
    }

    QTemporaryDir FDir;
};

}  // namespace

TEST_F(TextureFile, EveryBitmapVariantGivesThePictureResampledBottomRowFirst)
{
    const QImage quadrants = Quadrants(), halves = Halves();
    const QImage rgb555 = HighBits(quadrants, 5), rgb565 = HighBits(quadrants, 6);
    const QByteArray bits32 = WriteBmp(quadrants, 7);
    const struct {
        const char *Name;
        QByteArray File;
        const QImage &Picture;
    } cases[] = {
        {"1 bit", OneBit(halves), halves},
        {"4 bits", WriteBmp(quadrants, 2), quadrants},
        {"4 bits compressed", RunLength(quadrants, 4), quadrants},
        {"8 bits", WriteBmp(quadrants, 3), quadrants},
        {"8 bits compressed", RunLength(quadrants, 8), quadrants},
        {"15 bits", WriteBmp(quadrants, 4), rgb555},
        {"16 bits with masks", WriteBmp(quadrants, 5), rgb565},
        {"24 bits", WriteBmp(quadrants, 6), quadrants},
        {"24 bits top-down", TopDown(quadrants), quadrants},
        {"32 bits", bits32, quadrants},
        {"32 bits, 108-byte header", LongHeader(bits32, 108, 0, 0), quadrants},
        {"32 bits, 108-byte header, alpha", LongHeader(bits32, 108, 0, 0xFF000000), quadrants},
        {"32 bits, 108-byte header, masks, alpha", LongHeader(bits32, 108, 3, 0xFF000000), quadrants},
        {"32 bits, 124-byte header", LongHeader(bits32, 124, 0, 0), quadrants},
        {"32 bits, 124-byte header, alpha", LongHeader(bits32, 124, 0, 0xFF000000), quadrants},
        {"32 bits, 124-byte header, masks, alpha", LongHeader(bits32, 124, 3, 0xFF000000), quadrants},
    };
    for (const auto &c : cases) {
        const std::string name = Write(c.File);
        const std::vector<uint8_t> expected = TexelsOf(c.Picture);
        // Whatever the heap held, the picture comes out the same.
        for (uint8_t heapFill : {0x01, 0xAA}) {
            const THeapFill fill(heapFill);
            TTextureBlock texture;
            texture.Enabled = 1;
            EXPECT_NO_THROW(LoadTextureFromFile(texture, name)) << c.Name;
            EXPECT_EQ(texture.Enabled, 1) << c.Name;
            EXPECT_EQ(std::vector<uint8_t>(texture.Texels, texture.Texels + TextureBytes), expected) << c.Name;
        }
    }
    // Row 0 is the bottom of the picture: blue on the left, white on the
    // right; the top row is red and green.
    TTextureBlock texture;
    LoadTextureFromFile(texture, Write(WriteBmp(quadrants, 6)));
    const uint8_t *bottomLeft = texture.Texels, *topRight = texture.Texels + TextureBytes - 3;
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(bottomLeft), 3), QByteArray("\0\0\xff", 3));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(topRight), 3), QByteArray("\0\xff\0", 3));
}

TEST_F(TextureFile, DamagedOrForeignFilesAreRefusedAndChangeNothing)
{
    const QByteArray good = WriteBmp(Quadrants(), 6);
    QByteArray zeroWidth = good;
    qToLittleEndian<int32_t>(0, zeroWidth.data() + 18);
    QByteArray huge = good.left(54);
    qToLittleEndian<int32_t>(100000, huge.data() + 18);
    qToLittleEndian<int32_t>(100000, huge.data() + 22);
    QByteArray overflowing = huge;
    qToLittleEndian<int32_t>(INT32_MAX, overflowing.data() + 18);
    qToLittleEndian<int32_t>(INT32_MAX, overflowing.data() + 22);
    qToLittleEndian<uint16_t>(UINT16_MAX, overflowing.data() + 28);
    QImage png(8, 8, QImage::Format_RGB888);
    png.fill(Qt::red);
    QByteArray pngBytes;
    {
        QBuffer buffer(&pngBytes);
        buffer.open(QIODevice::WriteOnly);
        png.save(&buffer, "PNG");
    }
    const struct {
        const char *Name;
        QByteArray File;
    } cases[] = {
        {"empty file", {}},
        {"header cut short", good.left(20)},
        {"pixels cut short", good.left(good.size() / 2)},
        {"compressed pixels cut short", RunLength(Quadrants(), 8).chopped(40)},
        {"no width", zeroWidth},
        {"enormous size, no pixels", huge},
        {"rows of more bytes than 64 bits count", overflowing},
        {"PNG under a .bmp name", pngBytes},
    };
    for (const auto &c : cases) {
        TTextureBlock texture;
        texture.Texels[100] = 42;
        EXPECT_THROW(LoadTextureFromFile(texture, Write(c.File)), EInvalidGraphic) << c.Name;
        EXPECT_EQ(texture.Texels[100], 42) << c.Name;
    }
}

// Pictures that declare millions of rows in a few bytes are refused by name
// before they are decoded; one at the bound loads in 200 MB, and where
// memory runs short the load raises instead of writing through a failed
// allocation.
TEST_F(TextureFile, HugeDeclaredPicturesAreRefusedAndShortMemoryRaises)
{
#ifdef BL_ADDRESS_SANITIZED
    GTEST_SKIP() << "AddressSanitizer maps terabytes of shadow memory, so an address-space limit cannot hold here";
#endif
    const struct {
        const char *Name;
        QByteArray File;
        rlim_t Megabytes;
        const char *End;
    } cases[] = {
        {"4 x 8 000 000, 8 bits", OnlyEndOfPicture(4, 8000000, 8), 200, "refused by name"},
        {"16 x 2 000 000, 4 bits", OnlyEndOfPicture(16, 2000000, 4), 200, "refused by name"},
        {"4096 x 4096 in 200 MB", OnlyEndOfPicture(4096, 4096, 8), 200, "loaded"},
        {"4096 x 4096 in 32 MB", OnlyEndOfPicture(4096, 4096, 8), 32, "out of memory"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(LoadInChild(Write(c.File), c.Megabytes), c.End) << c.Name;
}

TEST_F(TextureFile, AStricterImageAllocationLimitTheUserSetHolds)
{
    // A limit in the environment stands above the one set here. Qt reads it
    // once, when a process first asks, as this test's own process does.
    const TUnsetVariable environmentLimit("QT_IMAGEIO_MAXALLOC");
    const int userLimit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(1);
    TTextureBlock texture;
    // Qt counts four bytes a pixel: 4 MB.
    EXPECT_THROW(LoadTextureFromFile(texture, Write(OnlyEndOfPicture(1024, 1024, 8))), EInvalidGraphic);
    QImageReader::setAllocationLimit(userLimit);
}

// A run-length file leaves pixels unset with an end of row or a move before
// a row is full, or the end of the picture before its last row. A plain
// file whose pixel offset points into its header is read from the end of
// the colour table, here 48 bytes later, and leaves its last row unset.
// Such pixels take palette index 0 whatever the heap held.
TEST_F(TextureFile, PixelsTheFileLeavesUnsetTakePaletteIndexZero)
{
    const QByteArray fullRows = (ColourRun(UnsetSide, 1) + EndOfRow).repeated(16);
    const QByteArray moves = ColourRun(16, 1) + Move(16, 0) + ColourRun(16, 1) + EndOfRow + Move(0, 15);
    const QByteArray shortRows8 = (ColourRun(16, 1) + EndOfRow).repeated(UnsetSide);
    const QByteArray shortRows4 = (ColourRun(16, 0x11) + EndOfRow).repeated(UnsetSide);
    QByteArray offsetIntoHeader = UnsetFile(8, 0, QByteArray((UnsetSide - 1) * UnsetSide, 1));
    qToLittleEndian<uint32_t>(14, offsetIntoHeader.data() + 10);
    const struct {
        const char *Name;
        QByteArray File;
        std::vector<QRect> Unset;
    } cases[] = {
        {"8 bits, rows ended early", UnsetFile(8, 1, shortRows8 + EndOfPicture), {QRect(16, 0, 32, UnsetSide)}},
        {"4 bits, rows ended early", UnsetFile(4, 2, shortRows4 + EndOfPicture), {QRect(16, 0, 32, UnsetSide)}},
        {"moves right and up", UnsetFile(8, 1, fullRows + moves + fullRows + EndOfPicture),
         {QRect(16, 16, 16, 1), QRect(0, 17, UnsetSide, 15)}},
        {"picture ended early", UnsetFile(8, 1, fullRows + EndOfPicture), {QRect(0, 16, UnsetSide, 32)}},
        {"pixel offset into the header", offsetIntoHeader, {QRect(0, UnsetSide - 1, UnsetSide, 1)}},
    };
    for (const auto &c : cases) {
        const std::string name = Write(c.File);
        const std::vector<uint8_t> expected = TexelsOf(PictureUnsetIn(c.Unset));
        // Over palette index 1, then over an index past the palette.
        EXPECT_EQ(TexelsLoadedOver(0x01, name), expected) << c.Name;
        EXPECT_EQ(TexelsLoadedOver(0xAA, name), expected) << c.Name;
    }
}
