#include "MainWindowFixture.h"
#include "Screens.h"

#include "ActingAsNobody.h"
#include "BoxesAnsweredByEnter.h"
#include "ColorReduction.h"
#include "CommandStates.h"
#include "CopyBufferU.h"
#include "Exceptions.h"
#include "HelpWindow.h"
#include "LangSupU.h"
#include "MainDialogs.h"
#include "MessageBoxes.h"
#include "PreviewImage.h"
#include "PropertyPanels.h"
#include "QtCommonDialogs.h"
#include "SettingsFile.h"
#include "StreamBytes.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QToolBar>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <ostream>
#include <set>
#include <sys/stat.h>

// Every action of the table exists once; every menu and tool bar item names
// an action of the table; every help context has its section in the guide.
TEST(ActionTableTest, NamesAreUniqueEveryItemExistsAndEveryContextHasHelp)
{
    EXPECT_EQ(ActionTable().size(), 61u);
    std::set<std::string> names;
    for (const TActionEntry &entry : ActionTable())
        EXPECT_TRUE(names.insert(entry.Name).second) << entry.Name;
    std::vector<const TNames *> lists = {&CopyPropMenu().Items, &CopyToAllMenu().Items, &TreeMenu().Items,
                                         &TemplateGridMenu().Items, &TemplateTabsMenu().Items,
                                         &MainToolBar().Items, &ButtonToolBar().Items,
                                         &BufferToolBar().Items, &TemplateToolBar().Items};
    for (const TMenuLayout &menu : MainMenus())
        lists.push_back(&menu.Items);
    for (const TNames *list : lists)
        for (const char *item : *list)
            EXPECT_TRUE(std::string(item) == "-" || names.count(item)) << item;

    QFile guide(QStringLiteral(BL_SOURCE_DIR "/app/help/guide.html"));
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(guide.readAll());
    std::vector<int> contexts = {1, 3, 4, 5, 8};
    for (const TActionEntry &entry : ActionTable())
        if (entry.HasHelp)
            contexts.push_back(entry.Tag);
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
    for (const TActionEntry &entry : ActionTable()) {
        if (entry.Icon[0]) {
            EXPECT_FALSE(Action(entry.Name).icon().isNull()) << entry.Name << " has no picture";
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
    EXPECT_EQ(FBoxes.Shown()[1].Text, "The file \"" + damaged + "\" is not a project file or is damaged.");
    EXPECT_EQ(FBoxes.Shown()[1].Icon, TMsgIcon::Error);
}

// A failed save says which file and why and keeps the project modified, so
// closing still asks; a save that fails on the way out keeps the project
// and the window open.
TEST_F(MainWindowTest, AFailedSaveSaysWhyAndKeepsTheProjectModified)
{
    Main().show();
    NewProjectWith({"Home"});
    const std::string nowhere = ProjectsDir + "no/such/folder/site.prj";
    FDialogs.AnswerFile(QtFilePath(nowhere));
    FBoxes.Answer(idOK);
    Run("SaveProjectAs");
    EXPECT_TRUE(Proj->Modified);
    EXPECT_TRUE(Proj->Untitled);

    const int enabled = Enabled();
    FBoxes.Answer(idYes);  // save changes?
    FDialogs.AnswerFile(QtFilePath(nowhere));
    FBoxes.Answer(idOK);
    EXPECT_FALSE(Main().close());
    EXPECT_TRUE(Proj->Opened);
    EXPECT_EQ(Proj->ButtonCount(), 1);
    EXPECT_EQ(Enabled(), enabled);

    const std::string why = CannotSaveFile(nowhere, "No such file or directory").what();
    ASSERT_EQ(FBoxes.Shown().size(), 3u);
    EXPECT_EQ(FBoxes.Shown()[0].Text, why);
    EXPECT_EQ(FBoxes.Shown()[1].Buttons, TMsgButtons::YesNoCancel);
    EXPECT_EQ(FBoxes.Shown()[2].Text, why);
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
    EXPECT_EQ(FBoxes.Shown()[0].Text, CannotOpenFile(ProjectsDir + "missing.prj", "No such file or directory").what());
}

// A box at start-up, shown before any window is active, belongs to the main
// window, so that it stands above it.
TEST_F(MainWindowTest, ABoxAtStartUpBelongsToTheMainWindow)
{
    const WorkingFolder projects(ProjectsDir);
    Main().CommandLine = {"brightlane", "missing.prj"};
    TBoxesAnsweredByEnter boxes;
    Main().show();
    EXPECT_EQ(boxes.Owners(), std::vector<QWidget *>{&Main()});
}

// A settings file that is there but cannot be read is said so, naming it
// with the system's reason, as soon as the window shows and before
// anything may write it; the program runs on the defaults meanwhile.
TEST_F(MainWindowTest, ASettingsFileThatCannotBeReadIsSaidSoAtStart)
{
    const std::string settings = AppDir + SettingsFileName;
    ASSERT_TRUE(WriteFileText(settings, "[Common]\nFonColor=123\n"));
    ASSERT_EQ(::chmod(settings.c_str(), 0), 0);
    ASSERT_EQ(::chmod(AppDir.c_str(), 0711), 0);  // nobody passes through to the file
    FreeForms();
    {
        const TActingAsNobody nobody;
        ASSERT_TRUE(nobody.Acting());
        CreateForms();
    }
    FBoxes.Answer(idOK);
    Main().show();
    ASSERT_EQ(FBoxes.Shown().size(), 1u);
    EXPECT_EQ(FBoxes.Shown()[0].Text, CannotOpenFile(settings, "Permission denied").what());
    EXPECT_EQ(FBoxes.Shown()[0].Icon, TMsgIcon::Error);
    EXPECT_EQ(AppParam().FonColor, 0xC0C0C0u);
    EXPECT_EQ(FileText(settings), "[Common]\nFonColor=123\n");
    SaveScreen(Main(), "MainF-unreadable-settings");
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

// Export, the image sets and the pages draw the current state anew at full
// quality first, so neither a draft nor another picture left in the shared
// render buffer is ever written: each writes the bytes it writes after a
// full render, and the preview shows the finished picture.
TEST_F(MainWindowTest, ExportAndPagesRenderTheCurrentStateAnewAtFullQuality)
{
    Main().show();
    NewProjectWith({"Home"});
    TItem &state = *Proj->CurrentState();
    const QImage finished = state.GetBitmap();

    // Each command writes into the folder it is given (Preview into the
    // preview page's) and answers the file of the current state's image.
    const struct {
        const char *command;
        std::function<std::string(const std::string &folder)> run;
    } commands[] = {
        {"ExportImg", [this](const std::string &folder) {
             FDialogs.AnswerFile(QtFilePath(folder + "home.bmp"));
             Run("ExportImg");
             return folder + "home.bmp";
         }},
        {"BatchExport", [this](const std::string &folder) {
             FDialogs.AnswerFolder(QtFilePath(folder));
             Run("BatchExport");
             return folder + "imgn0.gif";
         }},
        {"SaveHTML", [this](const std::string &folder) {
             FDialogs.AnswerFile(QtFilePath(folder + "menu.html"));
             Run("SaveHTML");
             return folder + "menu.blimg/imgn0.gif";
         }},
        {"MakeHtml", [this](const std::string &) {
             Run("MakeHtml");
             return PageDir + "blimg/imgn0.gif";
         }},
    };
    const struct {
        const char *left;
        std::function<void()> leave;
    } before[] = {
        {"a full render", [] {}},
        {"a draft edit", [&state] {
             state.SetDraft(true);
             Proj->RenderCurrent();
         }},
        {"another render", [] { RenderBuffer().Data.fill(0x55); }},  // as a thumbnail leaves the buffer
    };
    for (const auto &c : commands) {
        std::vector<uint8_t> full;
        int run = 0;
        for (const auto &b : before) {
            SCOPED_TRACE(std::string(c.command) + " after " + b.left);
            const std::string folder = HtmlPagesDir + c.command + "/" + std::to_string(run++) + "/";
            ASSERT_TRUE(QDir().mkpath(QtFilePath(folder)));
            b.leave();
            const std::vector<uint8_t> written = FileBytes(c.run(folder));
            ASSERT_FALSE(written.empty());
            if (full.empty())
                full = written;
            EXPECT_EQ(written, full);
            EXPECT_EQ(state.Draft, 0);
            EXPECT_EQ(AppParam().MeshCols, 180);
            const QImage &preview = Main().Preview().Bitmap();
            const QRect shown(QPoint((preview.width() - finished.width()) / 2, (preview.height() - finished.height()) / 2),
                              finished.size());
            EXPECT_EQ(preview.copy(shown).convertToFormat(finished.format()), finished) << "the preview";
        }
    }
    EXPECT_EQ(QImage(QtFilePath(HtmlPagesDir + "ExportImg/0/home.bmp")).convertToFormat(finished.format()), finished);
    EXPECT_EQ(Browser().Url(), QUrl::fromLocalFile(QtFilePath(PageDir + "index.html")));
}

// A name typed without an extension in the export dialog takes that of the
// type chosen there, and the image is written in that type.
TEST_F(MainWindowTest, ExportWritesTheTypeChosenForABareName)
{
    Main().show();
    NewProjectWith({"Home"});
    const std::string types[][2] = {{".gif", "GIF89a"}, {".bmp", "BM"}, {".jpg", "\xFF\xD8\xFF"},
                                    {".ico", {"\0\0\1\0", 4}}, {".wmf", "\xD7\xCD\xC6\x9A"}, {".emf", {"\1\0\0\0", 4}}};
    for (int type = 0; type < 6; ++type) {
        const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(Main().Dialogs().SaveDialog2.Request(), nullptr);
        dialog->show();
        dialog->activateWindow();  // the name field has the focus, as for the user who types
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        for (int down = 0; down < type; ++down)
            QTest::keyClick(dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo")), Qt::Key_Down);
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        name->clear();  // of the name the last export proposes
        QTest::keyClicks(name, QStringLiteral("pic%1\r").arg(type));
        SaveScreen(*dialog, QStringLiteral("ExportDialog-type"));
        FDialogs.AnswerFile(AnsweredFile(*dialog));
        Run("ExportImg");
        const std::string file = HtmlPagesDir + "pic" + std::to_string(type) + types[type][0];
        EXPECT_EQ(FileText(file).substr(0, types[type][1].size()), types[type][1]) << file;
    }
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

// What the window shows of the selection: the panel on, the commands
// enabled, what Proj selects and whether the preview shows a state.
struct TSelectionView {
    QList<QTreeWidgetItem *> Selected;
    std::array<bool, 3> PanelsOn;
    int Enabled;
    int Button, State;
    bool PreviewShown;

    bool operator==(const TSelectionView &o) const
    {
        return Selected == o.Selected && PanelsOn == o.PanelsOn && Enabled == o.Enabled && Button == o.Button &&
               State == o.State && PreviewShown == o.PreviewShown;
    }
};

std::ostream &operator<<(std::ostream &out, const TSelectionView &v)
{
    return out << v.Selected.size() << " selected, panels " << v.PanelsOn[0] << v.PanelsOn[1] << v.PanelsOn[2]
               << ", " << v.Enabled << " enabled, button " << v.Button << " state " << v.State << ", preview "
               << v.PreviewShown;
}

class MainWindowSelectionTest : public MainWindowTest {
protected:
    TSelectionView View() const
    {
        const TPropertyPanels &panels = Main().Panels();
        return {Tree().View().selectedItems(),
                {panels.IsOn(ppState), panels.IsOn(ppButton), panels.IsOn(ppProject)},
                Enabled(),
                Proj->ButtonIndex,
                Proj->StateIndex,
                Main().Preview().ImageShown()};
    }

    // A key as X11 sends it to the focused tree: pressed with its character
    // (offered to the shortcuts first), or released.
    void Key(QTest::KeyAction action, Qt::Key key, const char *text, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTest::sendKeyEvent(action, &Tree().View(), key, QString::fromLatin1(text), modifiers);
    }
};

// The user moves the selection but never takes it away: a click on empty
// space or a Ctrl+click on the selected node leaves every panel, command and
// picture as it was.
TEST_F(MainWindowSelectionTest, ClicksBesideTheNodesOrOnTheSelectedOneChangeNothing)
{
    Main().show();
    NewProjectWith({"Home"});
    QTreeWidget &view = Tree().View();
    const QPoint empty(view.viewport()->width() / 2, view.viewport()->height() - 4);
    ASSERT_EQ(view.itemAt(empty), nullptr);

    struct TCase {
        const char *selected;
        QTreeWidgetItem *node;
    };
    for (const TCase &c : {TCase{"state", Node(0, 0)}, TCase{"button", Node(0)},
                           TCase{"project", Tree().RootNode()}}) {
        SCOPED_TRACE(c.selected);
        Click(c.node);
        const TSelectionView before = View();
        ASSERT_EQ(before.Selected, QList<QTreeWidgetItem *>{c.node});

        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, empty);
        EXPECT_EQ(View(), before) << "a click on empty space";
        QTest::mouseClick(view.viewport(), Qt::RightButton, {}, empty);
        EXPECT_EQ(View(), before) << "a right click on empty space";
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ControlModifier,
                          view.visualItemRect(c.node).center());
        EXPECT_EQ(View(), before) << "a Ctrl+click on the selected node";
    }
    SaveScreen(Main(), "MainF-kept-selection");
}

// Ctrl+O runs its dialogs while the O is held; the releases of O and Ctrl
// reach the tree only after they closed. They belong to the shortcut: the
// opened project's panel shows at once.
TEST_F(MainWindowSelectionTest, TheReleaseOfAShortcutsKeysAfterItsDialogsChangesNothing)
{
    Main().show();
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    NewProjectWith({"Home"});
    const std::string site = ProjectsDir + "site.prj";
    FDialogs.AnswerFile(QtFilePath(site));
    Run("SaveProject");
    const std::string damaged = ProjectsDir + "damaged.prj";
    ASSERT_TRUE(WriteFileBytes(damaged, {1, 2, 3}));

    Click(Node(0, 0));
    QTest::keyClick(Main().Panels().Panel(ppState).findChild<QLineEdit *>("Edit1"), Qt::Key_X, {}, 0);
    ASSERT_TRUE(Proj->Modified);
    Tree().View().setFocus();

    const auto ctrlO = [this] {
        Key(QTest::Press, Qt::Key_Control, "");
        Key(QTest::Press, Qt::Key_O, "\x0f", Qt::ControlModifier);  // the dialogs run here
        Key(QTest::Release, Qt::Key_O, "\x0f", Qt::ControlModifier);
        Key(QTest::Release, Qt::Key_Control, "", Qt::ControlModifier);
    };
    FBoxes.Answer(idYes);  // close current project?
    FBoxes.Answer(idNo);   // save changes?
    FDialogs.AnswerFile(QtFilePath(damaged));
    FBoxes.Answer(idOK);  // the error
    ctrlO();
    ASSERT_FALSE(Proj->Opened);
    ASSERT_EQ(FBoxes.Shown().size(), 3u);

    FDialogs.AnswerFile(QtFilePath(site));
    ctrlO();
    ASSERT_TRUE(Proj->Opened);
    EXPECT_TRUE(Tree().View().selectedItems().isEmpty());
    EXPECT_FALSE(Main().Panels().Panel(ppProject).isHidden()) << "the property panel is empty";

    // A key of the user's own still selects as a click does.
    Click(Tree().RootNode());
    Key(QTest::Press, Qt::Key_Down, "");
    Key(QTest::Release, Qt::Key_Down, "");
    EXPECT_EQ(Proj->ButtonIndex, 0);
    EXPECT_TRUE(Main().Panels().IsOn(ppButton));
    SaveScreen(Main(), "MainF-opened-by-shortcut");
}

// After Close the browser shows an empty page; after an open the opened
// project's page, written anew, never a page left from edits since
// discarded.
TEST_F(MainWindowTest, TheBrowserFollowsTheProjectThroughCloseAndOpen)
{
    Main().show();
    NewProjectWith({"Home"});
    const std::string site = ProjectsDir + "site.prj";
    FDialogs.AnswerFile(QtFilePath(site));
    Run("SaveProject");
    Run("MakeHtml");
    const std::string image = PageDir + "blimg/imgn0.gif";
    const std::vector<uint8_t> saved = FileBytes(image);
    ASSERT_FALSE(saved.empty());

    QTest::keyClicks(Main().Panels().Panel(ppState).findChild<QLineEdit *>("Edit1"), "page");
    Run("MakeHtml");
    ASSERT_NE(FileBytes(image), saved);

    FBoxes.Answer(idNo);  // save changes?
    Run("CloseProject");
    EXPECT_EQ(Browser().Url(), QUrl(QStringLiteral("about:blank")));

    FDialogs.AnswerFile(QtFilePath(site));
    Run("OpenProject");
    EXPECT_EQ(Browser().Url(), QUrl::fromLocalFile(QtFilePath(ProjectsDir + "site/index.html")));
    EXPECT_EQ(FileBytes(image), saved);
}

// Every command stands on a menu, a tool bar or a context menu of the
// window, or has a shortcut: none is enabled that nobody can run.
TEST_F(MainWindowTest, EveryCommandCanBeRunFromAMenuAToolBarOrAShortcut)
{
    std::set<QString> placed;
    std::function<void(const QList<QAction *> &)> collect = [&](const QList<QAction *> &actions) {
        for (QAction *action : actions) {
            placed.insert(action->objectName());
            if (action->menu())
                collect(action->menu()->actions());
        }
    };
    collect(Main().menuBar()->actions());
    for (const QToolBar *bar : Main().findChildren<QToolBar *>())
        collect(bar->actions());
    for (const TMenuLayout *menu : {&TreeMenu(), &TemplateGridMenu(), &TemplateTabsMenu()})
        for (const char *item : menu->Items)
            placed.insert(QString::fromLatin1(item));
    for (const TActionEntry &entry : ActionTable())
        EXPECT_TRUE(placed.count(QString::fromLatin1(entry.Name)) || entry.Shortcut[0]) << entry.Name;

    const QList<QAction *> file = Main().menuBar()->actions()[0]->menu()->actions();
    const qsizetype exportAt = file.indexOf(&Action("ExportImg"));
    ASSERT_GE(exportAt, 0);
    EXPECT_EQ(file.value(exportAt + 1), &Action("BatchExport"));
}

// The View menu's tool-bar commands carry a check mark while their tool bar
// is shown, however it was hidden or shown; the window's own tool-bar menu
// names each bar as its command does.
TEST_F(MainWindowTest, TheViewTogglesShowWhichToolBarsAreShown)
{
    Main().show();
    const std::pair<const char *, const char *> toggles[] = {
        {"PanelView1", "ToolBar4"}, {"PanelView2", "ToolBar1"}, {"PanelView3", "ToolBar3"}, {"PanelView5", "ToolBar2"}};
    for (const auto &[name, barName] : toggles) {
        SCOPED_TRACE(name);
        QAction &toggle = Action(name);
        QToolBar *bar = Main().findChild<QToolBar *>(barName);
        ASSERT_TRUE(bar);
        EXPECT_TRUE(toggle.isCheckable());
        EXPECT_TRUE(toggle.isChecked());
        EXPECT_EQ(bar->toggleViewAction()->text(), toggle.text());
        toggle.trigger();
        EXPECT_FALSE(bar->isVisible());
        EXPECT_FALSE(toggle.isChecked());
        toggle.trigger();
        EXPECT_TRUE(bar->isVisible());
        EXPECT_TRUE(toggle.isChecked());
        bar->toggleViewAction()->trigger();  // as the window's own tool-bar menu does
        EXPECT_FALSE(toggle.isChecked());
        bar->toggleViewAction()->trigger();
        EXPECT_TRUE(toggle.isChecked());
    }
    const std::unique_ptr<QMenu> barMenu(Main().createPopupMenu());
    for (const QAction *entry : barMenu->actions())
        EXPECT_FALSE(entry->text().isEmpty());
    barMenu->popup(Main().mapToGlobal(QPoint(40, 40)));
    SaveScreen(*barMenu, "MainF-tool-bar-menu");
    barMenu->hide();
    Action("PanelView3").trigger();
    QMenu *viewMenu = Main().menuBar()->actions()[1]->menu();
    viewMenu->popup(Main().mapToGlobal(QPoint(40, 20)));
    SaveScreen(*viewMenu, "MainF-view-menu");
    viewMenu->hide();
    Action("PanelView3").trigger();
}

// The help window opens over the main window and closes on Esc and on
// Ctrl+W, as X11 sends them (with their control characters).
TEST_F(MainWindowTest, TheHelpWindowOpensOverTheMainWindowAndClosesOnEscAndCtrlW)
{
    Main().show();
    Main().move(300, 200);
    struct TCase {
        const char *key;
        Qt::Key code;
        const char *text;
        Qt::KeyboardModifiers modifiers;
    };
    for (const TCase &c : {TCase{"Esc", Qt::Key_Escape, "\x1b", {}}, TCase{"Ctrl+W", Qt::Key_W, "\x17", Qt::ControlModifier}}) {
        SCOPED_TRACE(c.key);
        Run("HelpCont");
        QTextBrowser *help = Main().Help().Window();
        ASSERT_TRUE(help);
        ASSERT_TRUE(help->isVisible());
        EXPECT_TRUE(Main().frameGeometry().contains(help->frameGeometry().center()))
            << help->frameGeometry().topLeft().x() << "," << help->frameGeometry().topLeft().y();
        EXPECT_LE((help->frameGeometry().center() - Main().frameGeometry().center()).manhattanLength(), 40);
        help->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(help));
        QTest::sendKeyEvent(QTest::Click, help, c.code, QString::fromLatin1(c.text), c.modifiers);
        EXPECT_FALSE(help->isVisible());
    }
}

// F1 in a modal dialog opens the help window over the dialog, where it
// takes the keys the user gives it: Esc closes it.
TEST_F(MainWindowTest, F1InAModalDialogOpensTheHelpWindowOverTheDialog)
{
    Main().show();
    const struct {
        const char *command;
        const char *form;
    } cases[] = {{"AppParam", "ParamsF"}, {"AboutProg", "AboutF"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.form);
        FDialogs.AnswerForm([&](QDialog &dialog) {
            // As exec() shows it: the scripted answer shows the dialog modeless.
            dialog.hide();
            dialog.setWindowModality(Qt::ApplicationModal);
            dialog.show();
            dialog.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
            QTest::keyClick(dialog.windowHandle(), Qt::Key_F1);
            QTextBrowser *help = Main().Help().Window();
            ASSERT_TRUE(help);
            ASSERT_TRUE(help->isVisible());
            EXPECT_EQ(help->windowHandle()->transientParent(), dialog.windowHandle()) << "stacked over the dialog";
            EXPECT_LE((help->frameGeometry().center() - dialog.frameGeometry().center()).manhattanLength(), 40);
            SaveScreen(*help, QStringLiteral("HelpWindow-over-%1").arg(QLatin1String(c.form)));
            help->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(help));
            QTest::sendKeyEvent(QTest::Click, help->windowHandle(), Qt::Key_Escape, QStringLiteral("\x1b"), {});
            EXPECT_FALSE(help->isVisible()) << "Esc reaches the help window";
            QTest::keyClick(dialog.windowHandle(), Qt::Key_F1);
            dialog.setWindowModality(Qt::NonModal);
            dialog.hide();
        });
        Run(c.command);
        QTextBrowser *help = Main().Help().Window();
        ASSERT_TRUE(help && help->isVisible()) << "the help window stays open when the dialog closes";
        EXPECT_EQ(help->windowHandle()->transientParent(), Main().windowHandle()) << "stacked over the main window";
        help->close();
    }
}

// F1 on a command highlighted in an open menu opens the guide at that
// command's part and closes the menu.
TEST_F(MainWindowTest, F1OnAHighlightedMenuCommandOpensItsPart)
{
    Main().show();
    NewProjectWith({"Home"});
    for (const auto &[menu, command] : {std::pair{0, "QuickSave"}, std::pair{2, "DeleteAllButton"}}) {
        QMenu *open = Main().menuBar()->actions()[menu]->menu();
        open->popup(Main().mapToGlobal(QPoint(40, 20)));
        open->setActiveAction(&Action(command));
        QTest::keyClick(open->windowHandle(), Qt::Key_F1);
        ASSERT_TRUE(Main().Help().Window());
        EXPECT_EQ(Main().Help().Window()->source(), THelp::ContextUrl(FindActionEntry(command)->Tag)) << command;
        EXPECT_FALSE(open->isVisible());
    }
}

namespace {

// How far apart two pictures look: the mean difference of their pixels,
// each the largest of its channel differences after both are laid on the
// tool bar's background.
double MeanDifference(const QPixmap &a, const QPixmap &b, const QColor &background)
{
    const auto onBackground = [&background](const QPixmap &pixmap) {
        QImage image(pixmap.size(), QImage::Format_RGB32);
        image.fill(background);
        QPainter(&image).drawPixmap(0, 0, pixmap);
        return image;
    };
    const QImage x = onBackground(a), y = onBackground(b);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column) {
            const QColor p = x.pixelColor(column, row), q = y.pixelColor(column, row);
            sum += std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                             std::abs(p.blue() - q.blue())});
        }
    return sum / (x.width() * x.height());
}

}  // namespace

