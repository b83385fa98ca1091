// Generated pages in a real browser: headless Chromium driven by
// playwright-core (tests/publish/browser) moves the real mouse over every
// button, and the images the roll-over script shows are compared with what
// the naming scheme promises.
#pragma once

#include "ExternalTool.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <algorithm>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

inline QString BrowserDir() { return SourceDir() + "/tests/publish/browser"; }

#define SKIP_WITHOUT_BROWSER()                                                                         \
    do {                                                                                               \
        SKIP_WITHOUT_TOOL("node");                                                                     \
        if (!QFileInfo::exists("/usr/bin/chromium"))                                                   \
            GTEST_SKIP() << "skipped: /usr/bin/chromium is not installed";                             \
        if (!QFileInfo::exists(BrowserDir() + "/node_modules/playwright-core"))                        \
            GTEST_SKIP() << "skipped: playwright-core is not installed (npm ci in tests/publish/browser)"; \
    } while (0)

// The browser's report on the page at that path.
inline QJsonObject RunBrowser(const QString &page)
{
    const ToolResult result =
        RunTool("node", {BrowserDir() + "/rollover.mjs", QUrl::fromLocalFile(page).toString()}, {}, 120000);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    return QJsonDocument::fromJson(result.out).object();
}

// Every image loaded at its declared size, and each button (its number and
// whether it is the split last one) showed its normal, over and pressed
// images (BMP files) as the mouse came, pressed, let go and left: after
// letting go the over image on the preview page, the pressed one on
// published pages.
inline void ExpectSwaps(const QJsonObject &report, const std::vector<std::pair<int, bool>> &buttons, bool preview)
{
    int images = 0;
    for (const QJsonValue &value : report["images"].toArray()) {
        const QJsonObject img = value.toObject();
        EXPECT_TRUE(img["complete"].toBool()) << img["name"].toString().toStdString();
        EXPECT_EQ(img["naturalWidth"].toInt(), img["width"].toInt()) << img["name"].toString().toStdString();
        EXPECT_EQ(img["naturalHeight"].toInt(), img["height"].toInt()) << img["name"].toString().toStdString();
        ++images;
    }
    int expectedImages = 0;
    for (const auto &[number, split] : buttons) {
        expectedImages += split ? 2 : 1;
        const QString name = "btn" + QString::number(number) + (split ? "e" : "");
        const QJsonArray buttonsShown = report["buttons"].toArray();
        const auto found = std::find_if(buttonsShown.begin(), buttonsShown.end(),
                                        [&](const QJsonValue &b) { return b.toObject()["name"].toString() == name; });
        ASSERT_NE(found, buttonsShown.end()) << "no button image named " << name.toStdString();
        const QJsonArray trace = found->toObject()["trace"].toArray();
        ASSERT_EQ(trace.size(), 5) << name.toStdString();
        const char *letters[] = {"n", "o", "c", preview ? "o" : "c", "n"};
        for (int step = 0; step < 5; ++step) {
            const QString file = QString("img") + letters[step] + QString::number(number);
            EXPECT_EQ(trace[step].toObject()["main"].toString(), file + ".bmp") << name.toStdString() << " " << step;
            if (split) {
                EXPECT_EQ(trace[step].toObject()["edge"].toString(), file + "e.bmp") << name.toStdString() << " " << step;
            }
        }
    }
    EXPECT_EQ(images, expectedImages);
}
