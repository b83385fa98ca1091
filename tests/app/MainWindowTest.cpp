#include "MainWindowFixture.h"
#include "Screens.h"

#include "ColorReduction.h"
#include "CommandStates.h"
#include "CopyBufferU.h"
#include "Exceptions.h"
#include "HelpWindow.h"
#include "LangSupU.h"
#include "MessageBoxes.h"
#include "PreviewImage.h"
#include "PropertyPanels.h"
#include "StreamBytes.h"

#include <QFile>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTextBrowser>

// Every action of the table exists once; every menu and tool bar item names
// an action of the table; every help context has its section in the guide.
TEST(ActionTableTest, NamesAreUniqueEveryItemExistsAndEveryContextHasHelp)
{
    EXPECT_EQ(ActionTable().size(), 61u);
    std::set<std::string> names;
    for (const TActionSpec &spec : ActionTable())
        EXPECT_TRUE(names.insert(spec.Name).second) << spec.Name;
    std::vector<const TNames *> lists = {&CopyPropMenu().Items, &CopyToAllMenu().Items, &TreeMenu().Items,
                                         &TemplateGridMenu().Items, &TemplateTabsMenu().Items,
                                         &MainToolBar().Items, &ButtonToolBar().Items,
                                         &BufferToolBar().Items, &TemplateToolBar().Items};
    for (const TMenuSpec &menu : MainMenus())
        lists.push_back(&menu.Items);
    for (const TNames *list : lists)
        for (const char *item : *list)
            EXPECT_TRUE(std::string(item) == "-" || names.count(item)) << item;

    QFile guide(QStringLiteral(BL_SOURCE_DIR "/app/help/guide.html"));
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(guide.readAll());
    std::vector<int> contexts = {1, 3, 4, 5, 8};
    for (const TActionSpec &spec : ActionTable())
        if (spec.HasHelp)
            contexts.push_back(spec.Tag);
    for (int context : contexts)
        EXPECT_TRUE(text.contains(QStringLiteral("name=\"context-%1\"").arg(context))) << context;
}

