#include "FlowTabs.h"

#include "VerticalScroller.h"

#include <QButtonGroup>
#include <QScrollArea>
#include <QEvent>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

// The tab buttons, placed row by row: a button that does not fit beside the
// previous ones starts a new row, and each row is stretched to the width.
class TFlowTabs::TStrip : public QWidget {
public:
    using QWidget::QWidget;

    void Add(QToolButton *button)
    {
        button->setParent(this);
        FButtons.push_back(button);
        updateGeometry();
    }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return int(Rows(width).size()) * RowHeight(); }
    QSize sizeHint() const override
    {
        int width = 0;
        for (const QToolButton *button : FButtons)
            width += button->sizeHint().width();
        return QSize(width, RowHeight());
    }
    QSize minimumSizeHint() const override
    {
        int width = 0;
        for (const QToolButton *button : FButtons)
            width = std::max(width, button->sizeHint().width());
        return QSize(width, RowHeight());
    }

protected:
    void resizeEvent(QResizeEvent *) override { Place(); }
    bool event(QEvent *e) override
    {
        // A new caption (a language change) can change the rows.
        if (e->type() == QEvent::LayoutRequest)
            Place();
        return QWidget::event(e);
    }

private:
    int RowHeight() const
    {
        int height = 0;
        for (const QToolButton *button : FButtons)
            height = std::max(height, button->sizeHint().height());
        return height;
    }

    // The buttons of each row, in order.
    std::vector<std::vector<QToolButton *>> Rows(int width) const
    {
        std::vector<std::vector<QToolButton *>> rows(1);
        int used = 0;
        for (QToolButton *button : FButtons) {
            const int w = button->sizeHint().width();
            if (!rows.back().empty() && used + w > width) {
                rows.emplace_back();
                used = 0;
            }
            rows.back().push_back(button);
            used += w;
        }
        return rows;
    }

    void Place()
    {
        const int height = RowHeight();
        int y = 0;
        for (const auto &row : Rows(width())) {
            int natural = 0;
            for (const QToolButton *button : row)
                natural += button->sizeHint().width();
            const int extra = std::max(0, width() - natural);
            int x = 0;
            for (size_t i = 0; i < row.size(); ++i) {
                // The row's spare width is shared out, the last button taking the rest.
                const int w = row[i]->sizeHint().width() + extra / int(row.size()) +
                              (i + 1 == row.size() ? extra % int(row.size()) : 0);
                row[i]->setGeometry(x, y, w, height);
                x += w;
            }
            y += height;
        }
        if (heightForWidth(width()) != this->height())
            updateGeometry();
    }

    std::vector<QToolButton *> FButtons;
};

TFlowTabs::TFlowTabs(QWidget *parent)
    : QWidget(parent), FStrip(new TStrip), FButtons(new QButtonGroup(this)), FPages(new QStackedWidget)
{
    FPages->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FStrip);
    layout->addWidget(FPages, 1);
    connect(FButtons, &QButtonGroup::idClicked, this, [this](int index) {
        if (index == FPages->currentIndex())
            return;
        FPages->setCurrentIndex(index);
        emit currentChanged(index);
    });
}

void TFlowTabs::AddPage(QWidget *page, const QString &caption)
{
    auto *button = new QToolButton;
    button->setText(caption);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::TabFocus);
    FButtons->addButton(button, FPages->count());
    FStrip->Add(button);
    FPages->addWidget(VerticalScroller(page));
    if (FPages->count() == 1)
        button->setChecked(true);
}

int TFlowTabs::Count() const { return FPages->count(); }

QWidget *TFlowTabs::Page(int index) const
{
    auto *scroller = static_cast<QScrollArea *>(FPages->widget(index));
    return scroller ? scroller->widget() : nullptr;
}

QToolButton *TFlowTabs::TabButton(int index) const { return static_cast<QToolButton *>(FButtons->button(index)); }

int TFlowTabs::CurrentIndex() const { return FPages->currentIndex(); }

void TFlowTabs::SetCurrentIndex(int index)
{
    if (index < 0 || index >= Count())
        return;
    const QSignalBlocker blocker(this);
    FPages->setCurrentIndex(index);
    TabButton(index)->setChecked(true);
}
