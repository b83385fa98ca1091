// The GIF picture: an ordered list of frames with their extension blocks and
// the image-wide data, built from bitmaps and encoded, written as GIF87a or
// GIF89a, read back and decoded into bitmaps.
#pragma once

#include "ColorReduction.h"
#include "GraphicsColor.h"
#include "Progress.h"

#include <QImage>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QIODevice;
class QMimeData;
class QPainter;
class QRect;

using TStrings = std::vector<std::string>;

// A colour table: Count entries in use of 256 (red, green, blue).
struct TGIFColorTable {
    int32_t Count = 0;
    std::array<std::array<uint8_t, 3>, 256> Colors{};

    TColor Color(int index) const;
    // Whether entry `index` is in use and equal to the colour in all 24 bits
    // (never for clNone).
    bool EntryEquals(int index, TColor color) const;
    // The first entry equal to the colour in all 24 bits; -1 for clNone or
    // when no entry is equal.
    int FindColorIndex(TColor color) const;
};

// Bits of a table of 2, 4, ... 256 entries; any other count raises "Wrong
// number of colors; must be a power of 2".
int ColorCountToBits(int count);
// The smallest b >= 1 with 2^b >= count.
int BitsForColorCount(int count);
// Fills a table from `colors` entries of a BMP colour table (blue, green,
// red, 0); the rest stays zero.
void BuildColorTable(TGIFColorTable &table, const uint8_t *bmpPalette, int colors);

// Image-wide data, shared between copies of an image.
struct TGIFData {
    TStrings Comment;          // one line per sub-block of the image-wide comment
    uint8_t AspectRatio = 0;   // pixel aspect byte as read
    uint8_t BitsPerPixel = 0;  // bits of the global colour table
    uint8_t ColorResBits = 0;  // colour resolution as read
    TGIFColorTable ColorMap;   // the global table; Count 0 when there is none
};

// The encoded data of a frame, shared between copies of a frame.
struct TGIFItem {
    // The LZW data as stored: code size byte, sub-blocks, terminator.
    std::optional<std::vector<uint8_t>> ImageData;
    int32_t Width = 0;
    int32_t Height = 0;
    uint8_t BitsPerPixel = 0;
    TGIFColorTable ColorMap;  // the table the pixel indexes refer to
};

enum TExtensionType : uint8_t { etGraphicControl = 0, etPlainText = 1, etApplication = 2, etComment = 3 };

// One extension block: its fixed part as stored after the label, and its
// data sub-blocks.
struct TExtension {
    TExtensionType ExtType = etGraphicControl;
    TStrings Data;
    std::array<uint8_t, 13> Header{};
};

// Whether damaged image data only marks its frame Corrupted.
extern bool GIFAcceptCorrupt;

// The clipboard format of GIF data: the file preceded by its 32-bit length.
inline constexpr const char *kGIFClipboardFormat = "application/x-gif-image";

class TGIFImage;

// One image of a GIF.
class TGIFFrame {
public:
    explicit TGIFFrame(TGIFImage *owner);

    TGIFImage *Owner;
    QImage Bitmap;  // decoded or assigned picture; null until made
    std::shared_ptr<TGIFItem> Item;
    std::vector<TExtension> Extensions;
    int32_t Left = 0;
    int32_t Top = 0;
    bool Interlaced = false;
    bool Corrupted = false;
    bool GrayScale = false;
    bool LocalColors = false;
    TColor TransparentColor = clNone;
    uint16_t AnimateInterval = 0;  // milliseconds
    uint8_t Disposal = 0;

    // Resets to a fresh empty item and default fields; extensions and bitmap stay.
    void NewImage();
    void ReplaceBitmap();
    // The picture, decoded from the data when not made yet. A frame of more
    // than 4096 x 4096 pixels, or one that would take the pixels decoded for
    // the image beyond four times that, is not decoded: "GIF image is too
    // large".
    QImage GetBitmap();
    int32_t GetWidth();
    int32_t GetHeight();
    void SetTransparentColor(TColor value);

    TStrings &GetComment();
    const TStrings *FindComment() const;
    void SetComment(const TStrings &lines);
    // Brings the graphic control extension up to date and drops empty comments.
    void UpdateExtensions();

    void Draw(QPainter &canvas, const QRect &rect, bool transparent);

