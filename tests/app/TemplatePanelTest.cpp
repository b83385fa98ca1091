#include "FullDisk.h"
#include "MainWindowFixture.h"
#include "Screens.h"
#include "SkipRow.h"

#include "MessageBoxes.h"
#include "StreamBytes.h"
#include "TemplateGrid.h"
#include "TemplatePanel.h"

#include <QApplication>
#include <QMenu>
#include <QTabBar>
#include <cstring>

namespace {

using TNames = std::vector<std::string>;

// Each state has a colour of its own, so its picture tells which it is.
constexpr TColor StateColours[] = {0x0000FF, 0x00FF00, 0xFF0000};

class TemplatePanelTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        Main().show();
        NewProjectWith({"Home", "News", "Shop"});
        for (const auto &button : Proj->Buttons)
            for (int k = 0; k < StateCount; ++k) {
                TItem &state = button->States[size_t(k)];
                state.Background = ColorToRGBA(StateColours[k]);
                state.ButtonItem.Material.Diffuse = ColorToRGBA(StateColours[k]);
            }
        Click(Node(0, 0));
    }

    TTemplatePanel &Panel() const { return Main().Templates(); }
    TTemplateGrid &Grid() const { return Panel().Grid(); }

    QStringList TabTexts() const
    {
        QStringList texts;
        for (int i = 0; i < Panel().Tabs().count(); ++i)
            texts << Panel().Tabs().tabText(i);
        return texts;
    }

    static TNames NamesInFile(const std::string &file)
    {
        TButtonTemplate read(Proj);
        read.LoadFromFile(file);
        TNames names;
        for (int i = 0; i < read.Count(); ++i)
            names.push_back(read.GetItem(i).Name);
        return names;
    }

    // A template file of the given buttons, made without the panel.
    static void MakeTemplateFile(const char *name, int buttons)
    {
        ASSERT_TRUE(Proj->NewButtonTemplate(name));
        for (int i = 0; i < buttons; ++i)
            Proj->AddButtonToTemplate("B" + std::to_string(i));
        Proj->CloseButtonTemplate();
    }

    // The user chooses the template's tab.
    void OpenTab(const QString &text)
    {
        Panel().LoadTemplateTabs();
        Panel().Tabs().setCurrentIndex(int(TabTexts().indexOf(text)));
    }

    QPoint CellCentre(int row, int column) const
    {
        return Grid().visualRect(Grid().model()->index(row, column)).center();
    }
    void ClickCell(int row, int column) const
    {
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(row, column));
    }

    // The picture the cell shows, cut from the grid as it is painted.
    QImage PictureShown(int row, int column) const
    {
        const QRect cell = Grid().visualRect(Grid().model()->index(row, column));
        const QImage shot = Grid().viewport()->grab().toImage().convertToFormat(QImage::Format_RGB888);
        const QImage picture = Picture(0, 0);
        return shot.copy(cell.left() + (cell.width() - picture.width()) / 2, cell.top() + 5, picture.width(),
                         picture.height());
    }
    static QImage Picture(int button, int state)
    {
        return Proj->ButtonTemplate.GetItem(button).GetThumbnail(state);
    }
};

TEST_F(TemplatePanelTest, TabsListTheTemplateFilesInByteOrder)
{
    for (const char *name : {"b.btn", "B.btn", "a.btn", "x.BTN", "notes.txt"})
        ASSERT_TRUE(WriteFileBytes(TemplatesDir + name, std::vector<uint8_t>(4, 0)));
    ASSERT_TRUE(CreateFolder(TemplatesDir + "folder.btn"));
    Panel().LoadTemplateTabs();
    EXPECT_EQ(TabTexts(), QStringList({"Closed", "B", "a", "b"}));
    EXPECT_EQ(Panel().Tabs().currentIndex(), 0);
    EXPECT_FALSE(Action("RemoveTemplate").isEnabled());
    EXPECT_FALSE(Action("AddButtonToTemp").isEnabled());

    const struct {
        const char *name;
        int index;
    } inserts[] = {{"A", 1}, {"a", 4}, {"c", 6}, {"R&D", 3}};
    for (const auto &insert : inserts)
        EXPECT_EQ(Panel().InsertTabSorted(insert.name), insert.index) << insert.name;
    EXPECT_EQ(TabTexts(), QStringList({"Closed", "A", "B", "R&&D", "a", "a", "b", "c"}));
}

