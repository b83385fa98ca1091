#include "LittleEndian.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> AsBytes(const QByteArray &bytes)
{
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace

// Every way of writing a number gives the same bytes, and reading them back
// gives the number, the top bits of the wider value dropped.
TEST(LittleEndian, AllWritersAgreeAndReadBack)
{
    uint8_t inPlace[6] = {};
    PutLE16(inPlace, 0xABCD1234u);
    PutLE32(inPlace + 2, 0x89ABCDEFu);

    std::vector<uint8_t> appended;
    AppendLE16(appended, 0xABCD1234u);
    AppendLE32(appended, 0x89ABCDEFu);

    TLittleEndianWriter writer;
    writer.PutU16(0x1234);
    writer.PutU32(0x89ABCDEFu);

    const std::vector<uint8_t> expected = {0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89};
    EXPECT_EQ(std::vector<uint8_t>(inPlace, inPlace + 6), expected);
    EXPECT_EQ(appended, expected);
    EXPECT_EQ(AsBytes(writer.Bytes()), expected);
    EXPECT_EQ(writer.Size(), 6);

    EXPECT_EQ(GetLE16(expected.data()), 0x1234u);
    EXPECT_EQ(GetLE32(expected.data() + 2), 0x89ABCDEFu);
}

TEST(LittleEndian, WriterTakesSignedFieldsBytesAndRawData)
{
    TLittleEndianWriter writer;
    writer.PutU8(0xFE);
    writer.PutI16(-2);
    writer.PutI32(-3);
    writer.PutBytes(QByteArray("BM", 2));
    const std::vector<uint8_t> expected = {0xFE, 0xFE, 0xFF, 0xFD, 0xFF, 0xFF, 0xFF, 'B', 'M'};
    EXPECT_EQ(AsBytes(writer.Bytes()), expected);
    EXPECT_EQ(int32_t(GetLE32(expected.data() + 3)), -3);
}
