#include "PublishDialog.h"

#include "BoxesAnsweredByEnter.h"
#include "BrowserCheck.h"
#include "EverySave.h"
#include "FileNameEdit.h"
#include "MainWindowFixture.h"
#include "MenuBlock.h"
#include "PageFiles.h"
#include "QStringPrinter.h"
#include "RemovedFolder.h"
#include "Screens.h"
#include "TerminationSignals.h"
#include "WindowFixture.h"

#include <QCloseEvent>
#include <QDir>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>

#include <csignal>

namespace {

// A page with a line of letters of the code page (a no-break space among
// them) that must come back byte for byte.
const TLines Page = {"<html>", "<body>ab\xA0\xE8\xF0</body>", "</html>"};

class PublishDialogTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        AppParam().BatchExp = 1;  // BMP images, readable back with Qt
        P().NewProject();
        for (const char *name : {"Home", "News"}) {
            P().AddButton(name);
            for (TItem &state : P().Buttons.back()->States) {
                state.Width = 40;
                state.Height = 16;
            }
        }
        Form = std::make_unique<TPublishingF>();
    }

    // Shows the dialog through the service, lets the script act on it,
    // then closes it with Ok unless the script closed it.
    void Run(const std::function<void()> &script)
    {
        Dialogs.AnswerForm([&](QDialog &) {
            Dialog().activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&Dialog()));
            script();
            if (Dialog().isVisible())
                QTest::mouseClick(&Dialog().OkButton(), Qt::LeftButton);
        });
        Dialog().Open();
    }

    // Types the name into the field and presses Enter, as the user loads a page.
    void Load(const std::string &name)
    {
        Dialog().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Dialog()));
        TFilenameEdit &edit = Dialog().FileNameEdit();
        edit.setFocus();
        edit.setText(QtFilePath(name));
        Press(Qt::Key_Return, QStringLiteral("\r"));
    }

    // A key as the keyboard sends it: to the focus widget of the active
    // window, with its character.
    static void Press(Qt::Key key, const QString &character)
    {
        QTest::sendKeyEvent(QTest::Click, static_cast<QWidget *>(nullptr), key, character, Qt::NoModifier);
    }

    void InsertAt(int row, int col)
    {
        QTextCursor caret(Dialog().Editor().document()->findBlockByNumber(row));
        caret.setPosition(caret.position() + col);
        Dialog().Editor().setTextCursor(caret);
        QTest::mouseClick(&Dialog().InsertButton(), Qt::LeftButton);
    }

    void Save() { QTest::mouseClick(&Dialog().SaveButton(), Qt::LeftButton); }

    // The page with the block inserted at the caret the way the dialog does.
    static TLines Inserted(TLines lines, int row, int col, const std::string &imgDir = "blimg",
                           int32_t highestTaken = -1)
    {
        InsertMenuBlock(lines, col, row, imgDir, MenuViewOf(*Proj), highestTaken);
        return lines;
    }

    std::string Folder(const char *name) const
    {
        const std::string folder = HtmlPagesDir + name + "/";
        QDir().mkpath(QtFilePath(folder));
        return folder;
    }

    static QStringList Images(const std::string &folder)
    {
        return QDir(QtFilePath(folder)).entryList({"img*"}, QDir::Files, QDir::Name);
    }

    // The images of a block of the two buttons numbered from first.
    static QStringList BlockImages(int first)
    {
        QStringList names;
        for (const char *letter : {"c", "n", "o"})
            for (const QString &suffix : {QString::number(first), QString::number(first + 1),
                                          QString::number(first + 1) + "e"})
                names << QString("img") + letter + suffix + ".bmp";
        return names;
    }

    // The lines of a page whose every line ends in CR LF.
    static TLines CrLfLines(const std::string &text)
    {
        TLines lines;
        for (size_t start = 0, end; start < text.size(); start = end + 2) {
            end = text.find("\r\n", start);
            lines.push_back(text.substr(start, end - start));
        }
        return lines;
    }

    TPublishingF &Dialog() { return *Form; }
    std::unique_ptr<TPublishingF> Form;  // made after the folders, as at start-up
};

}  // namespace

