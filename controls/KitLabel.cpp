#include "KitLabel.h"

#include "Accelerator.h"
#include "AssignChanged.h"
#include "ParentBackground.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {

// Far beyond any label: the room a line gets when it is measured unwrapped.
constexpr int Unbounded = 1 << 20;

QPoint ShadowOffset(TShadowPosition position, int size)
{
    switch (position) {
    case spLeftTop: return {-size, -size};
    case spLeftBottom: return {-size, size};
    case spRightBottom: return {size, size};
    case spRightTop: return {size, -size};
    }
    return {};
}

}  // namespace

struct TKitCustomLabel::TTextStyle {
    QString Text;
    int Flags = 0;
    QColor TextColor;
    QColor ShadowColor;
    TShadowPosition Position = spLeftTop;
    int Size = 0;
};

TKitCustomLabel::TKitCustomLabel(QWidget *parent)
    : QWidget(parent), FTracking(*this, [this](bool entered) { entered ? DoMouseEnter() : DoMouseLeave(); })
{
    resize(65, 17);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { FocusChanged(now); });
}

void TKitCustomLabel::SetCaption(const QString &caption)
{
    FCaption = caption;
    UpdateAccelerator();
    update();
    AdjustLabelBounds();
}

void TKitCustomLabel::SetAlignment(TAlignment alignment)
{
    if (AssignChanged(FAlignment, alignment))
        update();
}

void TKitCustomLabel::SetAutoSize(bool autoSize)
{
    FAutoSize = autoSize;
    const QSizePolicy::Policy policy = autoSize ? QSizePolicy::Fixed : QSizePolicy::Preferred;
    setSizePolicy(policy, policy);
    AdjustLabelBounds();
}

void TKitCustomLabel::SetFocusControl(QWidget *control)
{
    FFocusControl = control;
    FFocused = control && control->hasFocus();
    UpdateAccelerator();
    if (FShowFocus)
        update();
}

void TKitCustomLabel::SetLayout(TTextLayout layout)
{
    if (AssignChanged(FLayout, layout))
        update();
}

void TKitCustomLabel::SetShadowColor(TColor color)
{
    if (AssignChanged(FShadowColor, color))
        update();
}

void TKitCustomLabel::SetShadowSize(uint8_t size)
{
    if (!AssignChanged(FShadowSize, size))
        return;
    AdjustLabelBounds();
    update();
}

void TKitCustomLabel::SetShadowPos(TShadowPosition position)
{
    if (AssignChanged(FShadowPos, position))
        update();
}

void TKitCustomLabel::SetShowAccelChar(bool show)
{
    if (!AssignChanged(FShowAccelChar, show))
        return;
    UpdateAccelerator();
    update();
}

void TKitCustomLabel::SetShowFocus(bool show)
{
    if (AssignChanged(FShowFocus, show))
        update();
}

void TKitCustomLabel::SetTransparent(bool transparent)
{
    if (!AssignChanged(FTransparent, transparent))
        return;
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    update();
}

void TKitCustomLabel::SetWordWrap(bool wrap)
{
    if (AssignChanged(FWordWrap, wrap))
        AdjustLabelBounds();
}

QColor TKitCustomLabel::FontColor() const { return palette().color(QPalette::WindowText); }

void TKitCustomLabel::SetFontColor(const QColor &color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, color);
    setPalette(colours);
}

QColor TKitCustomLabel::Color() const { return palette().color(QPalette::Window); }

void TKitCustomLabel::SetColor(const QColor &color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, color);
    setPalette(colours);
}

int TKitCustomLabel::DrawShadowText(QPainter &painter, const QString &text, const QColor &shadowColor,
                                    TShadowPosition position, int size, int flags, QRect &rect) const
{
    const QRect textRect = rect;
    const QRect shadowRect = rect.translated(ShadowOffset(position, size));
    const QPen textPen = painter.pen();
    painter.setPen(shadowColor);
    QRect drawn;
    painter.drawText(shadowRect, flags, text, &drawn);
    painter.setPen(textPen);
    painter.drawText(textRect, flags, text);
    rect = textRect.united(shadowRect);
    return text.isEmpty() ? 0 : drawn.height() + size;
}

Qt::Alignment TKitCustomLabel::HorizontalAlignment() const
{
    const Qt::Alignment alignment = FAlignment == taRightJustify ? Qt::AlignRight
                                    : FAlignment == taCenter     ? Qt::AlignHCenter
                                                                 : Qt::AlignLeft;
    return QStyle::visualAlignment(layoutDirection(), alignment);
}

int TKitCustomLabel::TextFlags() const
{
    return int(Qt::AlignTop | HorizontalAlignment()) | Qt::TextExpandTabs | (FWordWrap ? Qt::TextWordWrap : 0);
}

