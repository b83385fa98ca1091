#include "KitCtrls.h"

#include "Screens.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr QRgb Red = 0xFF0000;

// A glyph of the given size: a black-framed red square on see-through
// fuchsia (the bottom-left pixel).
QImage FramedSquare(int size = 16)
{
    QImage glyph(size, size, QImage::Format_RGB32);
    glyph.fill(0xFF00FF);
    for (int y = 3; y < size - 3; ++y)
        for (int x = 3; x < size - 3; ++x)
            glyph.setPixel(x, y, x == 3 || y == 3 || x == size - 4 || y == size - 4 ? 0x000000 : Red);
    return glyph;
}

QRgb Rgb(QRgb pixel) { return pixel & 0xFFFFFF; }

// The same square on a background that its alpha makes see-through.
QImage SeeThroughFramedSquare()
{
    QImage glyph = FramedSquare().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < glyph.height(); ++y)
        for (int x = 0; x < glyph.width(); ++x)
            if (Rgb(glyph.pixel(x, y)) == 0xFF00FF)
                glyph.setPixel(x, y, qRgba(0, 0, 0, 0));
    return glyph;
}

// Counts the pixels of a colour.
int CountOf(const QImage &image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += Rgb(image.pixel(x, y)) == colour;
    return count;
}

// A shown, active window holding buttons, so that presses and the pointer
// act as for a user.
struct TButtonRow {
    TButtonRow()
    {
        window.setLayout(new QHBoxLayout);
        window.resize(300, 60);
    }
    TKitSpeedButton *Add(const QImage &glyph = FramedSquare())
    {
        auto *button = new TKitSpeedButton(&window);
        button->setFixedSize(40, 40);
        button->SetGlyph(glyph);
        window.layout()->addWidget(button);
        return button;
    }
    void Show()
    {
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QWidget window;
};

}  // namespace

TEST(KitSpeedButton, GlyphCountFollowsThePicturesShape)
{
    const struct {
        int width, height, before, after;
    } cases[] = {{64, 16, 1, 4}, {96, 16, 1, 1}, {40, 16, 3, 3}, {32, 16, 5, 2}};
    for (const auto &c : cases) {
        TKitButtonGlyph glyph;
        glyph.SetNumGlyphs(c.before);
        QImage picture(c.width, c.height, QImage::Format_RGB32);
        picture.fill(Qt::white);
        glyph.SetGlyph(picture);
        EXPECT_EQ(glyph.NumGlyphs(), c.after) << c.width << "x" << c.height;
    }
}

TEST(KitSpeedButton, StateImagesAreMadeFromOneGlyphAndSharedBySize)
{
    {
        TKitButtonGlyph a, b, other;
        a.SetGlyph(FramedSquare());
        b.SetGlyph(FramedSquare());
        other.SetGlyph(FramedSquare(20));
        for (int state = 0; state < ButtonStateCount; ++state) {
            a.BuildStateImage(state);
            b.BuildStateImage(state);
        }
        other.BuildStateImage(bsUp);
        ASSERT_NE(a.List(), nullptr);
        EXPECT_EQ(a.List(), b.List());  // one list per glyph size
        EXPECT_NE(a.List(), other.List());
        EXPECT_EQ(a.List()->Count(), 8);  // down shares the up image with fewer than 3 glyphs
        EXPECT_EQ(a.BuildStateImage(bsDown), a.BuildStateImage(bsUp));

        const QImage up = a.List()->Image(a.BuildStateImage(bsUp));
        EXPECT_EQ(qAlpha(up.pixel(0, 15)), 0);  // the fuchsia is see-through
        EXPECT_EQ(Rgb(up.pixel(8, 8)), Red);
        const QImage inactive = a.List()->Image(a.BuildStateImage(bsInactive));
        EXPECT_EQ(Rgb(inactive.pixel(8, 8)), 0x4C4C4Cu);  // the grey level of red
        const QImage disabled = a.List()->Image(a.BuildStateImage(bsDisabled));
        // The black frame embossed: shadow in place, highlight one pixel down
        // and right, the rest see-through.
        EXPECT_EQ(Rgb(disabled.pixel(3, 3)), Rgb(ColorToQRgb(clBtnShadow)));
        EXPECT_EQ(Rgb(disabled.pixel(13, 13)), Rgb(ColorToQRgb(clBtnHighlight)));
        EXPECT_EQ(qAlpha(disabled.pixel(8, 8)), 0);

        a.ReleaseStateImages();
        EXPECT_EQ(b.List()->Count(), 4);
        EXPECT_NE(GlyphCache(), nullptr);
    }
    EXPECT_EQ(GlyphCache(), nullptr);  // freed with the last glyph
}

// A glyph whose background is see-through by its alpha looks in every state
// as the same glyph on a see-through colour: the disabled look embosses its
// black frame, not its background.
TEST(KitSpeedButton, AnAlphaBackgroundStaysSeeThroughInEveryLook)
{
    TKitButtonGlyph keyed, alpha;
    keyed.SetGlyph(FramedSquare());
    alpha.SetGlyph(SeeThroughFramedSquare());
    for (int state = 0; state < ButtonStateCount; ++state) {
        const int alphaSlot = alpha.BuildStateImage(state), keyedSlot = keyed.BuildStateImage(state);
        EXPECT_EQ(alpha.List()->Image(alphaSlot), keyed.List()->Image(keyedSlot)) << "state " << state;
    }
    const QImage disabled = alpha.List()->Image(alpha.BuildStateImage(bsDisabled));
    EXPECT_EQ(qAlpha(disabled.pixel(0, 0)), 0);
    EXPECT_EQ(Rgb(disabled.pixel(3, 3)), Rgb(ColorToQRgb(clBtnShadow)));
}