TEST_F(PublishDialogTest, InsertsAtTheCaretAndSavesThePageWithItsImages)
{
    const struct {
        int col;
        const char *where;
    } carets[] = {{0, "line start"}, {3, "middle"}, {int(Page[1].size()), "line end"}};
    for (const auto &c : carets) {
        SCOPED_TRACE(c.where);
        const std::string folder = Folder(c.where);
        const std::string page = folder + "page.html";
        WriteText(page, JoinLines(Page));
        Run([&] {
            Load(page);
            EXPECT_TRUE(Dialog().isVisible());  // Enter in the field loads and keeps the dialog open
            EXPECT_TRUE(Dialog().InsertButton().isEnabled());
            EXPECT_FALSE(Dialog().SaveButton().isEnabled());
            InsertAt(1, c.col);
            EXPECT_TRUE(Dialog().SaveButton().isEnabled());
            if (c.col == 3)
                SaveScreen(Dialog(), "PublishingF-inserted");
            Save();
        });
        EXPECT_EQ(FileText(page), JoinLines(Inserted(Page, 1, c.col)));
        EXPECT_EQ(Images(folder + "blimg/"), BlockImages(0));
    }
    EXPECT_TRUE(Boxes.Shown().empty());  // saved: closing asks nothing
}

// A page made by the new-page command, then two blocks published into it:
// every block numbered after the ones before, in the page's own ".blimg"
// folder, and every image there for the browser.
TEST_F(PublishDialogTest, TwoBlocksAfterThoseInThePageAllGetTheirImages)
{
    const std::string folder = Folder("site");
    const std::string page = folder + "site.html";
    SaveNewPage(P(), page, false);
    const TLines published = CrLfLines(FileText(page));
    const int row = int(published.size()) - 2;  // before </body>
    Run([&] {
        Load(page);
        SaveScreen(Dialog(), "PublishingF-loaded");
        InsertAt(row, 0);
        InsertAt(row, 0);
        Save();
    });
    EXPECT_EQ(FileText(page), JoinLines(Inserted(Inserted(published, row, 0, "site.blimg"), row, 0, "site.blimg")));
    QStringList all = BlockImages(0) + BlockImages(2) + BlockImages(4);
    all.sort();
    EXPECT_EQ(Images(folder + "site.blimg/"), all);
    EXPECT_FALSE(QDir(QtFilePath(folder + "blimg")).exists());

    SKIP_WITHOUT_BROWSER();
    ExpectSwaps(RunBrowser(QtFilePath(page)), {{0, false}, {1, true}, {2, false}, {3, true}, {4, false}, {5, true}},
                false);
}

// Pages of one folder share its "blimg": a block published into another
// page is numbered past every image of a set there, whatever its case and format.
TEST_F(PublishDialogTest, ABlockIsNumberedPastTheImagesThatOtherPagesUse)
{
    const std::string folder = Folder("shared");
    const auto publish = [&](const char *page) {
        WriteText(folder + page, JoinLines(Page));
        Run([&] { Load(folder + page), InsertAt(1, 0), Save(); });
    };
    publish("a.html");
    const TFiles first = FilesUnder(folder + "blimg/");
    for (const char *other : {"IMGO6E.JPG", "imgn09.bmp", "imgx9.bmp", "imgn9.png"})
        WriteText(folder + "blimg/" + other, other);
    P().DeleteAllButtons();  // another project: three buttons of the default size
    for (const char *name : {"One", "Two", "Three"})
        P().AddButton(name);
    publish("b.html");
    for (const auto &[image, bytes] : first)
        EXPECT_TRUE(FileBytes(image) == bytes) << image;
    EXPECT_EQ(FileText(folder + "b.html"), JoinLines(Inserted(Page, 1, 0, "blimg", 6)));

    SKIP_WITHOUT_BROWSER();
    ExpectSwaps(RunBrowser(QtFilePath(folder + "b.html")), {{7, false}, {8, false}, {9, true}}, false);
}

