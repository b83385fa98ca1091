#include "ButtonStream.h"
#include "Exceptions.h"
#include "FailingStream.h"
#include "StreamBytes.h"

#include <gtest/gtest.h>

namespace {

constexpr size_t StateRecordFixed = 13158;  // without the three strings
// "Menu" "#" "No text" "_self", each after its 4-byte length.
constexpr size_t NewButtonStrings = 4 * 4 + 4 + 1 + 7 + 5;
// Each state: name "Menu", caption "No text", font "Tahoma".
constexpr size_t NewStateRecord = StateRecordFixed + 3 * 4 + 4 + 7 + 6;

std::vector<uint8_t> RecordOf(const TButtons &button)
{
    return BytesWrittenBy([&](TStream &s) { SaveToStream(s, button); });
}

// A button whose every group differs from the defaults, padding included.
void MakeUnusual(TButtons &button)
{
    button.Name = "Home";
    button.Prop = {"index.html", "Start page", "_top"};
    TItem &s = button.States[1];
    s.Name = "Over";
    s.Ambient = {0.1f, 0.2f, 0.3f, 0.4f};
    s.Width = 250;
    s.Height = 1;
    s.Background = {0.5f, 0.25f, 0.125f, 1.0f};
    s.Antialias = 0;
    s.Pad[1] = 0x5A;
    s.Lights[6].Enabled = 1;
    s.Lights[6].Pad[2] = 0x77;
    s.Lights[6].Radius = 3.5f;
    s.ButtonItem.Texture.Enabled = 1;
    s.ButtonItem.Texture.Texels[TextureBytes - 1] = 0xEE;
    s.ButtonItem.Material.Shininess = 128;
    s.ButtonItem.Shape.A0 = -10;
    s.ButtonItem.Shape.Derived[7] = 2.0f;
    s.ButtonItem.Deformation.ScaleY = 0.75f;
    s.ButtonItem.Shadow.Enabled = 1;
    s.ButtonItem.Shadow.Pad[0] = 0x11;
    s.TextItem.Text = "Caption \xE0\xE1";  // two Cyrillic letters in Windows-1251
    s.TextItem.VAlign = 2;
    s.TextItem.HAlign = 1;
    s.TextItem.TopMargin = -3;
    s.TextItem.LeftMargin = 4;
    s.TextItem.Charset = 204;
    s.TextItem.Color = 0x123456;
    s.TextItem.FontName = "Arial";
    s.TextItem.Pitch = 2;
    s.TextItem.Size = 12;
    s.TextItem.Style = fsItalic | fsUnderline;
    s.TextItem.Smooth = 0;
    s.TextItem.Reserved = 9;
    s.TextItem.TextShadowPad[1] = 0x42;
    s.TextItem.TextShadowColor = 0xFF;
}

}  // namespace

TEST(StreamString, LayoutAndDamagedLengths)
{
    EXPECT_EQ(BytesWrittenBy([](TStream &s) { WriteStreamString(s, ""); }),
              std::vector<uint8_t>({0, 0, 0, 0}));
    EXPECT_EQ(BytesWrittenBy([](TStream &s) { WriteStreamString(s, "ab"); }),
              std::vector<uint8_t>({2, 0, 0, 0, 'a', 'b'}));

    std::string text = "old";
    TMemoryStream negative({0xFB, 0xFF, 0xFF, 0xFF, 'x'});  // -5
    ReadStreamString(negative, text);
    EXPECT_EQ(text, "");
    EXPECT_EQ(negative.Position(), 4);

    TMemoryStream tooLong({0xFF, 0xFF, 0xFF, 0x7F, 'x', 'y'});  // 2^31-1 bytes promised
    EXPECT_THROW(ReadStreamString(tooLong, text), EReadError);
    TMemoryStream justShort({3, 0, 0, 0, 'x', 'y'});
    EXPECT_THROW(ReadStreamString(justShort, text), EReadError);
    TMemoryStream noLength({3, 0});
    EXPECT_THROW(ReadStreamString(noLength, text), EReadError);
}

