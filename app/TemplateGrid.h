// The grid of the open button template: its buttons two to a row, each as
// the picture of one of its states with its name below. A button shows its
// normal picture at rest, its over picture under the mouse and its pressed
// picture while the mouse button is held on it. The current cell has a red
// dot while the grid has the focus; keys move it like a click does.
#pragma once

#include <QPoint>
#include <QTableWidget>

#include <cstdint>

class TTemplateGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit TTemplateGrid(QWidget *parent = nullptr);

    static constexpr int Columns = 2;

    // The template button a cell shows: -1 for a cell past the last button
    // or outside the grid.
    static int ButtonIndex(int row, int column);
    int ButtonCount() const;
    // The button of the current cell, or -1.
    int CurrentButton() const;
    // Makes the button's cell the current one.
    void SetCurrentButton(int index);

    // Rows for the open template's buttons. The current cell stays; a grid
    // that had none gets the first cell.
    void UpdateRowCount();
    void SetBackground(uint32_t colour);

    // The cell under the mouse, (-1, -1) for none, and the picture it shows:
    // 0 normal, 1 over, 2 pressed.
    QPoint HotCell() const { return FHot; }
    int HotState() const { return FHotState; }
    // The mouse went elsewhere: every button shows its normal picture.
    void ClearHotCell();

    // Draws one cell as the grid paints it.
    void DrawCell(QPainter &painter, const QRect &rect, int row, int column) const;

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QPoint CellAt(const QPoint &position) const;
    void UpdateCell(const QPoint &cell);
    void SetHot(const QPoint &cell, int state);

    QPoint FHot{-1, -1};  // x the column, y the row
    int FHotState = 0;
};
