// Generated pages in a real browser: headless Chromium driven by
// playwright-core moves the real mouse over every button, and the images the
// roll-over script shows are compared with what the naming scheme promises.
#include "BmpWriter.h"
#include "ExternalTool.h"
#include "MenuBlock.h"
#include "NewPage.h"
#include "PageTestKit.h"
#include "PreviewPage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
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

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

// One image file of the given size in a colour of its own.
void WriteImage(const QString &folder, const std::string &name, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(QColor::fromHsv(int(qHash(QString::fromStdString(name)) % 360), 200, 200));
    WriteFile(folder + "/" + QString::fromStdString(name), WriteBmp(image, 6));
}

// The three state images of each button; with split, the last button's main
// images are 2 pixels smaller and its edge images 2 pixels wide or high.
void WriteImageSet(const QString &folder, const TMenuView &view, long long first, bool split)
{
    const bool horizontal = view.MenuOrientation == 0;
    for (size_t i = 0; i < view.Buttons.size(); ++i) {
        const TMenuButton &b = view.Buttons[i];
        const std::string n = std::to_string(first + (long long)i);
        const bool last = split && i + 1 == view.Buttons.size();
        for (const char *letter : {"n", "o", "c"}) {
            const std::string stem = std::string("img") + letter + n;
            WriteImage(folder, stem + view.ImageExt, b.Width - (last && horizontal ? 2 : 0),
                       b.Height - (last && !horizontal ? 2 : 0));
            if (last)
                WriteImage(folder, stem + "e" + view.ImageExt, horizontal ? 2 : b.Width, horizontal ? b.Height : 2);
        }
    }
}

void WritePage(const QString &path, const TLines &lines)
{
    const std::string text = JoinLines(lines);
    WriteFile(path, QByteArray(text.data(), qsizetype(text.size())));
}

QJsonObject RunBrowser(const QString &page)
{
    const ToolResult result = RunTool("node", {BrowserDir + "/rollover.mjs", QUrl::fromLocalFile(page).toString()},
                                      {}, 120000);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    return QJsonDocument::fromJson(result.out).object();
}

void ExpectImagesAtDeclaredSizes(const QJsonObject &report, int count)
{
    const QJsonArray images = report["images"].toArray();
    EXPECT_EQ(images.size(), count);
    for (const QJsonValue &value : images) {
        const QJsonObject img = value.toObject();
        const std::string name = img["name"].toString().toStdString();
        EXPECT_TRUE(img["complete"].toBool()) << name;
        EXPECT_EQ(img["naturalWidth"].toInt(), img["width"].toInt()) << name;
        EXPECT_EQ(img["naturalHeight"].toInt(), img["height"].toInt()) << name;
        EXPECT_GT(img["width"].toInt(), 0) << name;
    }
}

// Files expected after start, over, down, up and out for image name "btn" + id.
QStringList Expected(const QString &number, const QString &edge, bool upShowsOver)
{
    QStringList files;
    for (const char *letter : {"n", "o", "c", upShowsOver ? "o" : "c", "n"})
        files << QString("img") + letter + number + edge + ".bmp";
    return files;
}

void ExpectTrace(const QJsonObject &report, const QString &name, const QStringList &main, const QStringList &edge)
{
    for (const QJsonValue &value : report["buttons"].toArray()) {
        const QJsonObject button = value.toObject();
        if (button["name"].toString() != name)
            continue;
        const QJsonArray trace = button["trace"].toArray();
        ASSERT_EQ(trace.size(), 5);
        for (int step = 0; step < 5; ++step) {
            EXPECT_EQ(trace[step].toObject()["main"].toString(), main[step]) << name.toStdString() << " step " << step;
            if (!edge.isEmpty()) {
                EXPECT_EQ(trace[step].toObject()["edge"].toString(), edge[step]) << name.toStdString() << " step " << step;
            }
        }
        return;
    }
    ADD_FAILURE() << "no button image named " << name.toStdString();
}

TMenuView BmpView(std::vector<TMenuButton> buttons, int32_t orientation)
{
    TMenuView view = View(std::move(buttons), orientation);
    view.ImageExt = ".bmp";
    return view;
}

