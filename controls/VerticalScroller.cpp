#include "VerticalScroller.h"

#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <vector>

namespace {

// A row of a page: the height its controls take side by side.
struct TRow {
    int Top, Bottom;
};

// The page's rows: its controls merged where their heights overlap.
std::vector<TRow> RowsOf(const QWidget &page)
{
    std::vector<TRow> spans;
    for (const QWidget *child : page.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (child->isVisibleTo(&page) && !child->isWindow())
            spans.push_back({child->y(), child->y() + child->height()});
    std::sort(spans.begin(), spans.end(), [](const TRow &a, const TRow &b) { return a.Top < b.Top; });
    std::vector<TRow> rows;
    for (const TRow &span : spans)
        if (!rows.empty() && span.Top < rows.back().Bottom)
            rows.back().Bottom = std::max(rows.back().Bottom, span.Bottom);
        else
            rows.push_back(span);
    return rows;
}

class TRowScroller : public QScrollArea {
public:
    explicit TRowScroller(QWidget *page) : FCurtain(new QWidget(viewport()))
    {
        setFrameShape(QFrame::NoFrame);
        // Only the page's controls take the focus: the scroller itself
        // would show nothing and swallow what is typed.
        setFocusPolicy(Qt::NoFocus);
        setWidgetResizable(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setWidget(page);
        for (QWidget *row : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            row->installEventFilter(this);
        FCurtain->setBackgroundRole(QPalette::Window);
        FCurtain->setAutoFillBackground(true);
        FCurtain->hide();
        QScrollBar *bar = verticalScrollBar();
        connect(bar, &QScrollBar::rangeChanged, this, [this] { EndAtLastStop(); });
        connect(bar, &QScrollBar::valueChanged, this, [this](int value) { SnapToStop(value); });
    }

protected:
    void scrollContentsBy(int dx, int dy) override
    {
        QScrollArea::scrollContentsBy(dx, dy);
        Cover();
    }
    void resizeEvent(QResizeEvent *event) override
    {
        QScrollArea::resizeEvent(event);
        Arrange();
    }
    // The scroll range may be set before the page's rows have moved to
    // their places: it follows them as they move.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool moved = event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                           event->type() == QEvent::Show || event->type() == QEvent::Hide;
        if (moved && watched->parent() == widget())
            Arrange();
        return QScrollArea::eventFilter(watched, event);
    }

private:
    // The scroll positions at which the view begins at a row, each past the
    // row before it, up to the first from which every remaining row fits.
    std::vector<int> Stops() const
    {
        const std::vector<TRow> rows = RowsOf(*widget());
        const int room = viewport()->height();
        const int end = widget()->height();
        std::vector<int> stops = {0};
        for (size_t i = 1; i < rows.size() && end - stops.back() > room; ++i)
            stops.push_back(rows[i - 1].Bottom);
        // A last row taller than the room is scrolled to its end.
        if (end - stops.back() > room)
            stops.push_back(end - room);
        return stops;
    }

    void Arrange()
    {
        EndAtLastStop();
        Cover();
    }

    // The scroll bar ends where the last rows show whole.
    void EndAtLastStop()
    {
        const bool scrolls = widget()->height() > viewport()->height();
        verticalScrollBar()->setMaximum(scrolls ? Stops().back() : 0);
    }

    // A move of the scroll bar goes on to the next stop in its direction,
    // so the view always begins at a row.
    void SnapToStop(int value)
    {
        const std::vector<int> stops = Stops();
        int stop = value;
        if (value > FStop) {
            const auto next = std::lower_bound(stops.begin(), stops.end(), value);
            stop = next == stops.end() ? stops.back() : *next;
        } else if (value < FStop) {
            const auto next = std::upper_bound(stops.begin(), stops.end(), value);
            stop = next == stops.begin() ? 0 : *(next - 1);
        }
        FStop = stop;
        if (stop != value)
            verticalScrollBar()->setValue(stop);
    }

    // A row cut by the bottom edge is covered until it is scrolled in whole;
    // the first row shown never is.
    void Cover()
    {
        const int top = verticalScrollBar()->value();
        const int room = viewport()->height();
        for (const TRow &row : RowsOf(*widget()))
            if (row.Top > top && row.Top < top + room && row.Bottom > top + room) {
                FCurtain->setGeometry(0, row.Top - top, viewport()->width(), top + room - row.Top);
                FCurtain->show();
                FCurtain->raise();
                return;
            }
        FCurtain->hide();
    }

    QWidget *FCurtain;
    int FStop = 0;
};

}  // namespace

QScrollArea *VerticalScroller(QWidget *page) { return new TRowScroller(page); }
