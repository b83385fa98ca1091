#include "VerticalScroller.h"

#include <QScrollArea>

QScrollArea *VerticalScroller(QWidget *page)
{
    auto *scroller = new QScrollArea;
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setWidget(page);
    return scroller;
}
