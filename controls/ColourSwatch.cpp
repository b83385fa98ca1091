#include "ColourSwatch.h"

#include "CommonDialogs.h"
#include "QtColor.h"

#include <QMouseEvent>
#include <QPainter>

TColourSwatch::TColourSwatch(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TColourSwatch::SetColour(TColor colour)
{
    FColour = colour;
    update();
}

bool TColourSwatch::Choose()
{
    const std::optional<uint32_t> chosen = CommonDialogs().Colour(uint32_t(FColour) & 0xFFFFFF);
    if (chosen)
        SetColour(TColor(*chosen));
    return chosen.has_value();
}

QSize TColourSwatch::sizeHint() const
{
    const int height = fontMetrics().height() + 6;
    return QSize(2 * height, height);
}

void TColourSwatch::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(contentsRect(), ToQColor(uint32_t(FColour)));
    if (!isEnabled()) {
        // A disabled patch still tells its colour, veiled.
        QColor veil = palette().color(QPalette::Window);
        veil.setAlpha(160);
        painter.fillRect(contentsRect(), veil);
    }
}

void TColourSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    QFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