TEST_F(TemplatePanelTest, CommandsWriteTheTemplateFileAtOnce)
{
    const std::string file = TemplatesDir + "Blue.btn";
    std::vector<uint8_t> threeButtons;
    QString renamedFrom;
    const auto yes = [this](const char *command) {
        FBoxes.Answer(idYes);
        Run(command);
    };
    const struct {
        const char *step;
        std::function<void()> act;
        TNames names;
        int selected;
    } steps[] = {
        {"make", [&] {
             FDialogs.AnswerFile(QString::fromStdString(AppDir + "elsewhere/Blue.btn"));
             Run("MakeTemplate");
         }, {}, -1},
        {"add", [&] {
             const QImage shown = Proj->CurrentState()->GetBitmap();
             AnswerName("One");
             Run("AddButtonToTemp");
             EXPECT_EQ(Proj->CurrentState()->GetBitmap(), shown) << "the buffer holds the state again";
         }, {"One"}, -1},
        {"add two more", [&] {
             Click(Node(1));
             AnswerName("Two");
             Run("AddButtonToTemp");
             AnswerName("Three");
             Run("AddButtonToTemp");
             threeButtons = FileBytes(file);
         }, {"One", "Two", "Three"}, -1},
        {"click", [&] { ClickCell(1, 0); }, {"One", "Two", "Three"}, 2},
        {"move up", [&] { Run("MoveTempUp"); }, {"One", "Three", "Two"}, 1},
        {"move down", [&] { Run("MoveTempDown"); }, {"One", "Two", "Three"}, 2},
        {"rename", [&] {
             FDialogs.AnswerForm([&](QDialog &dialog) {
                 auto &names = static_cast<TNameDialog &>(dialog);
                 renamedFrom = names.Name();
                 names.SetName("Drei");
                 dialog.accept();
             });
             Run("RenameButtonInTemp");
         }, {"One", "Two", "Drei"}, 2},
        {"delete", [&] { yes("DeleteButtonFromTemp"); }, {"One", "Two"}, -1},
        {"delete all", [&] { ClickCell(0, 0); yes("DeleteAllButtonFromTemp"); }, {}, -1},
    };
    for (const auto &step : steps) {
        step.act();
        EXPECT_EQ(NamesInFile("Blue.btn"), step.names) << step.step;
        EXPECT_EQ(Proj->TemplateButtonIndex, step.selected) << step.step;
        if (std::string(step.step) == "move up") {
            EXPECT_EQ(QPoint(Grid().currentColumn(), Grid().currentRow()), QPoint(1, 0));
        }
        if (std::string(step.step) == "move down") {
            EXPECT_EQ(FileBytes(file), threeButtons) << "moving back gives the same bytes";
        }
    }
    EXPECT_EQ(FileBytes(file), std::vector<uint8_t>(4, 0));
    EXPECT_EQ(TabTexts(), QStringList({"Closed", "Blue"}));
    EXPECT_EQ(renamedFrom, "Three");
    EXPECT_FALSE(Action("DeleteButtonFromTemp").isEnabled()) << "the tree's selection took them away";
    EXPECT_EQ(FBoxes.Shown().size(), 2u);
}

// Where no file can be written, adding a button and making a template say
// why, and the panel keeps showing what the files hold.
TEST_F(TemplatePanelTest, ChangesThatCannotBeWrittenAreReportedAndNotShown)
{
    MakeTemplateFile("Blue", 2);
    OpenTab("Blue");
    const std::vector<uint8_t> blue = FileBytes(TemplatesDir + "Blue.btn");
    Proj->RenderCurrent();
    const QImage shown = Proj->CurrentState()->GetBitmap();
    {
        TFileSizeLimit nothingWritten(0);
        AnswerName("Third");
        FBoxes.Answer(idOK);
        Run("AddButtonToTemp");
        FDialogs.AnswerFile(QString::fromStdString(AppDir + "elsewhere/Green.btn"));
        FBoxes.Answer(idOK);
        Run("MakeTemplate");
    }
    ASSERT_EQ(FBoxes.Shown().size(), 2u);
    EXPECT_EQ(FBoxes.Shown()[0].Text, CannotSaveFile(TemplatesDir + "Blue.btn", "File too large").what());
    EXPECT_EQ(FBoxes.Shown()[1].Text, CannotSaveFile(TemplatesDir + "Green.btn", "File too large").what());
    EXPECT_EQ(Proj->ButtonTemplate.Count(), 2);
    EXPECT_EQ(Grid().rowCount(), 1);
    EXPECT_EQ(Proj->CurrentState()->GetBitmap(), shown) << "the buffer holds the state again";
    EXPECT_EQ(TabTexts(), QStringList({"Closed", "Blue"}));
    EXPECT_EQ(Panel().Tabs().currentIndex(), 1);
    EXPECT_EQ(Proj->TemplateFileName, "Blue.btn");
    EXPECT_EQ(FileBytes(TemplatesDir + "Blue.btn"), blue);
    EXPECT_FALSE(FileExists(TemplatesDir + "Green.btn"));
}

