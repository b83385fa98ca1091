// Reading a GIF87a or GIF89a file into a TGIFImage. The frames' image data is
// stored as it stands and decoded when a frame's picture is first needed.
#include "KitGIF.h"

#include "Exceptions.h"
#include "GIFErrors.h"
#include "LittleEndian.h"

#include <QFile>
#include <QIODevice>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

constexpr uint8_t kExtensionBlock = '!';
constexpr uint8_t kImageBlock = ',';
constexpr uint8_t kTrailerBlock = ';';
constexpr uint16_t kMaxRepeatCount = 30000;

// The file's bytes with a read position; reading past the end raises the
// stream's own "Stream read error".
class TGIFSource {
public:
    TGIFSource(const uint8_t *data, size_t size) : data_(data), size_(size) {}

    bool AtEnd() const { return pos_ >= size_; }
    size_t Remaining() const { return size_ - pos_; }
    void SeekEnd() { pos_ = size_; }

    const uint8_t *Take(size_t count)
    {
        if (count > Remaining())
            throw EReadError(SReadError);
        const uint8_t *p = data_ + pos_;
        pos_ += count;
        return p;
    }

    uint8_t Byte() { return *Take(1); }

    // The first non-zero byte, or 0 at the end of the data.
    uint8_t SkipToBlock()
    {
        while (!AtEnd()) {
            const uint8_t b = Byte();
            if (b != 0)
                return b;
        }
        return 0;
    }

private:
    const uint8_t *data_;
    size_t size_;
    size_t pos_ = 0;
};

TStrings ReadDataBlocks(TGIFSource &source)
{
    TStrings lines;
    while (!source.AtEnd()) {
        const uint8_t size = source.Byte();
        if (size == 0)
            break;
        lines.emplace_back(reinterpret_cast<const char *>(source.Take(size)), size);
    }
    return lines;
}

void ReadHeader(TGIFSource &source, TExtension &e, size_t size)
{
    std::memcpy(e.Header.data(), source.Take(size), size);
}

TExtension ReadExtension(TGIFSource &source)
{
    TExtension e;
    const uint8_t label = source.Byte();
    switch (label) {
    case 0xF9:
        e.ExtType = etGraphicControl;
        ReadHeader(source, e, 6);
        break;
    case 0xFE:
        e.ExtType = etComment;
        e.Data = ReadDataBlocks(source);
        break;
    case 0x01:
        e.ExtType = etPlainText;
        ReadHeader(source, e, 13);
        e.Data = ReadDataBlocks(source);
        break;
    case 0xFF:
        e.ExtType = etApplication;
        ReadHeader(source, e, 12);
        e.Data = ReadDataBlocks(source);
        break;
    default: {
        char message[64];
        std::snprintf(message, sizeof message, kUnknownExtension, label);
        throw EInvalidGraphicOperation(message);
    }
    }
    return e;
}

// A looping application block: an 11-byte identifier of one of the two known
// names, and a first data line of at least 3 bytes starting with 1.
bool IsLoopExtension(const TExtension &e)
{
    if (e.ExtType != etApplication || e.Header[0] != 11)
        return false;
    const char *id = reinterpret_cast<const char *>(e.Header.data() + 1);
    if (std::memcmp(id, "NETSCAPE2.0", 11) != 0 && std::memcmp(id, "ANIMEXTS1.0", 11) != 0)
        return false;
    return !e.Data.empty() && e.Data[0].size() >= 3 && e.Data[0][0] == 1;
}

