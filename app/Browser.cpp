#include "Browser.h"

#include "WebBrowser.h"

namespace {
TBrowserFactory &Factory()
{
    static TBrowserFactory factory;
    return factory;
}
}  // namespace

TBrowser *MakeBrowser(QWidget *parent)
{
    return Factory() ? Factory()(parent) : new TWebBrowser(parent);
}

void SetBrowserFactory(TBrowserFactory factory) { Factory() = std::move(factory); }