TEST_F(PublishDialogTest, AnUnsavedInsertionIsOfferedForSavingBeforeClosingOrLoadingAnother)
{
    const std::string folder = Folder("ask");
    const std::string first = folder + "first.html", second = folder + "second.html";
    WriteText(first, JoinLines(Page));
    WriteText(second, JoinLines(Page));
    Boxes.Answer(idYes);  // loading the second page: save the first
    Boxes.Answer(idNo);   // closing: do not save the second
    Run([&] {
        Load(first);
        InsertAt(0, 0);
        Load(second);
        EXPECT_EQ(Dialog().Session().FileName(), second);
        EXPECT_FALSE(Dialog().SaveButton().isEnabled());  // nothing inserted into this one yet
        InsertAt(2, 0);
    });
    ASSERT_EQ(Boxes.Shown().size(), 2u);
    EXPECT_EQ(Boxes.Shown()[0].Text, "Save before close?");
    EXPECT_EQ(FileText(first), JoinLines(Inserted(Page, 0, 0)));
    EXPECT_EQ(Images(folder + "blimg/"), BlockImages(0));
    EXPECT_EQ(FileText(second), JoinLines(Page));

    Run([&] { EXPECT_FALSE(Dialog().InsertButton().isEnabled()); });  // every opening starts empty
    EXPECT_EQ(Boxes.Shown().size(), 2u);
}

// Every page loaded starts afresh: a plain page opened after one that keeps
// its images in "<page>.blimg" (its insertion dropped) puts its own block's
// images into "blimg".
TEST_F(PublishDialogTest, EveryPageLoadedStartsWithItsOwnImageFolder)
{
    const std::string folder = Folder("folders");
    const std::string site = folder + "site.html", plain = folder + "plain.html";
    SaveNewPage(P(), site, false);
    WriteText(plain, JoinLines(Page));
    Boxes.Answer(idNo);  // loading the plain page: do not save the site page
    Run([&] {
        Load(site);
        InsertAt(1, 0);
        ASSERT_EQ(Dialog().Session().ImgDir(), "site.blimg");
        Load(plain);
        InsertAt(0, 0);
        Save();
    });
    EXPECT_EQ(FileText(plain), JoinLines(Inserted(Page, 0, 0)));
    EXPECT_EQ(Images(folder + "blimg/"), BlockImages(0));
}

// A page that is missing, larger than 16 MB or typed with a double quote
// inside is not loaded: an error box says why, the page loaded before stays
// with its unsaved insertion, and the field names that page again, whether
// the failed name was typed or chosen.
TEST_F(PublishDialogTest, AFailedLoadChangesNothingAndARelativeNameLivesInThePagesFolder)
{
    const std::string page = HtmlPagesDir + "relative page.html";
    WriteText(page, JoinLines(Page));
    const std::string large = HtmlPagesDir + "large.html";
    std::string largeText;
    while (largeText.size() <= 16 * 1024 * 1024)
        largeText += "<p>An ordinary line of a page that has grown too long.</p>\r\n";
    WriteText(large, largeText);
    const std::string quoted = HtmlPagesDir + "o'brien \"x\".html";
    for (int error = 0; error < 4; ++error)
        Boxes.Answer(idOK);
    Run([&] {
        Load("relative page.html");
        EXPECT_EQ(Dialog().Session().FileName(), page);
        InsertAt(0, 0);
        const QString text = Dialog().Editor().toPlainText();
        const auto keptAfter = [&](const std::string &failed) {
            EXPECT_EQ(Dialog().Editor().toPlainText(), text) << failed;
            EXPECT_EQ(Dialog().Session().FileName(), page) << failed;
            EXPECT_TRUE(Dialog().Session().Unsaved()) << failed;
            EXPECT_EQ(Dialog().FileNameEdit().text(), QStringLiteral("relative page.html")) << failed;
        };
        for (const std::string &failed : {HtmlPagesDir + "missing.html", large, quoted}) {
            Load(failed);
            keptAfter(failed);
        }
        Dialogs.AnswerFile(QtFilePath(HtmlPagesDir + "chosen missing.html"));
        QTest::mouseClick(&Dialog().FileNameEdit().Button(), Qt::LeftButton, {}, QPoint(5, 5));
        keptAfter("chosen missing.html");
        Save();
    });
    ASSERT_EQ(Boxes.Shown().size(), 4u);
    for (const TShownMessageBox &box : Boxes.Shown())
        EXPECT_EQ(box.Icon, TMsgIcon::Error);
    EXPECT_NE(Boxes.Shown()[0].Text.find("missing.html"), std::string::npos);
    EXPECT_EQ(Boxes.Shown()[1].Text, "Cannot open file \"" + large + "\". The page is larger than 16 MB.");
    EXPECT_EQ(Boxes.Shown()[2].Text, "Invalid file name - " + quoted);
    EXPECT_EQ(Images(HtmlPagesDir + "blimg/"), BlockImages(0));
}

