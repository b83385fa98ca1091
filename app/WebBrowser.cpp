#include "WebBrowser.h"

#include <QVBoxLayout>
#include <QWebEngineView>

TWebBrowser::TWebBrowser(QWidget *parent) : TBrowser(parent), FView(new QWebEngineView(this))
{
    FView->setContextMenuPolicy(Qt::NoContextMenu);
    FView->setFocusPolicy(Qt::NoFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FView);
    connect(FView, &QWebEngineView::loadFinished, this, &TBrowser::Loaded);
}

void TWebBrowser::Navigate(const QUrl &url) { FView->load(url); }

QUrl TWebBrowser::Url() const { return FView->url(); }
