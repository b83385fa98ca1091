#include "WmfWriter.h"

#include "Exceptions.h"
#include "LittleEndian.h"
#include "MaskPair.h"

#include <algorithm>

namespace {

constexpr uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr uint16_t MetaSetWindowOrg = 0x020B;
constexpr uint16_t MetaSetWindowExt = 0x020C;
constexpr uint16_t MetaStretchDib = 0x0F43;
constexpr uint16_t MetaEof = 0x0000;
constexpr int HeaderWords = 9;
constexpr int MaxSide = 32767;

// One record: its size in 16-bit words, its function, its parameters.
void PutRecord(TLittleEndianWriter &out, uint16_t function, const QByteArray &parameters, uint32_t &maxRecordWords)
{
    const uint32_t words = uint32_t(3 + parameters.size() / 2);
    maxRecordWords = std::max(maxRecordWords, words);
    out.PutU32(words);
    out.PutU16(function);
    out.PutBytes(parameters);
}

QByteArray PointParameters(int16_t x, int16_t y)
{
    TLittleEndianWriter out;
    out.PutI16(y);
    out.PutI16(x);
    return out.Bytes();
}

QByteArray StretchDibParameters(const TMaskedDib &dib, int16_t width, int16_t height)
{
    TLittleEndianWriter out;
    out.PutU32(dib.Rop);
    out.PutU16(0);  // colour usage: RGB colour table
    out.PutI16(height);  // source rectangle
    out.PutI16(width);
    out.PutI16(0);
    out.PutI16(0);
    out.PutI16(height);  // destination rectangle
    out.PutI16(width);
    out.PutI16(0);
    out.PutI16(0);
    out.PutBytes(dib.Info);
    out.PutBytes(dib.Bits);
    return out.Bytes();
}

void PutPlaceableHeader(TLittleEndianWriter &out, int16_t width, int16_t height)
{
    TLittleEndianWriter header;
    header.PutU32(PlaceableKey);
    header.PutU16(0);  // handle, always 0 in a file
    header.PutI16(0);  // bounding box: left, top, right, bottom
    header.PutI16(0);
    header.PutI16(width);
    header.PutI16(height);
    header.PutU16(WmfUnitsPerInch);
    header.PutU32(0);  // reserved
    uint16_t checksum = 0;
    const QByteArray &bytes = header.Bytes();
    for (int i = 0; i < bytes.size(); i += 2)
        checksum ^= uint16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8);
    header.PutU16(checksum);
    out.PutBytes(header.Bytes());
}

}  // namespace

QByteArray WriteWmf(const QImage &picture, uint32_t transparent)
{
    if (picture.width() > MaxSide || picture.height() > MaxSide)
        throw EInvalidGraphic("Metafile image is too large");
    const auto width = int16_t(picture.width());
    const auto height = int16_t(picture.height());

    uint32_t maxRecordWords = 0;
    TLittleEndianWriter records;
    PutRecord(records, MetaSetWindowOrg, PointParameters(0, 0), maxRecordWords);
    PutRecord(records, MetaSetWindowExt, PointParameters(width, height), maxRecordWords);
    for (const TMaskedDib &dib : MakeMaskPair(picture, transparent))
        PutRecord(records, MetaStretchDib, StretchDibParameters(dib, width, height), maxRecordWords);
    PutRecord(records, MetaEof, {}, maxRecordWords);

    TLittleEndianWriter out;
    PutPlaceableHeader(out, width, height);
    out.PutU16(1);  // metafile type: memory, as files carry it
    out.PutU16(HeaderWords);
    out.PutU16(0x0300);  // version
    out.PutU32(uint32_t(HeaderWords + records.Size() / 2));
    out.PutU16(0);  // no objects
    out.PutU32(maxRecordWords);
    out.PutU16(0);  // unused
    out.PutBytes(records.Bytes());
    return out.Bytes();
}