TEST_F(TemplatePanelTest, TheGridShowsOverAndPressedPicturesAndKeysSelect)
{
    MakeTemplateFile("Five", 5);
    OpenTab("Five");
    EXPECT_EQ(Grid().rowCount(), 3);
    EXPECT_EQ(Proj->TemplateButtonIndex, 0) << "the first cell is current";
    QTest::keyClick(&Grid(), Qt::Key_Down);
    EXPECT_EQ(Proj->TemplateButtonIndex, 2);
    EXPECT_TRUE(Action("MoveTempUp").isEnabled());

    QWidget *view = Grid().viewport();
    const struct {
        const char *event;
        std::function<void()> act;
        int shownAt00, shownAt01;
    } steps[] = {
        // The first move only brings the mouse into the window.
        {"rest", [&] { QTest::mouseMove(view, QPoint(5, view->height() - 5)); }, 0, 0},
        {"over", [&] { QTest::mouseMove(view, CellCentre(0, 0)); }, 1, 0},
        {"press", [&] { QTest::mousePress(view, Qt::LeftButton, {}, CellCentre(0, 0)); }, 2, 0},
        {"release", [&] { QTest::mouseRelease(view, Qt::LeftButton, {}, CellCentre(0, 0)); }, 1, 0},
        {"next cell", [&] { QTest::mouseMove(view, CellCentre(0, 1)); }, 0, 1},
    };
    for (const auto &step : steps) {
        step.act();
        EXPECT_EQ(PictureShown(0, 0), Picture(0, step.shownAt00)) << step.event;
        EXPECT_EQ(PictureShown(0, 1), Picture(1, step.shownAt01)) << step.event;
    }
    EXPECT_NE(Picture(0, 0), Picture(0, 1));
    EXPECT_NE(Picture(0, 1), Picture(0, 2));
    SaveScreen(*Panel().parentWidget(), "TemplatePanel-grid");

    ClickCell(2, 1);
    EXPECT_EQ(Proj->TemplateButtonIndex, -1) << "the sixth cell holds no button";
    EXPECT_FALSE(Action("CopyPropFromTemp").isEnabled());
    EXPECT_FALSE(Action("DeleteButtonFromTemp").isEnabled());

    Panel().Tabs().setCurrentIndex(0);
    EXPECT_EQ(Grid().rowCount(), 0);
    EXPECT_FALSE(Action("AddButtonToTemp").isEnabled());
    EXPECT_EQ(Proj->TemplateFileName, "");
}

TEST_F(TemplatePanelTest, CopyingATemplateButtonKeepsNamesTextsAndSizes)
{
    Proj->Buttons[0]->States[1].ButtonItem.Material.Shininess = 7;
    MakeTemplateFile("Looks", 1);
    OpenTab("Looks");
    const struct {
        const char *how;
        int button;
        std::function<void()> act;
    } ways[] = {
        {"command", 1, [&] {
             ClickCell(0, 0);
             Run("CopyPropFromTemp");
         }},
        // A double click is a click, then the second press.
        {"double click", 2, [&] {
             ClickCell(0, 0);
             QTest::mouseDClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(0, 0));
         }},
    };
    for (const auto &way : ways) {
        TButtons &target = *Proj->Buttons[size_t(way.button)];
        target.States[1].Width = 120;
        Click(Node(way.button, 1));
        way.act();
        EXPECT_EQ(target.States[1].ButtonItem.Material.Shininess, 7) << way.how;
        EXPECT_EQ(target.States[1].Width, 120) << way.how;
        EXPECT_EQ(target.States[1].Name, "Selected") << way.how;
        EXPECT_EQ(target.States[1].TextItem.Text, target.Name) << way.how;
        EXPECT_TRUE(Proj->Modified) << way.how;
        EXPECT_FALSE(Action("CopyPropFromTemp").isEnabled()) << way.how << ": the selection was evaluated again";
    }
}

