// Generated pages in a real browser: headless Chromium driven by
// playwright-core moves the real mouse over every button, and the images the
// roll-over script shows are compared with what the naming scheme promises.
#include "BmpWriter.h"
#include "ExternalTool.h"
#include "MenuBlock.h"
#include "NewPage.h"
#include "PageTestKit.h"
#include "PreviewPage.h"
#include "StreamBytes.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <gtest/gtest.h>

using namespace PageTestKit;

namespace {

const QString BrowserDir = SourceDir() + "/tests/publish/browser";

#define SKIP_WITHOUT_BROWSER()                                                                         \
    do {                                                                                               \
        SKIP_WITHOUT_TOOL("node");                                                                     \
        if (!QFileInfo::exists("/usr/bin/chromium"))                                                   \
            GTEST_SKIP() << "skipped: /usr/bin/chromium is not installed";                             \
        if (!QFileInfo::exists(BrowserDir + "/node_modules/playwright-core"))                          \
            GTEST_SKIP() << "skipped: playwright-core is not installed (npm ci in tests/publish/browser)"; \
    } while (0)

// The three state images of each button numbered from first, each file in a
// colour of its own; with split, the last button's main images are 2 pixels
// smaller and its edge images 2 pixels wide or high.
void WriteImageSet(const std::string &folder, const TMenuView &view, long long first, bool split)
{
    QDir().mkpath(QtFilePath(folder));
    const bool across = view.MenuOrientation == 0;
    const auto write = [&](const std::string &name, int width, int height) {
        QImage image(width, height, QImage::Format_RGB888);
        image.fill(QColor::fromHsv(int(qHash(QString::fromStdString(name)) % 360), 200, 200));
        const QByteArray bmp = WriteBmp(image, 6);
        WriteFileText(folder + "/" + name, bmp.toStdString());
    };
    for (size_t i = 0; i < view.Buttons.size(); ++i) {
        const TMenuButton &b = view.Buttons[i];
        const bool last = split && i + 1 == view.Buttons.size();
        for (const char *letter : {"n", "o", "c"}) {
            const std::string stem = letter + std::to_string(first + (long long)i);
            write("img" + stem + ".bmp", b.Width - (last && across ? 2 : 0), b.Height - (last && !across ? 2 : 0));
            if (last)
                write("img" + stem + "e.bmp", across ? 2 : b.Width, across ? b.Height : 2);
        }
    }
}

QJsonObject OpenInBrowser(const std::string &page, const TLines &lines)
{
    WriteFileText(page, JoinLines(lines));
    const ToolResult result = RunTool(
        "node", {BrowserDir + "/rollover.mjs", QUrl::fromLocalFile(QtFilePath(page)).toString()}, {}, 120000);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    return QJsonDocument::fromJson(result.out).object();
}

// Every image loaded at its declared size, and each button (its number and
// whether it is the split last one) showed its normal, over and pressed
// images as the mouse came, pressed, let go and left: after letting go the
// over image on the preview page, the pressed one on published pages.
void ExpectSwaps(const QJsonObject &report, const std::vector<std::pair<int, bool>> &buttons, bool preview)
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

TMenuView BmpView(std::vector<TMenuButton> buttons, int32_t orientation = 0)
{
    TMenuView view = View(std::move(buttons), orientation);
    view.ImageExt = ".bmp";
    return view;
}

TEST(BrowserRollOver, PreviewPageSwapsEveryButtonsImages)
{
    SKIP_WITHOUT_BROWSER();
    TTempFolder dir;
    const TMenuView view = BmpView({Button("One", 90, 24), Button("Two", 120, 30), Button("Three", 60, 40)});
    WriteImageSet(dir.Path("blimg"), view, 0, false);
    ExpectSwaps(OpenInBrowser(dir.Path("index.html"), PreviewPageLines(view)), {{0, false}, {1, false}, {2, false}},
                true);
}

// Quotes, ampersands and blanks in the page's name and the buttons' texts:
// the escaped page still finds every image and swaps them.
TEST(BrowserRollOver, NewPagesSplitTheLastButtonInBothOrientationsWhateverTheNames)
{
    SKIP_WITHOUT_BROWSER();
    const std::pair<std::string, TMenuView> pages[] = {
        {"menu", BmpView({Button("Home", 100, 30), Button("", 80, 26)}, 0)},
        {"menu", BmpView({Button("Home", 100, 30), Button("", 80, 26)}, 1)},
        {"Tom's \"menu\" & co", BmpView({Button("<b>'Home'</b> & \"more\"", 90, 24, "a.html?x=1&y='2'", "f\"r"),
                                         Button("it's", 70, 20)})}};
    for (const auto &[name, view] : pages) {
        TTempFolder dir;
        WriteImageSet(dir.Path(name + ".blimg"), view, 0, true);
        const std::string page = dir.Path(name + ".html");
        ExpectSwaps(OpenInBrowser(page, NewPageLines(page, view)), {{0, false}, {1, true}}, false);
    }
}

TEST(BrowserRollOver, PageWithTwoInsertedBlocks)
{
    SKIP_WITHOUT_BROWSER();
    TTempFolder dir;
    const std::string page = dir.Path("site.html");
    const TMenuView first = BmpView({Button("a", 70, 20), Button("b", 70, 20)});
    const TMenuView second = BmpView({Button("c", 50, 30), Button("d", 50, 30)}, 1);
    TLines lines = NewPageLines(page, first);
    WriteImageSet(dir.Path("site.blimg"), first, MenuBase, true);
    InsertMenuBlock(lines, 0, int(lines.size()) - 2, "site.blimg", second);
    ASSERT_EQ(MenuBase, 2);
    WriteImageSet(dir.Path("site.blimg"), second, MenuBase, true);
    ExpectSwaps(OpenInBrowser(page, lines), {{0, false}, {1, true}, {2, false}, {3, true}}, false);
}

}  // namespace
