#include "ListBox.h"

#include <QKeyEvent>

TListBox::TListBox(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QAbstractItemView::clicked, this, &TListBox::Click);
}

int TListBox::ItemIndex() const
{
    const QListWidgetItem *item = currentItem();
    return item && item->isSelected() ? currentRow() : -1;
}

void TListBox::SetItemIndex(int index)
{
    if (index >= 0 && index < count()) {
        setCurrentRow(index);
        return;
    }
    clearSelection();
    setCurrentRow(-1);
}

void TListBox::keyPressEvent(QKeyEvent *event)
{
    const int before = ItemIndex();
    QListWidget::keyPressEvent(event);
    if (ItemIndex() != before && ItemIndex() != -1)
        emit Click();
}