TEST_F(MainWindowTest, StartsWithTheNoProjectCommandsOnlyAndShowsThePreviewPage)
{
    Main().show();
    EXPECT_EQ(Main().windowTitle(), "Bright Lane");
    EXPECT_EQ(AppParam().FonColor, 0xC0C0C0u);  // no settings file: the defaults
    EXPECT_EQ(Tree().View().palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(Enabled(), 17);
    EXPECT_EQ(Main().menuBar()->actions().size(), 6);
    EXPECT_EQ(Tree().View().topLevelItemCount(), 0);
    EXPECT_FALSE(Main().Panels().Panel(ppProject).isHidden());
    EXPECT_FALSE(Main().Panels().IsOn(ppProject));
    EXPECT_EQ(Browser().Url(), QUrl::fromLocalFile(QtFilePath(PageDir + "index.html")));
    EXPECT_TRUE(FileExists(PageDir + "index.html"));
    for (const TActionSpec &spec : ActionTable()) {
        if (spec.Icon[0]) {
            EXPECT_FALSE(Action(spec.Name).icon().isNull()) << spec.Name << " has no picture";
        }
    }
    SaveScreen(Main(), "MainF-start");
}

// A request the program does not support, such as a bitmap reduced to 15
// bits, tells the user in an information box and ends quietly; a busy cursor
// goes first.
TEST_F(MainWindowTest, AnUnsupportedRequestIsToldInAnInformationBox)
{
    FBoxes.Answer(idOK);
    QImage bitmap(2, 2, QImage::Format_RGB32);
    bitmap.fill(Qt::red);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    EXPECT_THROW(BitmapToReducedStream(bitmap, TPixelFormat::pf15bit, rmPopularity), EAbort);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    ASSERT_EQ(FBoxes.Shown().size(), 1u);
    EXPECT_EQ(FBoxes.Shown()[0].Text, "Function not yet implemented");
    EXPECT_EQ(FBoxes.Shown()[0].Buttons, TMsgButtons::OK);
    EXPECT_EQ(FBoxes.Shown()[0].Icon, TMsgIcon::Information);
}

// The enabled commands follow what is selected; the copy buffer adds the
// paste commands once it holds a copy.
TEST_F(MainWindowTest, EnabledCommandsFollowTheSelection)
{
    Main().show();
    BufFull = false;
    Run("NewProject");
    EXPECT_EQ(Enabled(), 27);
    EXPECT_TRUE(Main().Panels().IsOn(ppProject));
    EXPECT_EQ(Main().windowTitle(), "Bright Lane - No name.prj");
    EXPECT_EQ(TProjectTree::ImageIndex(*Tree().RootNode(), Tree().RootNode()), 0);

    AnswerName("Home");
    Run("NewButton");
    EXPECT_EQ(TProjectTree::ImageIndex(*Node(0), Tree().RootNode()), 1);
    EXPECT_EQ(TProjectTree::ImageIndex(*Node(0, 1), Tree().RootNode()), 2);
    EXPECT_EQ(Proj->StateIndex, 0);
    EXPECT_EQ(Enabled(), 43);
    EXPECT_TRUE(Main().Panels().IsOn(ppState));
    EXPECT_TRUE(Main().Preview().ImageShown());

    Click(Node(0));
    EXPECT_EQ(Proj->StateIndex, -1);
    EXPECT_EQ(Enabled(), 31);
    EXPECT_FALSE(Main().Preview().ImageShown());

    BufFull = true;  // as after a copy
    Click(Node(0, 1));
    EXPECT_EQ(Enabled(), 48);
    EXPECT_EQ(Proj->StateIndex, 1);
    SaveScreen(Main(), "MainF-state");

    Lang->AddItem("Interface", "Site menu", 7);
    Lang->SetBuiltIn(false);
    Main().TranslateAll();  // as after a change of the language
    EXPECT_EQ(Tree().RootNode()->text(0), "Site menu");
    Click(Tree().RootNode());
    EXPECT_EQ(Enabled(), 27);
    EXPECT_TRUE(Main().Panels().IsOn(ppProject));
    BufFull = false;
}

// Modified projects ask before they go; a save that did not happen keeps the
// project (and the window) open.
TEST_F(MainWindowTest, NewAndCloseAskAndKeepAnUnsavedProject)
{
    Main().show();
    NewProjectWith({"Home"});
    const TButtons *home = Proj->Buttons[0].get();

    FBoxes.Answer(idYes);     // close current project?
    FBoxes.Answer(idCancel);  // save changes?
    Run("NewProject");
    EXPECT_EQ(Proj->ButtonCount(), 1);
    EXPECT_EQ(Proj->Buttons[0].get(), home);

    FBoxes.Answer(idYes);
    FBoxes.Answer(idYes);
    FDialogs.AnswerFile(std::nullopt);  // the save-as dialog is cancelled
    Run("NewProject");
    EXPECT_TRUE(Proj->Opened);
    EXPECT_EQ(Proj->ButtonCount(), 1);

    FBoxes.Answer(idYes);  // save changes? (closing the window)
    FDialogs.AnswerFile(std::nullopt);
    EXPECT_FALSE(Main().close());
    EXPECT_TRUE(Proj->Opened);

    FBoxes.Answer(idCancel);
    EXPECT_FALSE(Main().close());

    FBoxes.Answer(idYes);
    FBoxes.Answer(idNo);
    Run("NewProject");
    EXPECT_EQ(Proj->ButtonCount(), 0);
    EXPECT_EQ(Enabled(), 27);
    EXPECT_EQ(FBoxes.Shown().size(), 8u);
}

TEST_F(MainWindowTest, SavedProjectsOpenAgainAndAFailedOpenSaysWhyAndLeavesNothing)
{
    Main().show();
    NewProjectWith({"Home", "News"});
    const std::string file = ProjectsDir + "site.prj";
    FDialogs.AnswerFile(QtFilePath(file));
    Run("SaveProject");
    ASSERT_FALSE(Proj->Modified);
    EXPECT_EQ(Main().windowTitle(), "Bright Lane - site.prj");
    Run("CloseProject");
    EXPECT_EQ(Enabled(), 17);
    EXPECT_EQ(Main().windowTitle(), "Bright Lane");

    FDialogs.AnswerFile(QtFilePath(file));
    Run("OpenProject");
    EXPECT_EQ(Proj->ButtonCount(), 2);
    EXPECT_EQ(Tree().RootNode()->childCount(), 2);
    EXPECT_TRUE(Tree().View().selectedItems().isEmpty());
    EXPECT_EQ(Enabled(), 27);

    const std::string damaged = ProjectsDir + "damaged.prj";
    ASSERT_TRUE(WriteFileBytes(damaged, {1, 2, 3}));
    FBoxes.Answer(idYes);  // close current project?
    FDialogs.AnswerFile(QtFilePath(damaged));
    FBoxes.Answer(idOK);  // the error
    Run("OpenProject");
    EXPECT_FALSE(Proj->Opened);
    EXPECT_EQ(Tree().View().topLevelItemCount(), 0);
    EXPECT_EQ(Enabled(), 17);
    ASSERT_EQ(FBoxes.Shown().size(), 2u);
    EXPECT_NE(FBoxes.Shown()[1].Text.find(damaged), std::string::npos) << FBoxes.Shown()[1].Text;
    EXPECT_EQ(FBoxes.Shown()[1].Icon, TMsgIcon::Error);
}

TEST_F(MainWindowTest, AFailedSaveSaysWhyAndKeepsTheProjectModified)
{
    Main().show();
    NewProjectWith({"Home"});
    FDialogs.AnswerFile(QtFilePath(ProjectsDir + "no/such/folder/site.prj"));
    FBoxes.Answer(idOK);
    Run("SaveProjectAs");
    EXPECT_TRUE(Proj->Modified);
    EXPECT_TRUE(Proj->Untitled);
    ASSERT_EQ(FBoxes.Shown().size(), 1u);
    EXPECT_NE(FBoxes.Shown()[0].Text.find("no/such/folder/site.prj"), std::string::npos) << FBoxes.Shown()[0].Text;
}

// Runs a test in a working folder of its own choice and goes back after it.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::string &folder) : FOld(QDir::currentPath())
    {
        EXPECT_TRUE(QDir::setCurrent(QtFilePath(folder)));
    }
    ~WorkingFolder() { QDir::setCurrent(FOld); }

private:
    QString FOld;
};

