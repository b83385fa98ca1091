#include "LittleEndian.h"

#include <climits>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Each field low byte first; signed ones in two's complement, so a negative
// value keeps every bit.
TEST(LittleEndianWriter, FieldsAreLowByteFirstAndSignedOnesKeepTheirSign)
{
    using TPut = std::function<void(TLittleEndianWriter &)>;
    const std::pair<TPut, QByteArray> fields[] = {
        {[](TLittleEndianWriter &w) { w.PutU8(0xAB); }, QByteArray("\xAB", 1)},
        {[](TLittleEndianWriter &w) { w.PutU16(0x1234); }, QByteArray("\x34\x12", 2)},
        {[](TLittleEndianWriter &w) { w.PutU32(0x12345678); }, QByteArray("\x78\x56\x34\x12", 4)},
        {[](TLittleEndianWriter &w) { w.PutI16(-2); }, QByteArray("\xFE\xFF", 2)},
        {[](TLittleEndianWriter &w) { w.PutI16(SHRT_MIN); }, QByteArray("\x00\x80", 2)},
        {[](TLittleEndianWriter &w) { w.PutI16(SHRT_MAX); }, QByteArray("\xFF\x7F", 2)},
        {[](TLittleEndianWriter &w) { w.PutI32(-2); }, QByteArray("\xFE\xFF\xFF\xFF", 4)},
        {[](TLittleEndianWriter &w) { w.PutI32(INT_MIN); }, QByteArray("\x00\x00\x00\x80", 4)},
    };
    for (const auto &[put, bytes] : fields) {
        TLittleEndianWriter writer;
        put(writer);
        EXPECT_EQ(writer.Bytes().toHex(), bytes.toHex());
        EXPECT_EQ(writer.Size(), bytes.size());
    }
}

}  // namespace
