#include "ParentBackground.h"

#include "Screens.h"

#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A parent that paints a band of its own over its red background.
class TBandedParent : public QWidget {
public:
    TBandedParent()
    {
        QPalette palette;
        palette.setColor(QPalette::Window, Qt::red);
        setPalette(palette);
        setAutoFillBackground(true);
        resize(120, 60);
    }

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(0, 0, 120, 10, Qt::blue); }
};

class TSolid : public QWidget {
public:
    TSolid(QWidget *parent, QColor colour, QRect bounds) : QWidget(parent), FColour(colour) { setGeometry(bounds); }

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(rect(), FColour); }

private:
    QColor FColour;
};

// A see-through control: what lies behind it, then a black dot of its own.
class TSeeThrough : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        PaintParentBackground(this, painter);
        painter.fillRect(0, 15, 2, 2, Qt::black);
    }
};

QRgb At(const QImage &image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

}  // namespace

TEST(PaintParentBackground, ShowsTheParentAndTheSiblingsBelowOnly)
{
    TBandedParent parent;
    new TSolid(&parent, Qt::green, QRect(0, 30, 50, 30));       // before: below the control
    auto *control = new TSeeThrough(&parent);
    control->setGeometry(20, 5, 60, 40);
    new TSolid(&parent, Qt::yellow, QRect(70, 0, 50, 60));      // after: stays out
    parent.show();

    QImage painted(control->size(), QImage::Format_RGB32);
    painted.fill(Qt::white);
    control->render(&painted, QPoint(), QRegion(), QWidget::RenderFlags());
    EXPECT_EQ(At(painted, 5, 2), 0x0000FFu);   // the parent's band
    EXPECT_EQ(At(painted, 5, 10), 0xFF0000u);  // the parent's background
    EXPECT_EQ(At(painted, 5, 30), 0x00FF00u);  // the sibling below
    EXPECT_EQ(At(painted, 55, 20), 0xFF0000u); // not the sibling above
    EXPECT_EQ(At(painted, 0, 15), 0u);         // the control's own painting
    SaveScreen(parent, "ParentBackground-siblings");

    QImage orphanPainted(10, 10, QImage::Format_RGB32);
    orphanPainted.fill(Qt::white);
    TSeeThrough orphan;
    orphan.resize(10, 10);
    orphan.render(&orphanPainted, QPoint(), QRegion(), QWidget::RenderFlags());
    EXPECT_EQ(At(orphanPainted, 5, 5), 0xFFFFFFu);  // nothing behind a control without a parent
}