TEST(StreamString, WriteErrorIsReported)
{
    TFailingStream stream(6);
    EXPECT_THROW(WriteStreamString(stream, "abcdef"), EWriteError);
}

TEST(ButtonRecord, NewButtonLayout)
{
    TButtons button(nullptr);
    const std::vector<uint8_t> r = RecordOf(button);
    ASSERT_EQ(r.size(), NewButtonStrings + 3 * NewStateRecord);
    EXPECT_EQ(Int32At(r, 0), 4);
    EXPECT_EQ(TextAt(r, 4, 4), "Menu");
    EXPECT_EQ(TextAt(r, 12, 1), "#");
    EXPECT_EQ(TextAt(r, 17, 7), "No text");
    EXPECT_EQ(TextAt(r, 28, 5), "_self");

    for (size_t k = 0; k < 3; ++k) {
        const size_t s = NewButtonStrings + k * NewStateRecord;
        EXPECT_EQ(TextAt(r, s + 4, 4), "Menu");
        EXPECT_EQ(SingleAt(r, s + 8), 0.25f);   // light-model ambient
        EXPECT_EQ(Int32At(r, s + 24), 100);     // Width
        EXPECT_EQ(Int32At(r, s + 28), 30);      // Height
        EXPECT_EQ(SingleAt(r, s + 32), 1.0f);   // Background R
        EXPECT_EQ(r[s + 48], 1);                // Antialias
        EXPECT_EQ(r[s + 49] | r[s + 50] | r[s + 51], 0);
        const size_t lights = s + 52;
        EXPECT_EQ(r[lights], 1);                        // light 0 on
        EXPECT_EQ(SingleAt(r, lights + 52), -5.0f);     // its x
        EXPECT_EQ(r[lights + 84], k == 1 ? 1 : 0);      // light 1 only in the over state
        EXPECT_EQ(SingleAt(r, lights + 2 * 84 + 52), -20.0f);
        const size_t texture = lights + 7 * 84;
        EXPECT_EQ(r[texture], 0);
        const size_t material = texture + 12289;
        EXPECT_EQ(SingleAt(r, material + 8), 0.95f);
        EXPECT_EQ(Int32At(r, material + 48), 64);
        const size_t shape = material + 68;
        EXPECT_EQ(Int32At(r, shape), 45);
        EXPECT_EQ(Int32At(r, shape + 4), 315);
        const size_t deformation = shape + 64;
        EXPECT_EQ(Int32At(r, deformation + 4), k == 0 ? 66 : k == 1 ? 87 : 54);
        EXPECT_EQ(SingleAt(r, deformation + 16), 1.0f);
        const size_t shadow = deformation + 44;
        EXPECT_EQ(SingleAt(r, shadow + 4), 0.1f);
        const size_t caption = shadow + 16;
        EXPECT_EQ(Int32At(r, caption), 7);
        EXPECT_EQ(TextAt(r, caption + 4, 7), "No text");
        const size_t afterText = caption + 11;
        EXPECT_EQ(r[afterText + 16], 1);                             // Charset
        EXPECT_EQ(Int32At(r, afterText + 17), k == 1 ? 0x800000 : 0xFFFFFF);
        EXPECT_EQ(TextAt(r, afterText + 25, 6), "Tahoma");
        const size_t afterFont = afterText + 31;
        EXPECT_EQ(r[afterFont], 0);                  // Pitch
        EXPECT_EQ(Int32At(r, afterFont + 1), 8);     // Size
        EXPECT_EQ(r[afterFont + 5], fsBold);         // Style
        EXPECT_EQ(r[afterFont + 6], 1);              // Smooth
        EXPECT_EQ(r[afterFont + 7], 0);              // reserved
        const size_t textShadow = afterFont + 8;
        EXPECT_EQ(r[textShadow], k == 1 ? 1 : 0);
        EXPECT_EQ(Int32At(r, textShadow + 8), k == 1 ? -1 : 2);
        EXPECT_EQ(Int32At(r, textShadow + 12), k == 1 ? 0xF0FBFF : 0);
        EXPECT_EQ(textShadow + 16, s + NewStateRecord);
    }
}

