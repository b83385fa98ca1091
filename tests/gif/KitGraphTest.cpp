#include "KitGraph.h"

#include "Exceptions.h"
#include "GifTestSupport.h"
#include "ScriptedMessageBoxes.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// Every character is 10 pixels wide.
int32_t TenPerChar(const std::string &s) { return static_cast<int32_t>(s.size()) * 10; }

}  // namespace

TEST(ShortenText, DropsCharactersBeforeAnEllipsisUntilItFits)
{
    const std::tuple<const char *, int32_t, const char *> cases[] = {
        {"Caption", 70, "Caption"}, {"0123456789", 99, "012345..."}, {"0123456789", 5, "..."}, {"ab", 15, "..."}};
    for (const auto &[text, width, shown] : cases)
        EXPECT_EQ(ShortenText(text, TenPerChar, width), shown) << text << " " << width;
    // Two characters go before the first ellipsis is tried.
    std::vector<std::string> tried;
    ShortenText("0123456789", [&tried](const std::string &s) { return tried.push_back(s), TenPerChar(s); }, 99);
    EXPECT_EQ(std::vector<std::string>(tried.begin() + 1, tried.begin() + 3),
              (std::vector<std::string>{"01234567...", "0123456..."}));
}

TEST(SplitCommandLine, TheProgramAndItsParameters)
{
    const std::string longName(1000, 'n');
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"\"C:\\Program Files\\BL\\bl.exe\" word \"two words\"", "C:\\Program Files\\BL\\bl.exe", "word \"two words\""},
        {"", "", ""},
        {"\"\"  prog.exe   a\tb", "prog.exe", "a b"},
        {longName + " \"" + longName + " x\"", longName, "\"" + longName + " x\""},
        {std::string("a b\0c", 5), "a", "b"},  // stops at a zero byte
        {"a \" b", "a", "\" b\""}};          // an open quote runs to the end
    for (const auto &[line, program, parameters] : cases) {
        std::string exe = "x", params = "y";
        SplitCommandLine(line, exe, params);
        EXPECT_EQ(exe, program) << line.substr(0, 40);
        EXPECT_EQ(params, parameters) << line.substr(0, 40);
    }
}

TEST(MemoryBlocks, AllocCompareCopyFree)
{
    EXPECT_EQ(AllocMemBlock(0), nullptr);
    void *a = AllocMemBlock(7);
    void *b = AllocMemBlock(7);
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(CompareMemBlock(a, b, 7));  // both zero-filled
    static_cast<char *>(OffsetPointer(b, 6))[0] = 1;  // the last byte differs
    EXPECT_FALSE(CompareMemBlock(a, b, 7));
    EXPECT_TRUE(CompareMemBlock(a, b, 6));
    CopyMemBlock(a, b, 7);
    EXPECT_TRUE(CompareMemBlock(a, b, 7));
    FreeMemBlock(a);
    FreeMemBlock(b);
    EXPECT_EQ(a, nullptr);
    FreeMemBlock(a);  // freeing nothing is harmless
}

TEST(NotImplemented, TheProgramsHookShowsAnInformationBoxThenAborts)
{
    TScriptedMessageBoxes boxes;
    boxes.Answer(idOK);
    InstallNotImplementedBox();
    EXPECT_THROW(NotImplemented(), EAbort);
    SetNotImplementedHook(nullptr);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].Text, "Function not yet implemented");
    EXPECT_EQ(boxes.Shown()[0].Buttons, TMsgButtons::OK);
    EXPECT_EQ(boxes.Shown()[0].Icon, TMsgIcon::Information);
}

TEST(TransparentDraw, DefaultColourIsTheBottomLeftPixel)
{
    const QImage bitmap = MakeRGB(4, 4, [](int x, int y) -> uint32_t {
        return (x + y) % 2 ? 0xFF00FF : 0x00FF00;
    });
    ASSERT_EQ(bitmap.pixel(0, 3) & 0xFFFFFF, 0xFF00FFu);
    QImage canvas(4, 4, QImage::Format_RGB32);
    canvas.fill(qRgb(1, 2, 3));
    {
        QPainter painter(&canvas);
        StretchBitmapTransparent(painter, bitmap, clDefault, 0, 0, 0, 0, 0, 0, 0, 0);
    }
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(canvas.pixel(x, y) & 0xFFFFFF, (x + y) % 2 ? 0x010203u : 0x00FF00u);
}

TEST(TransparentDraw, NoneDrawsEveryPixelStretched)
{
    const QImage bitmap = MakeRGB(1, 1, [](int, int) -> uint32_t { return 0xFF00FF; });
    QImage canvas(3, 2, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        DrawBitmapTransparent(painter, 0, 0, 3, 2, QRect(), bitmap, clNone);
    }
    EXPECT_EQ(canvas.pixel(2, 1) & 0xFFFFFF, 0xFF00FFu);
}

