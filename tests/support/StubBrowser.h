// A stand-in for the embedded browser in widget tests: remembers where it
// was sent and reports every page as loaded at once.
#pragma once

#include "Browser.h"

#include <QStringList>

class TStubBrowser : public TBrowser {
public:
    using TBrowser::TBrowser;
    void Navigate(const QUrl &url) override
    {
        FUrl = url;
        Visited.push_back(url);
        emit Loaded(true);
    }
    QUrl Url() const override { return FUrl; }

    QList<QUrl> Visited;

private:
    QUrl FUrl;
};
