#include "ParentBackground.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

namespace {

// Renders `widget` into `behind`, whose top-left corner is the point `area`
// of the widget's parent.
void RenderInto(QImage &behind, QWidget &widget, const QRect &area, QWidget::RenderFlags flags)
{
    const QRect overlap = widget.geometry().intersected(area);
    widget.render(&behind, overlap.topLeft() - area.topLeft(),
                  QRegion(overlap.translated(-widget.pos())), flags);
}

}  // namespace

void PaintParentBackground(QWidget *control, QPainter &painter)
{
    QWidget *parent = control ? control->parentWidget() : nullptr;
    if (!parent)
        return;
    const QRect area = control->geometry();
    const qreal ratio = control->devicePixelRatioF();
    QImage behind(area.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    behind.setDevicePixelRatio(ratio);
    behind.fill(Qt::transparent);

    // The parent paints itself without its children, then the siblings below
    // the control (the parent's list is its stacking order) paint over it.
    const QRect parentArea(QPoint(0, 0), parent->size());
    parent->render(&behind, QPoint(), QRegion(area.intersected(parentArea)), QWidget::DrawWindowBackground);
    for (QObject *child : parent->children()) {
        if (child == control)
            break;
        auto *sibling = qobject_cast<QWidget *>(child);
        if (sibling && !sibling->isWindow() && sibling->isVisible() && sibling->geometry().intersects(area))
            RenderInto(behind, *sibling, area, QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    painter.drawImage(QPoint(0, 0), behind);
}