TEST(BrowserRollOver, PreviewPageSwapsEveryButtonsImages)
{
    SKIP_WITHOUT_BROWSER();
    QTemporaryDir dir;
    const TMenuView view = BmpView({Button("One", 90, 24), Button("Two", 120, 30), Button("Three", 60, 40)}, 0);
    WriteImageSet(dir.path() + "/blimg", view, 0, false);
    WritePage(dir.filePath("index.html"), PreviewPageLines(view));

    const QJsonObject report = RunBrowser(dir.filePath("index.html"));
    ExpectImagesAtDeclaredSizes(report, 3);
    for (const QString n : {"0", "1", "2"})
        ExpectTrace(report, "btn" + n, Expected(n, "", true), {});
}

TEST(BrowserRollOver, NewPagesSplitTheLastButtonInBothOrientations)
{
    SKIP_WITHOUT_BROWSER();
    for (const int32_t orientation : {0, 1}) {
        SCOPED_TRACE(orientation);
        QTemporaryDir dir;
        const TMenuView view = BmpView({Button("Home", 100, 30), Button("", 80, 26)}, orientation);
        WriteImageSet(dir.path() + "/menu.blimg", view, 0, true);
        WritePage(dir.filePath("menu.html"), NewPageLines(dir.filePath("menu.html").toStdString(), view));

        const QJsonObject report = RunBrowser(dir.filePath("menu.html"));
        ExpectImagesAtDeclaredSizes(report, 3);
        ExpectTrace(report, "btn0", Expected("0", "", false), {});
        ExpectTrace(report, "btn1e", Expected("1", "", false), Expected("1", "e", false));
    }
}

// Quotes, ampersands and blanks in the page's name and the buttons' texts:
// the escaped page still finds every image and swaps them.
TEST(BrowserRollOver, EscapedNamesAndTextsStillWork)
{
    SKIP_WITHOUT_BROWSER();
    QTemporaryDir dir;
    const QString page = dir.filePath("Tom's \"menu\" & co.html");
    const TMenuView view = BmpView({Button("<b>'Home'</b> & \"more\"", 90, 24, "a.html?x=1&y='2'", "f\"r"),
                                    Button("it's", 70, 20)}, 0);
    WriteImageSet(dir.path() + "/Tom's \"menu\" & co.blimg", view, 0, true);
    WritePage(page, NewPageLines(page.toStdString(), view));

    const QJsonObject report = RunBrowser(page);
    ExpectImagesAtDeclaredSizes(report, 3);
    ExpectTrace(report, "btn0", Expected("0", "", false), {});
    ExpectTrace(report, "btn1e", Expected("1", "", false), Expected("1", "e", false));
}

TEST(BrowserRollOver, PageWithTwoInsertedBlocks)
{
    SKIP_WITHOUT_BROWSER();
    QTemporaryDir dir;
    const QString page = dir.filePath("site.html");
    const TMenuView first = BmpView({Button("a", 70, 20), Button("b", 70, 20)}, 0);
    const TMenuView second = BmpView({Button("c", 50, 30), Button("d", 50, 30)}, 1);
    TLines lines = NewPageLines(page.toStdString(), first);
    WriteImageSet(dir.path() + "/site.blimg", first, MenuBase, true);
    InsertMenuBlock(lines, 0, int(lines.size()) - 2, "site.blimg", second);
    ASSERT_EQ(MenuBase, 2);
    WriteImageSet(dir.path() + "/site.blimg", second, MenuBase, true);
    WritePage(page, lines);

    const QJsonObject report = RunBrowser(page);
    ExpectImagesAtDeclaredSizes(report, 6);
    ExpectTrace(report, "btn0", Expected("0", "", false), {});
    ExpectTrace(report, "btn1e", Expected("1", "", false), Expected("1", "e", false));
    ExpectTrace(report, "btn2", Expected("2", "", false), {});
    ExpectTrace(report, "btn3e", Expected("3", "", false), Expected("3", "e", false));
}

}  // namespace
