// Writing a TGIFImage as the bytes of a GIF87a or GIF89a file.
#include "KitGIF.h"

#include "Exceptions.h"
#include "FileSystem.h"
#include "GIFErrors.h"
#include "LittleEndian.h"
#include "Streams.h"

#include <QIODevice>
#include <algorithm>

namespace {

constexpr uint8_t kExtensionIntroducer = 0x21;
constexpr uint8_t kImageSeparator = 0x2C;
constexpr uint8_t kTrailer = 0x3B;
constexpr uint8_t kLabels[] = {0xF9, 0x01, 0xFF, 0xFE};  // by TExtensionType

using TBytes = std::vector<uint8_t>;

void Append(TBytes &out, const uint8_t *bytes, size_t count) { out.insert(out.end(), bytes, bytes + count); }

// Lines as data sub-blocks; a line longer than 255 bytes goes on in further
// sub-blocks, an empty line writes nothing; then the terminator.
void GIFWriteSubBlocks(TBytes &out, const TStrings &lines)
{
    for (const std::string &line : lines) {
        for (size_t pos = 0; pos < line.size(); pos += 255) {
            const size_t n = std::min<size_t>(255, line.size() - pos);
            out.push_back(static_cast<uint8_t>(n));
            Append(out, reinterpret_cast<const uint8_t *>(line.data()) + pos, n);
        }
    }
    out.push_back(0);
}

void GIFWriteExtensions(TBytes &out, const std::vector<TExtension> &extensions)
{
    for (const TExtension &e : extensions) {
        out.push_back(kExtensionIntroducer);
        out.push_back(kLabels[e.ExtType]);
        switch (e.ExtType) {
        case etGraphicControl:
            Append(out, e.Header.data(), 6);
            break;
        case etPlainText:
            Append(out, e.Header.data(), 13);
            GIFWriteSubBlocks(out, e.Data);
            break;
        case etApplication:
            Append(out, e.Header.data(), 12);
            GIFWriteSubBlocks(out, e.Data);
            break;
        case etComment:
            GIFWriteSubBlocks(out, e.Data);
            break;
        }
    }
}

void WriteColorTable(TBytes &out, const TGIFColorTable &table, int entries)
{
    for (int i = 0; i < entries; ++i) {
        if (i < table.Count)
            Append(out, table.Colors[static_cast<size_t>(i)].data(), 3);
        else
            out.insert(out.end(), 3, 0);
    }
}

void WriteLoopExtension(TBytes &out, uint16_t repeatCount)
{
    static const char kIdentifier[] = "NETSCAPE2.0";
    out.insert(out.end(), {kExtensionIntroducer, 0xFF, 0x0B});
    Append(out, reinterpret_cast<const uint8_t *>(kIdentifier), 11);
    out.insert(out.end(), {3, 1});
    AppendLE16(out, repeatCount);
    out.push_back(0);
}

// The stored data up to its terminator; data that lost its terminator (or
// ends inside a sub-block) is cut after its last whole sub-block and closed.
void WriteRasterData(TBytes &out, const std::optional<TBytes> &data)
{
    if (!data || data->empty())
        throw EInvalidGraphicOperation(kNoGIFData);
    const TBytes &d = *data;
    size_t pos = 1;
    while (pos < d.size() && d[pos] != 0 && pos + 1 + d[pos] <= d.size())
        pos += 1 + d[pos];
    Append(out, d.data(), pos);
    out.push_back(0);
}

void WriteScreenDescriptor(TBytes &out, const TGIFImage &image)
{
    const TGIFColorTable &global = image.Data->ColorMap;
    AppendLE16(out, image.ScreenWidth);
    AppendLE16(out, image.ScreenHeight);
    if (global.Count > 0) {
        out.push_back(static_cast<uint8_t>(0x80 + ((ColorCountToBits(global.Count) - 1) << 4) +
                                           ((image.Data->BitsPerPixel - 1) & 7)));
        out.push_back(static_cast<uint8_t>(std::max(0, global.FindColorIndex(image.BackgroundColor))));
    } else {
        out.insert(out.end(), {0, 0});
    }
    out.push_back(image.Data->AspectRatio);
}

// The frame's extensions, its image descriptor, its local colour table (padded
// to the size the descriptor announces) and its stored data.
void WriteFrame(TBytes &out, const TGIFFrame &frame)
{
    TGIFItem &item = *frame.Item;
    GIFWriteExtensions(out, frame.Extensions);
    out.push_back(kImageSeparator);
    AppendLE16(out, static_cast<uint32_t>(frame.Left));
    AppendLE16(out, static_cast<uint32_t>(frame.Top));
    AppendLE16(out, static_cast<uint32_t>(item.Width));
    AppendLE16(out, static_cast<uint32_t>(item.Height));
    uint8_t packed = 0;
    if (frame.LocalColors) {
        item.BitsPerPixel = static_cast<uint8_t>(BitsForColorCount(item.ColorMap.Count));
        packed = static_cast<uint8_t>(0x80 + item.BitsPerPixel - 1);
    }
    if (frame.Interlaced)
        packed |= 0x40;
    out.push_back(packed);
    if (frame.LocalColors)
        WriteColorTable(out, item.ColorMap, 1 << item.BitsPerPixel);
    WriteRasterData(out, item.ImageData);
}

}  // namespace

std::vector<uint8_t> TGIFImage::BuildFile()
{
    if (Frames.empty())
        throw EInvalidGraphicOperation(kNoGIFData);
    EncodeFrames(false);
    if (!Data->Comment.empty())
        Version = gv89a;
    TBytes out;
    const char *signature = Version == gv89a ? "GIF89a" : "GIF87a";
    Append(out, reinterpret_cast<const uint8_t *>(signature), 6);
    UpdateScreenSize();
    WriteScreenDescriptor(out, *this);
    WriteColorTable(out, Data->ColorMap, Data->ColorMap.Count);
    if (Looping && Frames.size() > 1)
        WriteLoopExtension(out, RepeatCount);
    for (const auto &frame : Frames)
        WriteFrame(out, *frame);
    if (!Data->Comment.empty()) {
        out.insert(out.end(), {kExtensionIntroducer, 0xFE});
        GIFWriteSubBlocks(out, Data->Comment);
    }
    out.push_back(kTrailer);
    return out;
}

void TGIFImage::WriteStream(QIODevice &stream, bool withSize)
{
    TBytes file = BuildFile();
    if (withSize) {
        TBytes sized;
        AppendLE32(sized, static_cast<uint32_t>(file.size()));
        file.insert(file.begin(), sized.begin(), sized.end());
    }
    if (stream.write(reinterpret_cast<const char *>(file.data()), static_cast<qint64>(file.size())) !=
        static_cast<qint64>(file.size()))
        throw EWriteError(SWriteError);
}

void TGIFImage::SaveToFile(const QString &fileName)
{
    const TBytes file = BuildFile();
    ReplaceFileWith(FilePathBytes(fileName), file.data(), static_cast<int64_t>(file.size()));
}
