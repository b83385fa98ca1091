// The embedded browser that shows the preview page, behind a small
// interface: the main window only navigates, asks where it is and hears
// when a page has loaded. The program uses the real browser; widget tests
// install a stand-in through SetBrowserFactory.
#pragma once

#include <QUrl>
#include <QWidget>

#include <functional>

class TBrowser : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    // Starts loading the page; failures are never raised (the page then
    // shows the browser's error text).
    virtual void Navigate(const QUrl &url) = 0;
    virtual QUrl Url() const = 0;

signals:
    void Loaded(bool ok);
};

using TBrowserFactory = std::function<TBrowser *(QWidget *parent)>;

// A new browser from the installed factory (the real one unless replaced).
TBrowser *MakeBrowser(QWidget *parent);

// Installs a factory; an empty one goes back to the real browser.
void SetBrowserFactory(TBrowserFactory factory);