// The load may show a box (a missing page's error, the question before an
// unsaved insertion is dropped); the box takes the focus and the user's
// next Enter answers it, but the Enter that loaded still never closes the
// dialog.
TEST_F(PublishDialogTest, EnterInTheFileNameFieldLoadsAndKeepsTheDialogOpenThoughABoxTookTheFocus)
{
    const std::string folder = Folder("enter");
    const std::string first = folder + "first.html", second = folder + "second.html";
    WriteText(first, JoinLines(Page));
    WriteText(second, JoinLines(Page));
    TBoxesAnsweredByEnter boxes;
    Run([&] {
        const auto loadKeepsItOpen = [&](const std::string &page) {
            Load(page);
            EXPECT_TRUE(Dialog().isVisible()) << page;
            QTest::qWait(50);  // whatever the closed box left queued
            EXPECT_TRUE(Dialog().isVisible()) << page;
        };
        loadKeepsItOpen(folder + "missing.html");
        EXPECT_FALSE(Dialog().InsertButton().isEnabled());
        EXPECT_EQ(Dialog().FileNameEdit().text(), QString());  // no page held, none named
        loadKeepsItOpen(first);
        InsertAt(0, 0);
        loadKeepsItOpen(second);  // Enter answers Yes: the first page is saved
        EXPECT_EQ(Dialog().Session().FileName(), second);
    });
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_NE(boxes.Shown()[0].find("missing.html"), std::string::npos);
    EXPECT_EQ(boxes.Shown()[1], "Save before close?");
    EXPECT_EQ(FileText(first), JoinLines(Inserted(Page, 0, 0)));
}

// Esc presses Ok, as Enter does: it keeps the dialog open while the file
// name field has the focus and closes it with Ok anywhere else, after the
// question about an unsaved insertion.
TEST_F(PublishDialogTest, EscPressesOkWhichClosesTheDialogOnlyOutsideTheFileNameField)
{
    const std::string page = Folder("esc") + "page.html";
    WriteText(page, JoinLines(Page));
    Boxes.Answer(idNo);
    Run([&] {
        Load(page);
        InsertAt(0, 0);
        Dialog().FileNameEdit().setFocus();
        Press(Qt::Key_Escape, QStringLiteral("\x1b"));
        ASSERT_TRUE(Dialog().isVisible());
        EXPECT_TRUE(Boxes.Shown().empty());

        Dialog().Editor().setFocus();
        Press(Qt::Key_Escape, QStringLiteral("\x1b"));
        EXPECT_FALSE(Dialog().isVisible());
        EXPECT_EQ(Dialog().result(), QDialog::Accepted);
    });
    ASSERT_EQ(Boxes.Shown().size(), 1u);
    EXPECT_EQ(Boxes.Shown()[0].Text, "Save before close?");
}

// Minimizing and restoring is no new opening: the page, its name and the
// unsaved insertion are still there, and closing still offers to save.
TEST_F(PublishDialogTest, ARestoreAfterMinimizingShowsTheDialogAsItWas)
{
    const std::string page = Folder("restore") + "page.html";
    WriteText(page, JoinLines(Page));
    Boxes.Answer(idNo);
    Run([&] {
        Load(page);
        InsertAt(1, 3);
        const QString name = Dialog().FileNameEdit().text(), text = Dialog().Editor().toPlainText();
        Dialog().showMinimized();
        ASSERT_TRUE(Dialog().isMinimized());
        Dialog().showNormal();
        EXPECT_FALSE(Dialog().isMinimized());
        EXPECT_EQ(Dialog().FileNameEdit().text(), name);
        EXPECT_EQ(Dialog().Editor().toPlainText(), text);
        EXPECT_EQ(Dialog().Session().FileName(), page);
        EXPECT_TRUE(Dialog().Session().Unsaved());
        EXPECT_TRUE(Dialog().InsertButton().isEnabled());
        EXPECT_TRUE(Dialog().SaveButton().isEnabled());
        SaveScreen(Dialog(), "PublishingF-restored");
    });
    ASSERT_EQ(Boxes.Shown().size(), 1u);
    EXPECT_EQ(Boxes.Shown()[0].Text, "Save before close?");
}