TEST_F(TemplatePanelTest, TemplateNamesAreCheckedInTheTemplatesFolder)
{
    MakeTemplateFile("Red", 1);
    const std::vector<uint8_t> red = FileBytes(TemplatesDir + "Red.btn");
    const QString elsewhere = QString::fromStdString(AppDir + "elsewhere/");
    Panel().LoadTemplateTabs();
    FDialogs.AnswerFile(elsewhere + "Blue.btn");
    Run("MakeTemplate");

    const struct {
        const char *step;
        const char *command;
        std::optional<QString> file;
        int answer;  // to the message box, 0 for none
        QStringList tabs;
        bool blue, green;
    } steps[] = {
        {"make taken", "MakeTemplate", elsewhere + "Red.btn", idOK, {"Closed", "Blue", "Red"}, true, false},
        {"rename taken", "RenameTemplate", elsewhere + "Red.btn", idOK, {"Closed", "Blue", "Red"}, true, false},
        {"rename", "RenameTemplate", elsewhere + "Green.btn", 0, {"Closed", "Green", "Red"}, false, true},
        {"remove, no", "RemoveTemplate", std::nullopt, idNo, {"Closed", "Green", "Red"}, false, true},
        {"remove", "RemoveTemplate", std::nullopt, idYes, {"Closed", "Red"}, false, false},
    };
    for (const auto &step : steps) {
        if (step.file)
            FDialogs.AnswerFile(step.file);
        if (step.answer)
            FBoxes.Answer(step.answer);
        Run(step.command);
        EXPECT_EQ(TabTexts(), step.tabs) << step.step;
        EXPECT_EQ(FileExists(TemplatesDir + "Blue.btn"), step.blue) << step.step;
        EXPECT_EQ(FileExists(TemplatesDir + "Green.btn"), step.green) << step.step;
        EXPECT_EQ(FileBytes(TemplatesDir + "Red.btn"), red) << step.step;
    }
    EXPECT_EQ(FBoxes.Shown().size(), 4u);
    EXPECT_EQ(Panel().Tabs().currentIndex(), 0);
    EXPECT_FALSE(Action("RemoveTemplate").isEnabled());
    ASSERT_FALSE(FDialogs.FileRequests().empty());
    EXPECT_EQ(FDialogs.FileRequests()[0].InitialDir, QString::fromStdString(TemplatesDir));
    EXPECT_EQ(FDialogs.FileRequests()[1].InitialDir, elsewhere.chopped(1));
}

// A right click chooses its tab before the tabs' menu opens; a template
// file that cannot be deleted or renamed is told with the reason, and its
// tab stays.
TEST_F(TemplatePanelTest, TheTabsMenuActsOnTheTabClicked)
{
    MakeTemplateFile("Blue", 1);
    MakeTemplateFile("Red", 1);
    const std::string red = "file \"" + TemplatesDir + "Red.btn\". " + std::strerror(EROFS);
    const struct {
        const char *command, *file;  // the file dialog's answer, if asked
        bool readOnly;
        std::vector<int> answers;
        std::string box;
    } rows[] = {{"RemoveTemplate", nullptr, true, {idYes, idOK}, "Cannot delete " + red},
                {"RenameTemplate", "Green", true, {idOK}, "Cannot rename " + red},
                {"RemoveTemplate", nullptr, false, {idYes}, "Are you realy want delete template?\n\"Red\""}};
    for (const auto &row : rows) {
        OpenTab("Blue");
        std::optional<TReadOnlyFolder> folder;
        if (row.readOnly && !folder.emplace(TemplatesDir).Made()) {
            SkipRow(row.box, folder->Failure());
            continue;
        }
        if (row.file)
            FDialogs.AnswerFile(QString::fromStdString(AppDir + row.file));
        for (int answer : row.answers)
            FBoxes.Answer(answer);
        // Through the window, as the system sends it: the press brings the menu.
        QTabBar &tabs = Panel().Tabs();
        QTest::mouseClick(tabs.window()->windowHandle(), Qt::RightButton, {},
                          tabs.mapTo(tabs.window(), tabs.tabRect(2).center()));
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(&Action(row.command)).center());
        EXPECT_EQ(FBoxes.Shown().back().Text, row.box);
        EXPECT_EQ(TabTexts().contains("Red"), row.readOnly) << row.box;
    }
    SaveScreen(*Panel().parentWidget(), "TemplatePanel-tab-deleted");
}

// A typed name keeps its dots; only a ".btn" ending is the extension, and a
// name that leaves nothing is refused.
TEST_F(TemplatePanelTest, TypedTemplateNamesKeepTheirDots)
{
    FBoxes.Answer(idOK);
    for (const char *typed : {"v1.2", "v1.5", ".hidden", "x.btn", ".BTN"}) {
        FDialogs.AnswerFile(QString::fromStdString(AppDir + typed));
        Run("MakeTemplate");
    }
    EXPECT_EQ(FileNamesIn(TemplatesDir, ".btn"), TNames({".hidden.btn", "v1.2.btn", "v1.5.btn", "x.btn"}));
    EXPECT_EQ(TabTexts(), QStringList({"Closed", ".hidden", "v1.2", "v1.5", "x"}));
    ASSERT_EQ(FBoxes.Shown().size(), 1u);
    EXPECT_EQ(FBoxes.Shown()[0].Text, "Template's name must be exists.");
}

}  // namespace
