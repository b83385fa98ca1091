#include "ButtonStream.h"
#include "ErrorOf.h"
#include "RecordLayout.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> RecordOf(const TButtons &button)
{
    return BytesWrittenBy([&](TStream &s) { SaveToStream(s, button); });
}

// A new button's record: "Menu", "#", "No text", "_self", then three states
// of equal size.
const size_t NewHead = 4 * 4 + 4 + 1 + 7 + 5;
size_t NewState()
{
    return (RecordOf(TButtons(nullptr)).size() - NewHead) / 3;
}

// The values a new button starts with, field by field; the over and pressed states
// differ from the normal one in the fields given last.
TFieldValues NewButtonValues()
{
    TFieldValues v = {{"Name", "Menu"}, {"Link", "#"}, {"Alt", "No text"}, {"Target", "_self"}};
    for (int s = 0; s < 3; ++s) {
        const std::string k = "State" + std::to_string(s) + ".";
        const TFieldValues state = {
            {"Name", "Menu"},           {"Ambient", "0.25 0.25 0.25 1"},       {"Width", "100"},
            {"Height", "30"},           {"Background", "1 1 1 1"},             {"Antialias+pad", "1 0 0 0"},
            {"Texture.Enabled", "0"},   {"Texels", "zeros"},                   {"Material.Ambient", "0 0 0.95 1"},
            {"Material.Diffuse", "0.2509 0.5019 0.5019 1"}, {"Material.Specular", "0.5098 0.5098 0.5098 1"},
            {"Shininess", "64"},        {"Material.Emission", "0 0 0 1"},
            {"Shape.A0,A7,A1..A6", "45 315 90 90 135 225 270 270"}, {"Shape.Derived", "0 0 0 0 0 0 0 0"},
            {"Deformation.D0..D3", "36 66 66 90"}, {"TopHeight", "1"},         {"Deformation.Derived", "0 0 0 0"},
            {"ScaleX,ScaleY", "0 0"},   {"Shadow.Enabled+pad", "0 0 0 0"},     {"Shadow.DX,DY", "0.1 0.1"},
            {"Shadow.Color", "0"},      {"Text", "No text"},                   {"VAlign,HAlign,TopMargin,LeftMargin", "0 0 0 0"},
            {"Charset", "1"},           {"Color", "16777215"},                 {"FontName", "Tahoma"},
            {"Pitch", "0"},             {"Size", "8"},                         {"Style,Smooth,Reserved", "1 1 0"},
            {"TextShadow+pad", "0 0 0 0"}, {"TextShadow.DX,DY", "2 2"},        {"TextShadow.Color", "0"}};
        for (const auto &[name, value] : state)
            v[k + name] = value;
        for (int i = 0; i < 7; ++i) {
            const std::string l = k + "Light" + std::to_string(i) + ".";
            const bool key = i == 0, left = i % 2 == 0;
            v[l + "Enabled+pad"] = key ? "1 0 0 0" : "0 0 0 0";
            v[l + "Ambient"] = key ? "0.35 0.35 0.35 1" : "0 0 0 1";
            v[l + "Diffuse"] = v[l + "Specular"] = "1 1 1 1";
            v[l + "Position"] = key ? "-5 0 10 1" : left ? "-20 0 10 1" : "20 0 10 1";
            v[l + "Radius,Angle,Depth,Reserved"] = key ? "5 180 10 1" : left ? "20 180 10 1" : "20 0 10 1";
        }
    }
    v["State1.Deformation.D0..D3"] = "36 87 87 90";
    v["State1.Color"] = "8388608";  // $800000, dark blue
    v["State1.TextShadow+pad"] = "1 0 0 0";
    v["State1.TextShadow.DX,DY"] = "1 -1";
    v["State1.TextShadow.Color"] = "15793151";  // $F0FBFF
    v["State1.Light1.Enabled+pad"] = "1 0 0 0";
    v["State2.Deformation.D0..D3"] = "36 54 54 90";
    return v;
}

// A button whose every group differs from the defaults, padding included.
void MakeUnusual(TButtons &button)
{
    button.Name = "Home";
    button.Prop = {"index.html", "Start page", "_top"};
    TItem &s = button.States[1];
    s.Name = "Over";
    s.Width = 250;
    s.Height = 1;
    s.Pad[1] = 0x5A;
    s.Lights[6].Pad[2] = 0x77;
    s.Lights[6].Radius = 3.5f;
    s.ButtonItem.Texture.Texels[TextureBytes - 1] = 0xEE;
    s.ButtonItem.Shape.Derived[7] = 2.0f;
    s.ButtonItem.Shadow.Pad[0] = 0x11;
    s.TextItem.Text = "Caption \xE0\xE1";  // two Cyrillic letters in Windows-1251
    s.TextItem.Reserved = 9;
    s.TextItem.TextShadowPad[1] = 0x42;
}

