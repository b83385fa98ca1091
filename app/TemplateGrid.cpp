#include "TemplateGrid.h"

#include "Codepage.h"
#include "ProjU.h"
#include "QtColor.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

constexpr int RowHeight = 50;
constexpr int FirstColumnWidth = 170;
constexpr int ColumnMargin = 10;  // each column is half the width less this
constexpr int PictureTop = 5;
constexpr int NameGap = 5;        // between the picture and the name
constexpr QRect FocusDot(20, 12, 6, 6);  // relative to the cell
const QPoint NoCell(-1, -1);

// Hands the drawing of every cell to the grid.
class TCellDelegate : public QStyledItemDelegate {
public:
    explicit TCellDelegate(TTemplateGrid &grid) : QStyledItemDelegate(&grid), FGrid(grid) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        FGrid.DrawCell(*painter, option.rect, index.row(), index.column());
    }

private:
    TTemplateGrid &FGrid;
};

const TButtonTemplate *OpenTemplate()
{
    return Proj ? &Proj->ButtonTemplate : nullptr;
}

}  // namespace

TTemplateGrid::TTemplateGrid(QWidget *parent) : QTableWidget(0, Columns, parent)
{
    setObjectName(QStringLiteral("DrawGrid1"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    horizontalHeader()->setDefaultSectionSize(FirstColumnWidth);
    setShowGrid(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the grid; the arrow keys move between its cells.
    setTabKeyNavigation(false);
    setItemDelegate(new TCellDelegate(*this));
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    UpdateRowCount();
}

int TTemplateGrid::ButtonIndex(int row, int column)
{
    return row < 0 || column < 0 || column >= Columns ? -1 : row * Columns + column;
}

int TTemplateGrid::ButtonCount() const
{
    const TButtonTemplate *buttons = OpenTemplate();
    return buttons ? buttons->Count() : 0;
}

int TTemplateGrid::CurrentButton() const
{
    const int index = ButtonIndex(currentRow(), currentColumn());
    return index < ButtonCount() ? index : -1;
}

void TTemplateGrid::SetCurrentButton(int index)
{
    setCurrentCell(index / Columns, index % Columns);
}

void TTemplateGrid::UpdateRowCount()
{
    const int rows = (ButtonCount() + Columns - 1) / Columns;
    setRowCount(rows);
    // A grid without buttons has no cell to show the focus on: it is no
    // stop of the Tab key then.
    setFocusPolicy(rows > 0 ? Qt::StrongFocus : Qt::NoFocus);
    if (rows > 0 && !currentIndex().isValid())
        setCurrentCell(0, 0);
    viewport()->update();
}

void TTemplateGrid::SetBackground(uint32_t colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, ToQColor(colour));
    setPalette(colours);
    viewport()->update();
}

void TTemplateGrid::DrawCell(QPainter &painter, const QRect &rect, int row, int column) const
{
    const int index = ButtonIndex(row, column);
    if (index < 0 || index >= ButtonCount())
        return;
    const TemplateU::TButtonItem &entry = OpenTemplate()->GetItem(index);
    const QImage picture = entry.GetThumbnail(QPoint(column, row) == FHot ? FHotState : 0);
    const bool chosen = index == Proj->TemplateButtonIndex;
    painter.fillRect(rect, palette().brush(chosen ? QPalette::Highlight : QPalette::Base));

    const int pictureLeft = rect.left() + (rect.width() - picture.width()) / 2;
    painter.drawImage(pictureLeft, rect.top() + PictureTop, picture);
    const QString name = FromAnsi(entry.Name);
    const int nameLeft = rect.left() + (rect.width() - painter.fontMetrics().horizontalAdvance(name)) / 2;
    const int nameTop = rect.top() + PictureTop + picture.height() + NameGap;
    painter.setPen(palette().color(chosen ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(QRect(nameLeft, nameTop, rect.right() - nameLeft, rect.bottom() - nameTop),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, name);

    if (hasFocus() && row == currentRow() && column == currentColumn()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::red);
        painter.drawEllipse(FocusDot.translated(rect.topLeft()));
    }
}

QPoint TTemplateGrid::CellAt(const QPoint &position) const
{
    return QPoint(columnAt(position.x()), rowAt(position.y()));
}

void TTemplateGrid::UpdateCell(const QPoint &cell)
{
    if (cell.x() >= 0 && cell.y() >= 0)
        viewport()->update(visualRect(model()->index(cell.y(), cell.x())));
}

// A real cell of a grid with buttons shows the given picture; anything else
// leaves every button at rest.
void TTemplateGrid::SetHot(const QPoint &cell, int state)
{
    FHot = cell;
    const bool real = ButtonCount() > 0 && cell.x() >= 0 && cell.y() >= 0;
    FHotState = real ? state : 0;
    UpdateCell(cell);
}

void TTemplateGrid::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint cell = CellAt(event->position().toPoint());
    if (cell != FHot) {
        const QPoint old = FHot;
        FHotState = 0;
        UpdateCell(old);
        SetHot(cell, 1);
    }
    QTableWidget::mouseMoveEvent(event);
}

void TTemplateGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint old = FHot;
    SetHot(CellAt(event->position().toPoint()), 2);
    UpdateCell(old);
    QTableWidget::mousePressEvent(event);
}

void TTemplateGrid::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint old = FHot;
    SetHot(CellAt(event->position().toPoint()), 1);
    UpdateCell(old);
    QTableWidget::mouseReleaseEvent(event);
}

void TTemplateGrid::leaveEvent(QEvent *event)
{
    ClearHotCell();
    QTableWidget::leaveEvent(event);
}

void TTemplateGrid::ClearHotCell()
{
    if (FHot == NoCell)
        return;
    const QPoint old = FHot;
    FHot = NoCell;
    FHotState = 0;
    UpdateCell(old);
}

void TTemplateGrid::resizeEvent(QResizeEvent *event)
{
    QTableWidget::resizeEvent(event);
    const int width = std::max(1, viewport()->width() / Columns - ColumnMargin);
    for (int column = 0; column < Columns; ++column)
        setColumnWidth(column, width);
}
