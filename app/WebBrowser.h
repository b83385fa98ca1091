// The real embedded browser: a web view without context menu or tab stop.
#pragma once

#include "Browser.h"

class QWebEngineView;

class TWebBrowser : public TBrowser {
    Q_OBJECT
public:
    explicit TWebBrowser(QWidget *parent = nullptr);
    void Navigate(const QUrl &url) override;
    QUrl Url() const override;

protected:
    // Keeps the widget the view draws its page in out of the focus too.
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Starts an empty page when first shown, unless one was asked for.
    void showEvent(QShowEvent *event) override;

private:
    QWebEngineView *FView;
};
