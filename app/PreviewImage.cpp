#include "PreviewImage.h"

#include "BitmapCopy.h"
#include "ParamU.h"
#include "ProjU.h"

#include <QPainter>

TPreviewImage::TPreviewImage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Image1"));
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TPreviewImage::DrawPreview()
{
    if (FBitmap.size() != size() || FBitmap.format() != QImage::Format_RGB888) {
        FBitmap = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB888);
        FNeedBgRedraw = true;
    }
    const TItem *state = Proj ? Proj->CurrentState() : nullptr;
    if (FNeedBgRedraw || !state)
        FillBitmap(FBitmap, TColor(AppParam().FonColor));
    if (state) {
        const int w = state->ImageWidth();
        const int h = state->ImageHeight();
        // The blit keeps to the bitmap: a state larger than the widget
        // shows its middle part.
        BlitBitsmap(FBitmap, RenderBuffer(), (FBitmap.width() - w) / 2, (FBitmap.height() - h) / 2, w, h);
    }
    FNeedBgRedraw = false;
    FImageShown = state != nullptr;
    update();
}

void TPreviewImage::paintEvent(QPaintEvent *)
{
    if (!FImageShown)
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, FBitmap);
}

void TPreviewImage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FNeedBgRedraw = true;
    DrawPreview();
}