// The argument is taken as the process got it; a project opens before the
// preview page is written, so the browser shows that project's page.
TEST_F(MainWindowTest, TheCommandLineOpensAProjectWhateverTheCaseOfItsExtension)
{
    {
        TProj saver;
        TProj *main = Proj;
        Proj = &saver;
        saver.NewProject();
        saver.AddButton("Home");
        ASSERT_TRUE(saver.SaveProjectAs(ProjectsDir + "My Site.PRJ"));
        Proj = main;
    }
    const WorkingFolder projects(ProjectsDir);
    Main().CommandLine = {"brightlane", "My Site.PRJ"};
    Main().show();
    EXPECT_TRUE(Proj->Opened);
    EXPECT_EQ(Proj->FileName, ProjectsDir + "My Site.PRJ");
    EXPECT_EQ(Browser().Url(), QUrl::fromLocalFile(QtFilePath(ProjectsDir + "My Site/index.html")));
    EXPECT_TRUE(FileExists(ProjectsDir + "My Site/blimg/imgn0.gif"));
}

TEST_F(MainWindowTest, TheCommandLineIgnoresOtherFilesAndReportsAMissingProject)
{
    struct TCase {
        const char *argument;
        bool reported;
    };
    for (const TCase &c : {TCase{"notes.txt", false}, TCase{"missing.prj", true}}) {
        SCOPED_TRACE(c.argument);
        TearDown();
        SetUp();
        ASSERT_TRUE(WriteFileBytes(ProjectsDir + "notes.txt", {'h', 'i'}));
        const WorkingFolder projects(ProjectsDir);
        Main().CommandLine = {"brightlane", c.argument};
        if (c.reported)
            FBoxes.Answer(idOK);
        Main().show();
        EXPECT_FALSE(Proj->Opened);
        EXPECT_EQ(Enabled(), 17);
        EXPECT_EQ(Browser().Url(), QUrl::fromLocalFile(QtFilePath(PageDir + "index.html")));
    }
    ASSERT_EQ(FBoxes.Shown().size(), 1u);
    EXPECT_NE(FBoxes.Shown()[0].Text.find(ProjectsDir + "missing.prj"), std::string::npos);
}