    void Assign(const TGIFFrame &source);
    void Assign(TGIFImage &source);
    // A picture, with the colour it shows transparent (clNone for none).
    void Assign(const QImage &graphic, TColor transparentColor = clNone);
    void AssignNil();

    // Encodes the bitmap (reduced to 8 bits when deeper) into the item;
    // returns the BMP file image whose indexes were encoded.
    std::vector<uint8_t> EncodeBitmap();
    // Encodes a BMP file image of 1, 4 or 8 bits into the item.
    void EncodeDIBStream(const std::vector<uint8_t> &bmp);
    // The decoded frame as a BMP file image of 1, 4 or 8 bits; refuses
    // frames beyond the pixel cap of GetBitmap.
    std::vector<uint8_t> SaveToBitmapStream();

    // Size without decoding: the bitmap's when made, else the item's.
    int32_t ExtentWidth() const;
    int32_t ExtentHeight() const;

private:
    int BitmapDepth() const;
};

enum TGIFVersion : uint8_t { gvNone = 0, gv87a = 1, gv89a = 2 };

class TGIFImage {
public:
    TGIFImage();
    TGIFImage(const TGIFImage &) = delete;
    TGIFImage &operator=(const TGIFImage &) = delete;

    std::shared_ptr<TGIFData> Data;
    uint8_t Version = gvNone;
    std::vector<std::unique_ptr<TGIFFrame>> Frames;
    int32_t FrameIndex = -1;
    uint16_t ScreenWidth = 0;
    uint16_t ScreenHeight = 0;
    TColor BackgroundColor = clNone;
    bool Looping = false;
    uint16_t RepeatCount = 1;
    bool Transparent = true;
    std::function<void()> OnChange;  // change notification
    TProgressEvent OnProgress;
    // The pixels of the pictures decoded from the frames' data since the
    // image was last cleared: a running total, so that checking the cap on
    // all frames together costs the same for the last frame as for the first.
    int64_t DecodedPixels = 0;

    void Clear();
    int AddFrame(const QImage &graphic, TColor transparentColor = clNone);
    void EncodeAllFrames();
    void EncodeFrames(bool replaceBitmaps);

    TColor GetBackgroundColor() const { return BackgroundColor; }
    void SetBackgroundColor(TColor value);
    int GetCount() const { return static_cast<int>(Frames.size()); }
    // The frame at index; an index outside the list raises "List index out
    // of bounds (index)".
    TGIFFrame &GetFrame(int index);
    QImage GetBitmap();
    void UpdateScreenSize();
    int32_t GetWidth();
    int32_t GetHeight();
    bool GetEmpty() const;
    bool GetTransparent() const;
    bool Equals(const TGIFImage &other) const { return Data == other.Data; }
    [[noreturn]] void SetWidth(int32_t value);
    [[noreturn]] void SetHeight(int32_t value);
    void Draw(QPainter &canvas, const QRect &rect);
    void Changed();

    void Assign(const TGIFImage &source);
    void Assign(const TGIFFrame &source);
    void Assign(const QImage &bitmap, TColor transparentColor = clNone);
    void AssignNil();

    // The whole file in memory (encoding frames that have no data yet).
    std::vector<uint8_t> BuildFile();
    // Writes the file in one write, preceded by its 32-bit length when
    // withSize is set.
    void WriteStream(QIODevice &stream, bool withSize);
    void SaveToStream(QIODevice &stream) { WriteStream(stream, false); }
    void WriteData(QIODevice &stream) { WriteStream(stream, true); }
    // Builds the file first, then replaces the named file in one step, so a
    // failure leaves any existing file as it was.
    void SaveToFile(const QString &fileName);

    // Replaces the image by the one read from the next `size` bytes.
    void ReadStream(int64_t size, QIODevice &stream, bool decode);
    void ReadBytes(const uint8_t *bytes, size_t size, bool decode);
    void LoadFromStream(QIODevice &stream);
    void ReadData(QIODevice &stream);
    void LoadFromFile(const QString &fileName);

    // Puts frame 0 as an image and, when every frame is encoded, the GIF
    // data on the clipboard's data; nothing without frames.
    void SaveToClipboardFormat(QMimeData &data);
    // Takes the GIF data when present (frame 0 showing the clipboard's image
    // when there is one), else the clipboard's image.
    void LoadFromClipboardFormat(const QMimeData &data);

private:
    const TGIFFrame &FrameAt(int index) const;
};