// A relative name is taken in the folder the field is in: the pages folder
// until a browse, then the folder browsed to, even when its name is not
// UTF-8.
TEST_F(PublishDialogTest, ARelativeNameIsTakenInTheFolderTheFieldIsIn)
{
    const std::string other = Folder("other"), latin = HtmlPagesDir + "caf\xE9/";
    const TRemovedFolder removed{latin};
    ASSERT_TRUE(CreateFolders(latin));
    for (const std::string &page : {HtmlPagesDir + "b.html", other + "x.html", other + "my page.html",
                                    other + "b.html", latin + "my page.html"})
        WriteText(page, JoinLines(Page));
    const struct {
        std::string pagesDir;
        const char *browsed;  // the page chosen first, if any
        const char *typed;
        std::string loaded;
    } cases[] = {{HtmlPagesDir, "x.html", "my page.html", other + "my page.html"},
                 {HtmlPagesDir, "x.html", "b.html", other + "b.html"},
                 {latin, nullptr, "my page.html", latin + "my page.html"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.loaded);
        HtmlPagesDir = c.pagesDir;
        Form = std::make_unique<TPublishingF>();
        Run([&] {
            if (c.browsed) {
                Dialogs.AnswerFile(QtFilePath(other + c.browsed));
                QTest::mouseClick(&Dialog().FileNameEdit().Button(), Qt::LeftButton, {}, QPoint(5, 5));
            }
            Load(c.typed);
            EXPECT_EQ(Dialog().Session().FileName(), c.loaded);
            if (!c.browsed)
                SaveScreen(Dialog(), "PublishingF-latin-folder");
        });
    }
    EXPECT_TRUE(Boxes.Shown().empty());
}

// Closing with an unsaved insertion asks while the dialog still shows; when
// the page cannot be written any more, the dialog stays open with its text
// however it was closed, and closes once the insertion is given up.
TEST_F(PublishDialogTest, ASaveThatFailsOnClosingKeepsTheDialogOpenWithItsText)
{
    const std::pair<const char *, std::function<void()>> closings[] = {
        {"Ok", [this] { QTest::mouseClick(&Dialog().OkButton(), Qt::LeftButton); }},
        {"Esc",
         [this] {
             Dialog().Editor().setFocus();
             Press(Qt::Key_Escape, QStringLiteral("\x1b"));
         }},
        {"close box",
         [this] {
             QCloseEvent close;
             QCoreApplication::sendEvent(Dialog().windowHandle(), &close);
         }}};
    for (const auto &[how, close] : closings) {
        SCOPED_TRACE(how);
        const std::string page = Folder(how) + "page.html";
        WriteText(page, JoinLines(Page));
        Boxes.Answer(idYes);  // save before closing
        Boxes.Answer(idOK);   // the page's error
        Boxes.Answer(idNo);   // closing again: give the insertion up
        Run([&] {
            Load(page);
            InsertAt(1, 6);
            const QString text = Dialog().Editor().toPlainText();
            ASSERT_TRUE(QDir().remove(QtFilePath(page)) && QDir().mkdir(QtFilePath(page)));
            close();
            ASSERT_TRUE(Dialog().isVisible());
            EXPECT_EQ(Dialog().Editor().toPlainText(), text);
            EXPECT_TRUE(Dialog().Session().Unsaved());
            if (how == std::string("Ok"))
                SaveScreen(Dialog(), "PublishingF-save-failed");
            close();
            EXPECT_FALSE(Dialog().isVisible());
        });
    }
    ASSERT_EQ(Boxes.Shown().size(), 9u);
    EXPECT_EQ(Boxes.Shown()[0].Text, "Save before close?");
    EXPECT_EQ(Boxes.Shown()[1].Text.rfind("Cannot save file \"" + HtmlPagesDir + "Ok/page.html\".", 0), 0u);
    EXPECT_EQ(Boxes.Shown()[2].Text, "Save before close?");
}