TEST_F(MainWindowTest, HelpOpensAtTheContextOfTheFocusedControl)
{
    Main().show();
    Run("HelpCont");
    QTextBrowser *help = Main().Help().Window();
    ASSERT_TRUE(help);
    EXPECT_EQ(help->source(), THelp::ContextUrl(0));
    Tree().View().setFocus();
    QTest::keyClick(&Tree().View(), Qt::Key_F1);
    EXPECT_EQ(help->source(), THelp::ContextUrl(1));
    SaveScreen(*help, "HelpWindow-main");
}

// Export and the pages draw the current state anew at full quality first,
// so neither a draft nor another picture left in the shared render buffer is
// ever written.
TEST_F(MainWindowTest, ExportAndPagesRenderTheCurrentStateAnewAtFullQuality)
{
    Main().show();
    NewProjectWith({"Home"});
    TItem &state = *Proj->CurrentState();
    const QImage finished = state.GetBitmap();

    RenderBuffer().Data.fill(0x55);  // as another render (a thumbnail) leaves it

    const std::string file = HtmlPagesDir + "home.bmp";
    FDialogs.AnswerFile(QtFilePath(file));
    Run("ExportImg");
    EXPECT_EQ(QImage(QtFilePath(file)).convertToFormat(finished.format()), finished);
    const QImage &preview = Main().Preview().Bitmap();
    EXPECT_EQ(preview.pixelColor((preview.width() - 100) / 2 + 50, (preview.height() - 30) / 2 + 15),
              finished.pixelColor(50, 15));

    state.SetDraft(true);
    Run("MakeHtml");
    EXPECT_EQ(state.Draft, 0);
    EXPECT_EQ(AppParam().MeshCols, 180);
    EXPECT_EQ(Browser().Url(), QUrl::fromLocalFile(QtFilePath(PageDir + "index.html")));
    EXPECT_TRUE(FileExists(PageDir + "blimg/imgn0.gif"));
}

// The narrow buttons step between the panels without touching the
// selection; an arrow key in the tree selects like a click.
TEST_F(MainWindowTest, PanelsStepAndKeysSelect)
{
    Main().show();
    NewProjectWith({"Home"});
    TPropertyPanels &panels = Main().Panels();
    EXPECT_TRUE(panels.IsOn(ppState));
    EXPECT_FALSE(panels.NextProp().isEnabled());
    panels.PrevProp().click();
    EXPECT_TRUE(panels.IsOn(ppButton));
    EXPECT_TRUE(panels.NextProp().isEnabled());
    panels.PrevProp().click();
    EXPECT_TRUE(panels.IsOn(ppProject));
    EXPECT_FALSE(panels.PrevProp().isEnabled());
    panels.NextProp().click();
    panels.NextProp().click();
    EXPECT_TRUE(panels.IsOn(ppState));
    EXPECT_EQ(Proj->StateIndex, 0);

    Tree().View().setFocus();
    QTest::keyClick(&Tree().View(), Qt::Key_Down);
    EXPECT_EQ(Proj->StateIndex, 1);
    EXPECT_EQ(Tree().View().currentItem(), Node(0, 1));
    Click(Node(0));
    EXPECT_FALSE(panels.NextProp().isEnabled());
    EXPECT_TRUE(panels.IsOn(ppButton));
}