// An enabled command never looks disabled: each picture differs clearly
// from its greyed look at the tool bars' size.
TEST_F(MainWindowTest, EveryCommandsPictureDiffersClearlyWhenDisabled)
{
    const QColor background = Main().palette().color(QPalette::Button);
    const QSize size(16, 16);
    constexpr int PerRow = 16;
    // Each picture enabled above disabled, 16 to a row.
    QPixmap sheet(PerRow * 20, int(ActionTable().size() / PerRow + 1) * 40);
    sheet.fill(background);
    QPainter painter(&sheet);
    int drawn = 0;
    for (const TActionEntry &entry : ActionTable()) {
        if (!entry.Icon[0])
            continue;
        const QIcon icon = Action(entry.Name).icon();
        const QPixmap normal = icon.pixmap(size, QIcon::Normal), disabled = icon.pixmap(size, QIcon::Disabled);
        EXPECT_GE(MeanDifference(normal, disabled, background), 12.0) << entry.Name << " (" << entry.Icon << ")";
        const QPoint at(drawn % PerRow * 20 + 2, drawn / PerRow * 40 + 2);
        painter.drawPixmap(at, normal);
        painter.drawPixmap(at + QPoint(0, 20), disabled);
        ++drawn;
    }
    painter.end();
    QLabel pictures;
    pictures.setPixmap(sheet.scaled(sheet.size() * 3));
    pictures.resize(pictures.pixmap().size());
    SaveScreen(pictures, "CommandIcons-enabled-disabled");
}