TKitCustomLabel::TTextStyle TKitCustomLabel::Style(bool measuring, int flags) const
{
    TTextStyle style;
    style.Text = LabelText();
    // An empty caption still measures one line.
    if (measuring && (style.Text.isEmpty() || (FShowAccelChar && style.Text == QLatin1String("&"))))
        style.Text += QLatin1Char(' ');
    style.Flags = flags | (FShowAccelChar ? Qt::TextShowMnemonic : 0);
    style.TextColor = DefaultTextColor();
    style.ShadowColor = QColor::fromRgb(ColorToQRgb(FShadowColor));
    style.Position = FShadowPos;
    style.Size = FShadowSize;
    if (!isEnabled()) {
        style.TextColor = QColor::fromRgb(ColorToQRgb(clGrayText));
        style.ShadowColor = QColor::fromRgb(ColorToQRgb(clBtnHighlight));
        // The embossed look needs a highlight copy even without a shadow.
        if (style.Size == 0) {
            style.Position = spRightBottom;
            style.Size = 1;
        }
    }
    return style;
}

QRect TKitCustomLabel::MeasureLabelText(const QRect &rect, int flags) const
{
    const TTextStyle style = Style(true, flags);
    const int room = FWordWrap ? rect.width() : Unbounded;
    const QSize size = fontMetrics()
                           .boundingRect(QRect(0, 0, room, Unbounded), style.Flags & ~Qt::AlignHorizontal_Mask,
                                         style.Text)
                           .size();
    const QRect text(rect.topLeft(), size);
    return text.united(text.translated(ShadowOffset(style.Position, style.Size)));
}

void TKitCustomLabel::DrawLabelText(QPainter &painter, QRect &rect, int flags) const
{
    const TTextStyle style = Style(false, flags);
    painter.setFont(font());
    painter.setPen(style.TextColor);
    DrawShadowText(painter, style.Text, style.ShadowColor, style.Position, style.Size, style.Flags, rect);
}

// The client rectangle within the margins, one pixel in on every side.
QRect TKitCustomLabel::TextRect() const
{
    return QRect(FLeftMargin, 0, width() - FLeftMargin - FRightMargin, height()).adjusted(1, 1, -1, -1);
}

void TKitCustomLabel::paintEvent(QPaintEvent *)
{
    if (!isEnabled())
        FTracking.SetDragging(false);
    QPainter painter(this);
    if (FTransparent)
        PaintParentBackground(this, painter);
    else
        painter.fillRect(rect(), Color());
    QRect text = TextRect();
    const int flags = TextFlags();
    if (FLayout != tlTop) {
        const QRect measured = MeasureLabelText(text, flags);
        const int bottom = measured.y() + measured.height();
        const int down = FLayout == tlBottom ? height() - bottom : (height() - bottom) / 2;
        text = QRect(FLeftMargin, measured.y() + down, width() - FLeftMargin - FRightMargin, measured.height());
    }
    DrawLabelText(painter, text, flags);
    if (FShowFocus && FFocusControl && FFocused) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = text.adjusted(-1, -1, 1, 1);
        option.backgroundColor = Color();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

// Width and height as the text asks for: its right and bottom edges, with the
// right margin and one pixel of room.
QSize TKitCustomLabel::AutoSizeExtent() const
{
    const QRect measured = MeasureLabelText(TextRect(), TextFlags());
    return QSize(measured.x() + measured.width() + FRightMargin + 1, measured.y() + measured.height() + 1);
}

QSize TKitCustomLabel::sizeHint() const { return FAutoSize ? AutoSizeExtent() : size(); }

void TKitCustomLabel::AdjustLabelBounds()
{
    if (!FAutoSize)
        return;
    const QSize extent = AutoSizeExtent();
    // Right-justified text keeps its right edge.
    const int left = HorizontalAlignment() & Qt::AlignRight ? x() + width() - extent.width() : x();
    setGeometry(left, y(), extent.width(), extent.height());
    updateGeometry();
}

void TKitCustomLabel::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && isEnabled())
        FTracking.SetDragging(true);
    if (event->button() == Qt::RightButton)
        FTracking.Update();
}

void TKitCustomLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        FTracking.SetDragging(false);
    FTracking.Update();
}

void TKitCustomLabel::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    FTracking.Entered();
}

void TKitCustomLabel::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    FTracking.Left();
}

void TKitCustomLabel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        FTracking.Update();
    else if (event->type() == QEvent::FontChange)
        AdjustLabelBounds();
}

void TKitCustomLabel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FTracking.Update();
}

bool TKitCustomLabel::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut && static_cast<QShortcutEvent *>(event)->shortcutId() == FShortcutId) {
        if (FFocusControl && isEnabled() && FFocusControl->focusPolicy() != Qt::NoFocus)
            FFocusControl->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    return QWidget::event(event);
}

void TKitCustomLabel::UpdateAccelerator()
{
    FShortcutId = RegrabAccelerator(*this, FShortcutId, LabelText(), FFocusControl && FShowAccelChar);
}

void TKitCustomLabel::FocusChanged(QWidget *now)
{
    const bool focused = FFocusControl && FFocusControl == now;
    if (focused == FFocused)
        return;
    FFocused = focused;
    if (FShowFocus)
        update();
}