bool SameIgnoringCase(const uint8_t *bytes, const char *text)
{
    for (size_t i = 0; text[i]; ++i)
        if (std::tolower(bytes[i]) != std::tolower(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}

void ReadColorTable(TGIFSource &source, TGIFColorTable &table, int bits)
{
    table = TGIFColorTable();
    table.Count = 1 << bits;
    const uint8_t *p = source.Take(3u * table.Count);
    for (int i = 0; i < table.Count; ++i, p += 3)
        table.Colors[static_cast<size_t>(i)] = {p[0], p[1], p[2]};
}

class TGIFReader {
public:
    TGIFReader(TGIFImage &image, TGIFSource &source) : image_(image), source_(source) {}

    void Read()
    {
        ReadSignature();
        ReadScreenDescriptor();
        uint8_t block = source_.SkipToBlock();
        while (block != 0 && block != kTrailerBlock && !source_.AtEnd()) {
            std::vector<TExtension> extensions = ReadExtensionBlocks(block);
            if (block == kImageBlock) {
                ReadFrame(std::move(extensions));
                block = source_.AtEnd() ? kTrailerBlock : source_.SkipToBlock();
                if (block != kExtensionBlock && block != kImageBlock && block != kTrailerBlock)
                    block = 0;
            } else if (image_.Data->Comment.empty() && !extensions.empty()) {
                TakeImageComments(extensions);
            } else if (block != 0 && block != kTrailerBlock) {
                throw EInvalidGraphicOperation(SReadError);
            }
        }
    }

private:
    void ReadSignature()
    {
        const uint8_t *signature = source_.Take(6);
        if (!SameIgnoringCase(signature, "GIF"))
            throw EInvalidGraphicOperation(kUnknownGIFVersion);
        if (SameIgnoringCase(signature + 3, "87a"))
            image_.Version = gv87a;
        else if (SameIgnoringCase(signature + 3, "89a"))
            image_.Version = gv89a;
        else
            throw EInvalidGraphicOperation(kUnknownGIFVersion);
    }

    void ReadScreenDescriptor()
    {
        const uint8_t *d = source_.Take(7);
        image_.ScreenWidth = static_cast<uint16_t>(GetLE16(d));
        image_.ScreenHeight = static_cast<uint16_t>(GetLE16(d + 2));
        const uint8_t packed = d[4];
        TGIFData &data = *image_.Data;
        data.AspectRatio = d[6];
        data.BitsPerPixel = static_cast<uint8_t>((packed & 7) + 1);
        data.ColorResBits = static_cast<uint8_t>(((packed & 0x70) >> 4) + 1);
        if (packed & 0x80) {
            ReadColorTable(source_, data.ColorMap, data.BitsPerPixel);
            if (d[5] < data.ColorMap.Count)
                image_.BackgroundColor = data.ColorMap.Color(d[5]);
        }
    }

    // Reads every extension introduced by '!' and leaves `block` at the
    // next block byte; keeps the graphic control and comment extensions.
    std::vector<TExtension> ReadExtensionBlocks(uint8_t &block)
    {
        std::vector<TExtension> kept;
        while (block == kExtensionBlock) {
            TExtension e = ReadExtension(source_);
            if (e.ExtType == etPlainText) {
                kept.clear();  // the blocks before a text belong to the text
            } else if (e.ExtType == etGraphicControl || e.ExtType == etComment) {
                kept.push_back(std::move(e));
            } else if (IsLoopExtension(e)) {
                image_.Looping = true;
                const auto &line = e.Data[0];
                const int count = static_cast<uint8_t>(line[1]) + 256 * static_cast<uint8_t>(line[2]);
                image_.RepeatCount = static_cast<uint16_t>(std::min<int>(count, kMaxRepeatCount));
            }
            block = source_.AtEnd() ? kTrailerBlock : source_.SkipToBlock();
        }
        return kept;
    }

    void TakeImageComments(const std::vector<TExtension> &extensions)
    {
        TStrings &comment = image_.Data->Comment;
        for (const TExtension &e : extensions) {
            if (e.ExtType != etComment)
                continue;
            if (!comment.empty())
                comment.push_back("\r\n\r\n");
            comment.insert(comment.end(), e.Data.begin(), e.Data.end());
        }
    }

    void ReadFrame(std::vector<TExtension> extensions)
    {
        auto frame = std::make_unique<TGIFFrame>(&image_);
        TGIFItem &item = *frame->Item;
        const TGIFColorTable &global = image_.Data->ColorMap;
        if (global.Count > 0)
            item.BitsPerPixel = static_cast<uint8_t>(ColorCountToBits(global.Count));
        frame->Extensions = std::move(extensions);
        ReadImageDescriptor(*frame);
        if (frame->Corrupted && !GIFAcceptCorrupt)
            throw EInvalidGraphicOperation(SReadError);
        if (item.Width == 0)
            item.Width = image_.ScreenWidth;
        if (item.Height == 0)
            item.Height = image_.ScreenHeight;
        // A frame without pixels cannot be drawn: it is kept, marked damaged.
        if (item.Width == 0 || item.Height == 0)
            frame->Corrupted = true;
        if (!frame->LocalColors)
            item.ColorMap = global;
        ApplyGraphicControl(*frame);
        image_.Frames.push_back(std::move(frame));
    }

    void ReadImageDescriptor(TGIFFrame &frame)
    {
        TGIFItem &item = *frame.Item;
        frame.Corrupted = false;
        const uint8_t *d = source_.Take(9);
        frame.Left = static_cast<int32_t>(GetLE16(d));
        frame.Top = static_cast<int32_t>(GetLE16(d + 2));
        item.Width = static_cast<int32_t>(GetLE16(d + 4));
        item.Height = static_cast<int32_t>(GetLE16(d + 6));
        const uint8_t packed = d[8];
        frame.Interlaced = (packed & 0x40) != 0;
        frame.LocalColors = (packed & 0x80) != 0;
        if (frame.LocalColors) {
            item.BitsPerPixel = static_cast<uint8_t>((packed & 7) + 1);
            ReadColorTable(source_, item.ColorMap, item.BitsPerPixel);
        }
        std::vector<uint8_t> &data = item.ImageData.emplace();
        data.push_back(source_.Byte());
        while (!source_.AtEnd()) {
            const uint8_t size = source_.Byte();
            if (size > source_.Remaining()) {
                frame.Corrupted = true;
                source_.SeekEnd();
                break;
            }
            data.push_back(size);
            const uint8_t *bytes = source_.Take(size);
            data.insert(data.end(), bytes, bytes + size);
            if (size == 0)
                break;
        }
    }

    static void ApplyGraphicControl(TGIFFrame &frame)
    {
        frame.AnimateInterval = 0;
        for (const TExtension &e : frame.Extensions) {
            if (e.ExtType != etGraphicControl)
                continue;
            const uint8_t packed = e.Header[1];
            const uint8_t index = e.Header[4];
            if (!(packed & 1))
                frame.TransparentColor = clNone;
            else if (index < frame.Item->ColorMap.Count)
                frame.TransparentColor = frame.Item->ColorMap.Color(index);
            const int delay = static_cast<int>(GetLE16(e.Header.data() + 2)) * 10;
            frame.AnimateInterval =
                static_cast<uint16_t>(std::min(65535, std::max<int>(delay, frame.AnimateInterval)));
            frame.Disposal = static_cast<uint8_t>((packed & 0x1C) >> 2);
        }
    }

    TGIFImage &image_;
    TGIFSource &source_;
};

}  // namespace

void TGIFImage::ReadBytes(const uint8_t *bytes, size_t size, bool decode)
{
    Clear();
    if (size > 0) {
        TGIFSource source(bytes, size);
        TGIFReader(*this, source).Read();
    }
    if (!Frames.empty()) {
        FrameIndex = 0;
        if (decode) {
            try {
                Frames.front()->GetBitmap();
            } catch (...) {
                Frames.erase(Frames.begin());
                throw;
            }
        }
    }
    Changed();
}

void TGIFImage::ReadStream(int64_t size, QIODevice &stream, bool decode)
{
    Clear();
    QByteArray bytes;
    while (bytes.size() < size) {
        const QByteArray chunk = stream.read(std::min<int64_t>(size - bytes.size(), 1 << 16));
        if (chunk.isEmpty())
            throw EReadError(SReadError);
        bytes += chunk;
    }
    ReadBytes(reinterpret_cast<const uint8_t *>(bytes.constData()), static_cast<size_t>(bytes.size()),
              decode);
}

void TGIFImage::LoadFromStream(QIODevice &stream)
{
    const QByteArray bytes = stream.readAll();
    ReadBytes(reinterpret_cast<const uint8_t *>(bytes.constData()), static_cast<size_t>(bytes.size()),
              true);
}

void TGIFImage::ReadData(QIODevice &stream)
{
    const QByteArray size = stream.read(4);
    if (size.size() != 4)
        throw EReadError(SReadError);
    ReadStream(GetLE32(reinterpret_cast<const uint8_t *>(size.constData())), stream, true);
}

void TGIFImage::LoadFromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw CannotOpenFile(fileName.toStdString(), file.errorString().toStdString());
    LoadFromStream(file);
}