TEST(KitSpeedButton, FlatButtonIsGreyUntilThePointerIsOverIt)
{
    TButtonRow row;
    TKitSpeedButton *button = row.Add();
    button->SetFlat(true);
    row.Show();
    EXPECT_EQ(CountOf(button->grab().toImage(), Red), 0);
    QEnterEvent enter(QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)), button->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(button, &enter);
    EXPECT_TRUE(button->MouseInControl());
    EXPECT_GT(CountOf(button->grab().toImage(), Red), 0);
}

// The pointer came in while no window of ours was active, so its entering
// did not count; the press marks the button all the same, and a flat one
// shows its pressed frame.
TEST(KitSpeedButton, APressMarksTheButtonAsUnderThePointerSoAFlatOneShowsItsPressedFrame)
{
    TButtonRow row;
    TKitSpeedButton *button = row.Add();
    button->SetFlat(true);
    row.Show();
    {
        QWidget other;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    }
    QEnterEvent enter(QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)), button->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(button, &enter);
    ASSERT_FALSE(button->MouseInControl());

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(button->MouseInControl());
    const QImage pressed = button->grab().toImage();
    EXPECT_EQ(Rgb(pressed.pixel(0, 0)), Rgb(ColorToQRgb(clWindowFrame)));
    EXPECT_EQ(Rgb(pressed.pixel(39, 39)), Rgb(ColorToQRgb(clBtnHighlight)));
    EXPECT_GT(CountOf(pressed, Red), 0);  // the coloured glyph, not the grey one
    SaveScreen(row.window, "KitSpeedButton-flat-pressed");
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
}

TEST(KitSpeedButton, ClicksOnlyWhenReleasedInsideAndGroupsKeepOneDown)
{
    TButtonRow row;
    TKitSpeedButton *plain = row.Add();
    TKitSpeedButton *first = row.Add();
    TKitSpeedButton *second = row.Add();
    first->SetGroupIndex(1);
    second->SetGroupIndex(1);
    row.Show();
    QSignalSpy clicks(plain, &TKitSpeedButton::clicked);

    QTest::mousePress(plain, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(plain->DrawState(), bsDown);
    QTest::mouseMove(plain, QPoint(60, 10));  // out while held: the button rises
    EXPECT_EQ(plain->DrawState(), bsUp);
    QTest::mouseRelease(plain, Qt::LeftButton, {}, QPoint(60, 10));
    EXPECT_EQ(clicks.count(), 0);
    QTest::mouseClick(plain, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(plain->Down());  // an ungrouped button never stays down

    QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(first->Down());
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(second->Down());
    EXPECT_FALSE(first->Down());
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(second->Down());  // only AllowAllUp raises it
    second->SetAllowAllUp(true);
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(second->Down());
    EXPECT_TRUE(first->AllowAllUp());  // the group shares the setting
}

TEST(KitSpeedButton, HeldWithTheTimerItClicksAfterThePauseThenRepeatedly)
{
    TButtonRow row;
    TKitSpeedButton *button = row.Add();
    button->SetAllowTimer(true);
    button->SetInitPause(150);
    button->SetRepeatInterval(20);
    row.Show();
    QSignalSpy clicks(button, &TKitSpeedButton::clicked);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::qWait(50);
    EXPECT_EQ(clicks.count(), 0);
    QTest::qWait(300);
    const int held = clicks.count();
    EXPECT_GE(held, 3);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count(), held + 1);
    QTest::qWait(100);
    EXPECT_EQ(clicks.count(), held + 1);
}

TEST(KitSpeedButton, CentredLayoutSplitsTheFreeSpaceIntoThreeEqualGaps)
{
    TKitButtonGlyph glyph;
    glyph.SetGlyph(FramedSquare());
    const QFont font;
    const QFontMetrics metrics(font);
    const QRect client(0, 0, 60, 80);
    const TGlyphLayout layout =
        glyph.LayoutGlyphAndText(metrics, client, TFaceContent{QStringLiteral("Go"), blGlyphTop, -1, -1, false});
    const int above = layout.GlyphPos.y();
    const int between = layout.CaptionRect.top() - (layout.GlyphPos.y() + 16);
    EXPECT_EQ(above, between);
    EXPECT_EQ(above, (80 - 16 - layout.CaptionRect.height()) / 3);
    EXPECT_EQ(layout.GlyphPos.x(), 30 - 8);
}

TEST(KitSpeedButton, LooksOfEveryState)
{
    TButtonRow row;
    TKitSpeedButton *up = row.Add();
    up->SetCaption(QStringLiteral("Up"));
    up->SetLayout(blGlyphLeft);
    TKitSpeedButton *exclusive = row.Add();
    exclusive->SetGroupIndex(2);
    exclusive->SetDown(true);
    TKitSpeedButton *disabled = row.Add();
    disabled->setEnabled(false);
    TKitSpeedButton *flat = row.Add();
    flat->SetFlat(true);
    QMenu menu;
    TKitSpeedButton *dropDown = row.Add();
    dropDown->SetDropDownMenu(&menu);
    for (TKitSpeedButton *button : {up, exclusive, disabled, flat, dropDown})
        button->setFixedSize(56, 40);
    row.Show();
    EXPECT_GT(CountOf(exclusive->grab().toImage(), Rgb(ColorToQRgb(clBtnHighlight))), 100);  // checkered face
    EXPECT_EQ(CountOf(disabled->grab().toImage(), Red), 0);
    SaveScreen(row.window, "KitSpeedButton-states");
}