// A termination signal that comes while a page is saved waits for the save
// to end: nothing closes the dialog, or asks, in the middle of it.
TEST_F(PublishDialogTest, ASignalDuringASaveWaitsForTheSaveToEnd)
{
    const std::string page = Folder("signal") + "page.html";
    WriteText(page, JoinLines(Page));
    QWidget mainWindow;
    const TTerminationSignals ending(mainWindow);
    Dialog().setWindowModality(Qt::ApplicationModal);  // as the program shows it
    Run([&] {
        Load(page);
        InsertAt(1, 0);
        // The signal comes with the save's first step.
        auto *gauge = Dialog().findChild<QProgressBar *>(QStringLiteral("Gauge1"));
        QObject::connect(gauge, &QProgressBar::valueChanged, gauge, [gauge] {
            QObject::disconnect(gauge, &QProgressBar::valueChanged, nullptr, nullptr);
            std::raise(SIGTERM);
        });
        Save();
        EXPECT_TRUE(Dialog().isVisible());
        EXPECT_TRUE(Boxes.Shown().empty());
        QTest::qWait(100);  // the event loop takes the signal
        EXPECT_FALSE(Dialog().isVisible());
    });
    EXPECT_EQ(FileText(page), JoinLines(Inserted(Page, 1, 0)));
    EXPECT_TRUE(Boxes.Shown().empty());
}

// Two blocks inserted at one caret into a page without any: the second goes
// in above the first and brings the script's functions along, so every
// button of both swaps its images from the start.
TEST_F(PublishDialogTest, ABlockInsertedAboveTheFirstWorksInTheBrowser)
{
    const std::string folder = Folder("above");
    const std::string page = folder + "page.html";
    WriteText(page, JoinLines(Page));
    Run([&] {
        Load(page);
        InsertAt(1, 6);
        InsertAt(1, 6);
        Save();
    });
    EXPECT_EQ(FileText(page), JoinLines(Inserted(Inserted(Page, 1, 6), 1, 6)));
    QStringList both = BlockImages(0) + BlockImages(2);
    both.sort();
    EXPECT_EQ(Images(folder + "blimg/"), both);

    SKIP_WITHOUT_BROWSER();
    ExpectSwaps(RunBrowser(QtFilePath(page)), {{0, false}, {1, true}, {2, false}, {3, true}}, false);
}

// Every opening puts the focus in the file-name field, so a name typed at
// once goes there and Enter loads it. Tab leaves the page's editor, as it
// leaves every field, and types nothing.
TEST_F(PublishDialogTest, EveryOpeningStartsWithTheFocusInTheFileNameField)
{
    const std::string page = Folder("focus") + "page.html";
    WriteText(page, JoinLines(Page));
    for (int opening = 1; opening <= 2; ++opening) {
        SCOPED_TRACE(opening);
        Run([&] {
            EXPECT_EQ(QApplication::focusWidget(), &Dialog().FileNameEdit());
            for (const QChar letter : QtFilePath(page))
                Press(Qt::Key_unknown, letter);
            Press(Qt::Key_Return, QStringLiteral("\r"));
            EXPECT_TRUE(Dialog().isVisible());
            EXPECT_EQ(Dialog().Session().FileName(), page);
            Dialog().Editor().setFocus();
            Press(Qt::Key_Tab, QStringLiteral("\t"));
            EXPECT_NE(QApplication::focusWidget(), &Dialog().Editor());
            EXPECT_FALSE(Dialog().Editor().toPlainText().contains(QLatin1Char('\t')));
        });
    }
    EXPECT_TRUE(Boxes.Shown().empty());
}

TEST_F(MainWindowTest, InsertToPageOpensThePublishDialog)
{
    NewProjectWith({"Home"});
    FDialogs.AnswerForm([](QDialog &dialog) { dialog.findChild<QPushButton *>("BitBtn2")->click(); });
    Run("Publish");
    ASSERT_FALSE(FDialogs.FormsShown().empty());
    EXPECT_EQ(FDialogs.FormsShown().back(), "PublishingF");
}
