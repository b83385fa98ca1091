// Generated pages in a real browser, with image sets made up for them.
#include "BmpWriter.h"
#include "BrowserCheck.h"
#include "MenuBlock.h"
#include "NewPage.h"
#include "PageTestKit.h"
#include "PreviewPage.h"
#include "StreamBytes.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace PageTestKit;

namespace {

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
    return RunBrowser(QtFilePath(page));
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