TEST(DisabledBitmap, WithoutOutlineColourIsPlainFace)
{
    const QImage bitmap = MakeRGB(5, 5, [](int, int) -> uint32_t { return 0x112233; });
    const QImage result = CreateDisabledBitmapEx(bitmap, clBlack, 0x00C0C0C0, clWhite, 0x808080, true);
    for (uint32_t p : Pixels(result))
        EXPECT_EQ(p, 0xC0C0C0u);
}

TEST(DisabledBitmap, OutlineGetsShadowWithHighlightBelowRight)
{
    const QImage bitmap = MakeRGB(4, 4, [](int x, int y) -> uint32_t {
        return x == 1 && y == 1 ? 0x000000 : 0xFFFFFF;
    });
    // Colours are stored R + G shl 8 + B shl 16.
    const QImage result = CreateDisabledBitmapEx(bitmap, clBlack, RGBToColor(10, 10, 10),
                                                 RGBToColor(250, 0, 0), RGBToColor(0, 0, 90), true);
    EXPECT_EQ(result.pixel(1, 1) & 0xFFFFFF, 0x00005Au);
    EXPECT_EQ(result.pixel(2, 2) & 0xFFFFFF, 0xFA0000u);
    EXPECT_EQ(result.pixel(0, 0) & 0xFFFFFF, 0x0A0A0Au);
}

namespace {

class EventCounter : public QObject {
public:
    int seen = 0;
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User || e->type() == QEvent::Quit)
            ++seen;
        return true;
    }
};

}  // namespace

TEST(RemovePendingMessage, DropsWaitingEventsButKeepsAQuit)
{
    EventCounter target;
    QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
    RemovePendingMessage(&target, QEvent::User);
    QCoreApplication::sendPostedEvents(&target);
    EXPECT_EQ(target.seen, 0);
    QCoreApplication::postEvent(&target, new QEvent(QEvent::Quit));
    RemovePendingMessage(&target, QEvent::Quit);
    QCoreApplication::sendPostedEvents(&target);
    EXPECT_EQ(target.seen, 1);
    // Asking to take out a quit request that is not there makes none.
    RemovePendingMessage(&target, QEvent::Quit);
    QCoreApplication::sendPostedEvents(&target);
    EXPECT_EQ(target.seen, 1);
}

namespace {

// A monochrome 3 x 3 picture: one black pixel in the middle of white paper,
// whichever bit value the colour table gives to black.
QImage MonoDot(bool blackIsZero)
{
    QImage mono(3, 3, QImage::Format_Mono);
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
    mono.setColorTable(blackIsZero ? QVector<QRgb>{black, white} : QVector<QRgb>{white, black});
    mono.fill(blackIsZero ? 1 : 0);
    mono.setPixel(1, 1, blackIsZero ? 0 : 1);
    return mono;
}

}  // namespace

TEST(Monochrome, WhiteIsLeftOutAndOnlyThePictureIsEmbossedWhateverColourIsGiven)
{
    const QRgb back = 0x0A0A0A, highlight = 0xFA0000, shadow = 0x00005A;
    for (const bool blackIsZero : {true, false})
        for (const TColor given : {clBlack, clWhite, clDefault, RGBToColor(1, 2, 3)}) {
            SCOPED_TRACE(testing::Message() << given << (blackIsZero ? " black 0" : " black 1"));
            const QImage mono = MonoDot(blackIsZero);
            QImage canvas(3, 3, QImage::Format_RGB32);
            canvas.fill(qRgb(9, 9, 9));
            {
                QPainter painter(&canvas);
                StretchBitmapTransparent(painter, mono, given, 0, 0, 0, 0, 0, 0, 0, 0);
            }
            EXPECT_EQ(canvas.pixel(1, 1) & 0xFFFFFF, 0u);         // the black dot is drawn
            EXPECT_EQ(canvas.pixel(0, 0) & 0xFFFFFF, 0x090909u);  // white is left out

            const QImage disabled = CreateDisabledBitmapEx(mono, given, QRgbToColor(back), QRgbToColor(highlight),
                                                           QRgbToColor(shadow), true);
            EXPECT_EQ(disabled.pixel(1, 1) & 0xFFFFFF, shadow);     // the dot is embossed
            EXPECT_EQ(disabled.pixel(2, 2) & 0xFFFFFF, highlight);  // with its edge below and right
            EXPECT_EQ(disabled.pixel(0, 0) & 0xFFFFFF, back);       // the paper stays background
            EXPECT_EQ(disabled.pixel(2, 1) & 0xFFFFFF, back);
        }
}
