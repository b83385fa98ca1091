// Pages chosen by a strip of tab buttons that wraps onto further rows when
// it is narrow, so that every caption stays whole in a narrow panel (a tab
// bar would cut captions off or hide tabs behind scroll arrows). A page
// taller than its room scrolls.
#pragma once

#include <QWidget>

class QButtonGroup;
class QStackedWidget;
class QToolButton;

class TFlowTabs : public QWidget {
    Q_OBJECT
public:
    explicit TFlowTabs(QWidget *parent = nullptr);

    // Appends a page with the caption of its tab button; the first page
    // added becomes the current one.
    void AddPage(QWidget *page, const QString &caption);
    int Count() const;
    QWidget *Page(int index) const;
    // The tab button of the page: its caption, tag and hint.
    QToolButton *TabButton(int index) const;

    int CurrentIndex() const;
    // Shows the page from code, without raising currentChanged.
    void SetCurrentIndex(int index);

signals:
    // The user chose another page.
    void currentChanged(int index);

private:
    class TStrip;
    TStrip *FStrip;
    QButtonGroup *FButtons;
    QStackedWidget *FPages;
};
