#include "WebBrowser.h"

#include <QChildEvent>
#include <QVBoxLayout>
#include <QWebEngineView>

TWebBrowser::TWebBrowser(QWidget *parent) : TBrowser(parent), FView(new QWebEngineView(this))
{
    FView->setContextMenuPolicy(Qt::NoContextMenu);
    FView->setFocusPolicy(Qt::NoFocus);
    FView->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FView);
    connect(FView, &QWebEngineView::loadFinished, this, &TBrowser::Loaded);
}

void TWebBrowser::showEvent(QShowEvent *event)
{
    TBrowser::showEvent(event);
    // The view adds the widget it draws pages with when its page starts, and
    // Qt makes a shown window that gains such a widget anew. Left to the view,
    // that start comes a moment after the window shows, and a box shown
    // meanwhile (at start-up) is left belonging to a window that is gone.
    // Started here, before the window itself shows anything, the window is
    // made anew before anything belongs to it.
    if (FView->url().isEmpty())
        Navigate(QUrl(QStringLiteral("about:blank")));
}

void TWebBrowser::Navigate(const QUrl &url) { FView->load(url); }

QUrl TWebBrowser::Url() const { return FView->url(); }

bool TWebBrowser::eventFilter(QObject *watched, QEvent *event)
{
    // The view makes that widget itself, able to take the focus: as a Tab
    // stop it would show nothing and keep the Tab key for the page.
    if (event->type() == QEvent::ChildPolished)
        if (auto *page = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child()))
            page->setFocusPolicy(Qt::NoFocus);
    return TBrowser::eventFilter(watched, event);
}