TEST(ButtonRecord, RoundTripKeepsEveryByteButNotTheFontHeight)
{
    TButtons source(nullptr);
    MakeUnusual(source);
    source.States[1].TextItem.Height = -30;
    const std::vector<uint8_t> first = RecordOf(source);

    TMemoryStream stream(first);
    TButtons copy(nullptr);
    LoadFromStream(stream, copy);
    EXPECT_EQ(stream.Remaining(), 0);
    EXPECT_EQ(RecordOf(copy), first);
    EXPECT_EQ(copy.Name, "Home");
    EXPECT_EQ(copy.Prop.Target, "_top");
    EXPECT_EQ(copy.States[1].Pad[1], 0x5A);
    EXPECT_EQ(copy.States[1].Lights[6].Pad[2], 0x77);
    EXPECT_EQ(copy.States[1].ButtonItem.Shadow.Pad[0], 0x11);
    EXPECT_EQ(copy.States[1].TextItem.TextShadowPad[1], 0x42);
    EXPECT_EQ(copy.States[1].TextItem.Text, "Caption \xE0\xE1");
    EXPECT_EQ(copy.States[1].TextItem.Height, -11);
    EXPECT_EQ(copy.States[1].Dirty, 1);
}

TEST(ButtonRecord, TruncatedTextureKeepsWhatWasReadBefore)
{
    TButtons source(nullptr);
    MakeUnusual(source);
    std::vector<uint8_t> r = RecordOf(source);
    // Cut the record in the middle of the over state's texture.
    const size_t head = 4 * 4 + 4 + 10 + 10 + 4;  // "Home" "index.html" "Start page" "_top"
    const size_t overTexture = head + NewStateRecord + 4 + 4 + 16 + 28 + 7 * 84;
    r.resize(overTexture + 100);
    TMemoryStream stream(r);
    TButtons copy(nullptr);
    EXPECT_THROW(LoadFromStream(stream, copy), EReadError);
    EXPECT_EQ(copy.Name, "Home");
    EXPECT_EQ(copy.Prop.Link, "index.html");
    EXPECT_EQ(copy.States[1].Name, "Over");
    EXPECT_EQ(copy.States[1].Width, 250);
    EXPECT_EQ(copy.States[1].Lights[6].Radius, 3.5f);
    EXPECT_EQ(copy.States[1].ButtonItem.Texture.Enabled, 0);  // the short block is not applied
    EXPECT_EQ(copy.States[2].TextItem.Text, "No text");
}

TEST(ButtonRecord, ImplausibleSizesMarkTheRecordAsDamaged)
{
    const std::vector<uint8_t> good = RecordOf(TButtons(nullptr));
    const size_t width = NewButtonStrings + 4 + 4 + 16;
    const size_t fontSize = NewButtonStrings + NewStateRecord - 16 - 7;
    ASSERT_EQ(Int32At(good, fontSize), 8);
    struct Case { size_t offset; int32_t value; };
    for (const Case c : {Case{width, 0}, Case{width, 251}, Case{width + 4, -1}, Case{width + 4, 1 << 30},
                         Case{fontSize, MaxCaptionFontSize + 1}, Case{fontSize, -MaxCaptionFontSize - 1}}) {
        std::vector<uint8_t> bad = good;
        std::memcpy(bad.data() + c.offset, &c.value, 4);
        TMemoryStream stream(bad);
        TButtons button(nullptr);
        EXPECT_THROW(LoadFromStream(stream, button), EReadError) << c.offset << " " << c.value;
        EXPECT_EQ(button.States[0].Width, 100);
        EXPECT_EQ(button.States[0].Height, 30);
    }
}

TEST(ButtonRecord, FailedWriteIsReported)
{
    TButtons button(nullptr);
    const size_t full = RecordOf(button).size();
    for (const size_t capacity : {size_t(2), size_t(30), size_t(100), full / 2, full - 1}) {
        TFailingStream stream{int64_t(capacity)};
        EXPECT_THROW(SaveToStream(stream, button), EWriteError) << capacity;
    }
}
