#include "KitCtrls.h"

#include "Screens.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr QRgb Paper = 0x102030;  // the parent's colour behind see-through labels

// The smallest rectangle holding every pixel of the colour.
QRect BoundsOf(const QImage &image, QRgb colour)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// A label of hard-edged black text with a red shadow over a dark parent.
TKitLabel *ShadowLabel(QWidget &parent, int x)
{
    auto *label = new TKitLabel(&parent);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(24);
    font.setStyleStrategy(QFont::NoAntialias);
    label->setFont(font);
    label->SetFontColor(Qt::black);
    label->SetColor(Qt::white);
    label->SetShadowColor(RGBToColor(255, 0, 0));
    label->SetShadowSize(2);
    label->move(x, 10);
    label->SetCaption(QStringLiteral("H"));
    return label;
}

}  // namespace

TEST(KitLabel, ShadowFallsInItsDirectionAndADisabledLabelIsEmbossed)
{
    QWidget parent;
    parent.setPalette(QPalette(QColor(Paper)));
    parent.setAutoFillBackground(true);
    parent.resize(280, 60);
    const struct {
        TShadowPosition position;
        QPoint offset;
    } cases[] = {{spLeftTop, {-2, -2}}, {spLeftBottom, {-2, 2}}, {spRightBottom, {2, 2}}, {spRightTop, {2, -2}}};
    int x = 10;
    for (const auto &c : cases) {
        TKitLabel *label = ShadowLabel(parent, x);
        x += 40;
        label->SetShadowPos(c.position);
        const QImage image = label->grab().toImage();
        const QRect text = BoundsOf(image, qRgb(0, 0, 0));
        ASSERT_FALSE(text.isEmpty()) << c.position;
        EXPECT_EQ(BoundsOf(image, qRgb(255, 0, 0)), text.translated(c.offset)) << c.position;
    }

    TKitLabel *flat = ShadowLabel(parent, x);
    x += 40;
    flat->SetShadowSize(0);  // the shadow lies under the text: only the text shows
    EXPECT_TRUE(BoundsOf(flat->grab().toImage(), qRgb(255, 0, 0)).isEmpty());

    TKitLabel *disabled = ShadowLabel(parent, x);
    x += 40;
    disabled->SetShadowSize(0);
    disabled->SetColor(QColor(0, 0, 128));
    disabled->setEnabled(false);
    const QRgb grey = ColorToQRgb(clGrayText), highlight = ColorToQRgb(clBtnHighlight);
    ASSERT_NE(grey & 0xFFFFFF, highlight & 0xFFFFFF);
    const QImage embossed = disabled->grab().toImage();
    const QRect greyText = BoundsOf(embossed, grey);
    ASSERT_FALSE(greyText.isEmpty());
    EXPECT_EQ(BoundsOf(embossed, highlight), greyText.translated(1, 1));

    TKitLabel *seeThrough = ShadowLabel(parent, x);
    seeThrough->SetTransparent(true);
    const QImage through = seeThrough->grab().toImage();
    EXPECT_EQ(through.pixel(through.width() - 1, through.height() - 1) & 0xFFFFFF, Paper);
    EXPECT_FALSE(BoundsOf(through, qRgb(0, 0, 0)).isEmpty());
    SaveScreen(parent, "KitLabel-shadows");
}

TEST(KitLabel, AutoSizeKeepsOneLineForNoTextAndGrowsRightJustifiedTextLeftwards)
{
    TKitLabel label;
    label.SetShadowSize(0);
    label.SetCaption(QString());
    EXPECT_EQ(label.height(), label.fontMetrics().height() + 2);

    label.SetAlignment(taRightJustify);
    label.SetCaption(QStringLiteral("Bright"));
    label.move(200, 5);
    const int right = label.x() + label.width();
    label.SetCaption(QStringLiteral("Bright Lane v1.0"));
    EXPECT_EQ(label.x() + label.width(), right);
    EXPECT_LT(label.x(), 200);
}

namespace {

void SendEnter(QWidget &widget)
{
    QEnterEvent enter(QPointF(2, 2), widget.mapToGlobal(QPointF(2, 2)), widget.mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(&widget, &enter);
}

void SendLeave(QWidget &widget)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&widget, &leave);
}

}  // namespace

TEST(KitLabel, EntersOnlyWhileOursIsActiveAndHoldsTheLeaveWhileTheButtonIsDown)
{
    QWidget window;
    window.resize(200, 80);
    auto *label = new TKitLabel(&window);
    label->move(20, 20);
    label->SetCaption(QStringLiteral("Bright Lane v1.0"));
    QSignalSpy entered(label, &TKitLabel::MouseEnter), left(label, &TKitLabel::MouseLeave);
    window.show();
    {
        // Another window takes the activation and goes: no window of ours
        // is active, as when the user works in another program.
        QWidget other;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    }
    ASSERT_EQ(QGuiApplication::focusWindow(), nullptr);
    SendEnter(*label);
    EXPECT_EQ(entered.count(), 0);

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    SendEnter(*label);
    SendEnter(*label);  // enter and leave alternate
    EXPECT_EQ(entered.count(), 1);
    EXPECT_TRUE(label->MouseInControl());

    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(3, 3));
    SendLeave(*label);
    EXPECT_EQ(left.count(), 0);  // held back while the button is down
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(-10, -10));
    EXPECT_EQ(left.count(), 1);  // released outside: the leave comes now
    SendLeave(*label);
    EXPECT_EQ(left.count(), 1);
    EXPECT_FALSE(label->MouseInControl());
}