TEST(ButtonRecord, ANewButtonIsWrittenFieldByFieldWithItsDefaults)
{
    const std::vector<uint8_t> record = RecordOf(TButtons(nullptr));
    size_t offset = 0;
    const TFieldValues read = ReadFields(record, offset, ButtonLayout());
    EXPECT_EQ(offset, record.size());
    for (const auto &[name, value] : NewButtonValues())
        EXPECT_EQ(read.at(name), value) << name;
}

TEST(ButtonRecord, RoundTripKeepsEveryByteButNotTheFontHeight)
{
    TButtons source(nullptr);
    MakeUnusual(source);
    source.States[1].TextItem.Height = -30;
    const std::vector<uint8_t> first = RecordOf(source);
    TMemoryStream stream(first);
    TButtons copy(nullptr);
    copy.States[1].Dirty = 0;
    LoadFromStream(stream, copy);
    EXPECT_EQ(stream.Remaining(), 0);
    EXPECT_EQ(RecordOf(copy), first);
    EXPECT_EQ(copy.States[1].TextItem.Text, "Caption \xE0\xE1");
    EXPECT_EQ(copy.States[1].TextItem.Height, -11);
    EXPECT_EQ(copy.States[1].Dirty, 0);
}

TEST(ButtonRecord, ACutRecordKeepsTheFieldsReadBeforeTheCut)
{
    TButtons source(nullptr);
    MakeUnusual(source);
    std::vector<uint8_t> record = RecordOf(source);
    // Cut in the middle of the over state's texture.
    const size_t overTexture = 4 * 4 + 4 + 10 + 10 + 4 + NewState() + 4 + 4 + 16 + 28 + 7 * 84;
    record.resize(overTexture + 100);
    TMemoryStream stream(record);
    TButtons copy(nullptr);
    EXPECT_THROW(LoadFromStream(stream, copy), EReadError);
    EXPECT_EQ(copy.Prop.Link, "index.html");
    EXPECT_EQ(copy.States[1].Name, "Over");
    EXPECT_EQ(copy.States[1].Lights[6].Radius, 3.5f);
    EXPECT_EQ(copy.States[1].ButtonItem.Texture.Texels[TextureBytes - 1], 0);  // the short block is not applied
    EXPECT_EQ(copy.States[2].TextItem.Text, "No text");
}

TEST(ButtonRecord, DamagedLengthsAndImplausibleSizesAreRefused)
{
    const std::vector<uint8_t> good = RecordOf(TButtons(nullptr));
    const size_t width = NewHead + 4 + 4 + 16;
    const size_t fontSize = NewHead + NewState() - 16 - 7;
    ASSERT_EQ(Int32At(good, fontSize), 8);
    const std::pair<size_t, int32_t> cases[] = {{width, 0},
                                                {width, 251},
                                                {width + 4, -1},
                                                {width + 4, 1 << 30},
                                                {fontSize, MaxCaptionFontSize + 1},
                                                {fontSize, -MaxCaptionFontSize - 1},
                                                {0, 0x7FFFFFFF}};  // a name longer than the file
    for (const auto &[offset, value] : cases) {
        std::vector<uint8_t> bad = good;
        std::memcpy(bad.data() + offset, &value, 4);
        TMemoryStream stream(bad);
        TButtons button(nullptr);
        EXPECT_THROW(LoadFromStream(stream, button), EReadError) << offset << " " << value;
        EXPECT_EQ(button.States[0].Width, 100);
    }

    // A negative length reads as an empty string.
    std::string text = "old";
    TMemoryStream negative({0xFB, 0xFF, 0xFF, 0xFF, 'x'});
    ReadStreamString(negative, text);
    EXPECT_EQ(text, "");
    EXPECT_EQ(negative.Position(), 4);
    for (const std::vector<uint8_t> &bytes : {std::vector<uint8_t>{3, 0, 0, 0, 'x', 'y'}, std::vector<uint8_t>{3, 0}}) {
        TMemoryStream stream(bytes);
        EXPECT_THROW(ReadStreamString(stream, text), EReadError);
    }
}

}  // namespace
