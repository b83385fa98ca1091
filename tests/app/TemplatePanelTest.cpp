#include "ButtonStream.h"
#include "QStringPrinter.h"
#include "Screens.h"
#include "TemplateGrid.h"
#include "TemplatePanel.h"
#include "WindowFixture.h"

#include <QAction>
#include <QDir>
#include <QTabBar>
#include <QTest>

#include <deque>

namespace {

using TNames = std::vector<std::string>;

// Each state has a colour of its own, so its picture tells which it is.
constexpr TColor StateColours[] = {0x0000FF, 0x00FF00, 0xFF0000};

class TemplatePanelTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        for (QAction *TTemplateActions::*action : AllActions)
            FActions.*action = new QAction(&FActionOwner);
        P().NewProject();
        for (const char *name : {"Home", "News", "Shop"}) {
            P().AddButton(name);
            for (int k = 0; k < StateCount; ++k) {
                TItem &state = P().Buttons.back()->States[size_t(k)];
                state.Background = ColorToRGBA(StateColours[k]);
                state.ButtonItem.Material.Diffuse = ColorToRGBA(StateColours[k]);
            }
        }
        P().Select(0, 0);
        TTemplateHooks hooks;
        hooks.NewButtonName = [this] { return Next(); };
        hooks.Rename = [this](const QString &current) {
            FRenamed.push_back(current);
            return Next();
        };
        hooks.SelectionChanged = [this] { ++FSelectionChanges; };
        FPanel = std::make_unique<TTemplatePanel>(FActions, hooks);
        FPanel->resize(420, 260);
        FPanel->show();
        FPanel->LoadTemplateTabs();
    }

    std::optional<QString> Next()
    {
        EXPECT_FALSE(FNames.empty()) << "a name nobody expected was asked for";
        if (FNames.empty())
            return std::nullopt;
        const QString name = FNames.front();
        FNames.pop_front();
        return name;
    }

    QStringList TabTexts() const
    {
        QStringList texts;
        for (int i = 0; i < FPanel->Tabs().count(); ++i)
            texts << FPanel->Tabs().tabText(i);
        return texts;
    }

    TNames NamesInFile(const std::string &file)
    {
        TButtonTemplate read(&P());
        read.LoadFromFile(file);
        TNames names;
        for (int i = 0; i < read.Count(); ++i)
            names.push_back(read.GetItem(i).Name);
        return names;
    }

    // A template file of the given buttons, made without the panel.
    void MakeTemplateFile(const char *name, int buttons)
    {
        ASSERT_TRUE(P().NewButtonTemplate(name));
        for (int i = 0; i < buttons; ++i)
            P().AddButtonToTemplate("B" + std::to_string(i));
        P().CloseButtonTemplate();
    }

    void OpenTab(const QString &text)
    {
        FPanel->LoadTemplateTabs();
        FPanel->Tabs().setCurrentIndex(int(TabTexts().indexOf(text)));
    }

    QPoint CellCentre(int row, int column) const
    {
        TTemplateGrid &grid = FPanel->Grid();
        return grid.visualRect(grid.model()->index(row, column)).center();
    }

    // The picture the cell shows, cut from the grid as it is painted.
    QImage PictureShown(int row, int column) const
    {
        TTemplateGrid &grid = FPanel->Grid();
        const QRect cell = grid.visualRect(grid.model()->index(row, column));
        const QImage shot = grid.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB888);
        const QImage picture = Picture(0, 0);
        return shot.copy(cell.left() + (cell.width() - picture.width()) / 2, cell.top() + 5, picture.width(),
                         picture.height());
    }
    QImage Picture(int button, int state) const
    {
        return FProj->ButtonTemplate.GetItem(button).GetThumbnail(state);
    }

    static constexpr QAction *TTemplateActions::*AllActions[] = {
        &TTemplateActions::MakeTemplate,         &TTemplateActions::RemoveTemplate,
        &TTemplateActions::RenameTemplate,       &TTemplateActions::AddButtonToTemp,
        &TTemplateActions::DeleteButtonFromTemp, &TTemplateActions::CopyPropFromTemp,
        &TTemplateActions::RenameButtonInTemp,   &TTemplateActions::DeleteAllButtonFromTemp,
        &TTemplateActions::MoveTempUp,           &TTemplateActions::MoveTempDown};

    QObject FActionOwner;
    TTemplateActions FActions{};
    std::unique_ptr<TTemplatePanel> FPanel;
    std::deque<QString> FNames;
    QStringList FRenamed;
    int FSelectionChanges = 0;
};

TEST_F(TemplatePanelTest, TabsListTheTemplateFilesInByteOrder)
{
    for (const char *name : {"b.btn", "B.btn", "a.btn", "x.BTN", "notes.txt"})
        WriteFile(TemplatesDir + name, std::vector<uint8_t>(4, 0));
    ASSERT_TRUE(CreateFolder(TemplatesDir + "folder.btn"));
    FPanel->LoadTemplateTabs();
    EXPECT_EQ(TabTexts(), QStringList({"Closed", "B", "a", "b"}));
    EXPECT_EQ(FPanel->Tabs().currentIndex(), 0);
    EXPECT_FALSE(FActions.RemoveTemplate->isEnabled());
    EXPECT_FALSE(FActions.AddButtonToTemp->isEnabled());

    const struct {
        const char *name;
        int index;
    } inserts[] = {{"A", 1}, {"a", 4}, {"c", 6}, {"R&D", 3}};
    for (const auto &insert : inserts)
        EXPECT_EQ(FPanel->InsertTabSorted(insert.name), insert.index) << insert.name;
    EXPECT_EQ(TabTexts(), QStringList({"Closed", "A", "B", "R&&D", "a", "a", "b", "c"}));
}

TEST_F(TemplatePanelTest, CommandsWriteTheTemplateFileAtOnce)
{
    const std::string file = TemplatesDir + "Blue.btn";
    std::vector<uint8_t> threeButtons;
    const auto clickCell = [this](int row, int column) {
        QTest::mouseClick(FPanel->Grid().viewport(), Qt::LeftButton, {}, CellCentre(row, column));
    };
    const auto yes = [this](QAction *action) {
        Boxes.Answer(idYes);
        action->trigger();
    };
    const struct {
        const char *step;
        std::function<void()> act;
        TNames names;
        int selected;
    } steps[] = {
        {"make", [&] {
             Dialogs.AnswerFile(QString::fromStdString(AppDir + "elsewhere/Blue.btn"));
             FActions.MakeTemplate->trigger();
         }, {}, -1},
        {"add", [&] { FNames = {"One"}; FActions.AddButtonToTemp->trigger(); }, {"One"}, -1},
        {"add another", [&] {
             P().Select(1, -1);
             FNames = {"Two"};
             FActions.AddButtonToTemp->trigger();
             FNames = {"Three"};
             FActions.AddButtonToTemp->trigger();
             threeButtons = FileBytes(file);
         }, {"One", "Two", "Three"}, -1},
        {"click", [&] { clickCell(1, 0); }, {"One", "Two", "Three"}, 2},
        {"move up", [&] { FActions.MoveTempUp->trigger(); }, {"One", "Three", "Two"}, 1},
        {"move down", [&] { FActions.MoveTempDown->trigger(); }, {"One", "Two", "Three"}, 2},
        {"rename", [&] { FNames = {"Drei"}; FActions.RenameButtonInTemp->trigger(); }, {"One", "Two", "Drei"}, 2},
        {"delete", [&] { yes(FActions.DeleteButtonFromTemp); }, {"One", "Two"}, -1},
        {"delete all", [&] { yes(FActions.DeleteAllButtonFromTemp); }, {}, -1},
    };
    for (const auto &step : steps) {
        step.act();
        EXPECT_EQ(NamesInFile("Blue.btn"), step.names) << step.step;
        EXPECT_EQ(P().TemplateButtonIndex, step.selected) << step.step;
        if (std::string(step.step) == "move up") {
            EXPECT_EQ(FPanel->Grid().currentRow(), 0);
            EXPECT_EQ(FPanel->Grid().currentColumn(), 1);
        }
        if (std::string(step.step) == "move down") {
            EXPECT_EQ(FileBytes(file), threeButtons) << "moving back gives the same bytes";
        }
    }
    EXPECT_EQ(FileBytes(file), std::vector<uint8_t>(4, 0));
    EXPECT_EQ(TabTexts(), QStringList({"Closed", "Blue"}));
    EXPECT_EQ(FRenamed, QStringList({"Three"}));
    EXPECT_EQ(FSelectionChanges, 2);
    EXPECT_EQ(Boxes.Shown().size(), 2u);
}

TEST_F(TemplatePanelTest, TheGridShowsOverAndPressedPicturesAndKeysSelect)
{
    MakeTemplateFile("Five", 5);
    OpenTab("Five");
    TTemplateGrid &grid = FPanel->Grid();
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(P().TemplateButtonIndex, 0) << "the first cell is current";
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(P().TemplateButtonIndex, 2);
    EXPECT_TRUE(FActions.MoveTempUp->isEnabled());

    QWidget *view = grid.viewport();
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
    SaveScreen(*FPanel, "TemplatePanel-grid");

    QTest::mouseClick(view, Qt::LeftButton, {}, CellCentre(2, 1));
    EXPECT_EQ(P().TemplateButtonIndex, -1) << "the sixth cell holds no button";
    EXPECT_FALSE(FActions.CopyPropFromTemp->isEnabled());
    EXPECT_FALSE(FActions.DeleteButtonFromTemp->isEnabled());

    FPanel->Tabs().setCurrentIndex(0);
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_FALSE(FActions.AddButtonToTemp->isEnabled());
    EXPECT_EQ(P().TemplateFileName, "");
}

TEST_F(TemplatePanelTest, CopyingATemplateButtonKeepsNamesTextsAndSizes)
{
    P().Buttons[0]->States[1].ButtonItem.Material.Shininess = 7;
    MakeTemplateFile("Looks", 1);
    OpenTab("Looks");
    const struct {
        const char *how;
        int button;
        std::function<void()> act;
    } ways[] = {
        {"command", 1, [&] { FActions.CopyPropFromTemp->trigger(); }},
        {"double click", 2, [&] {
             // A double click is a click, then the second press.
             QTest::mouseClick(FPanel->Grid().viewport(), Qt::LeftButton, {}, CellCentre(0, 0));
             QTest::mouseDClick(FPanel->Grid().viewport(), Qt::LeftButton, {}, CellCentre(0, 0));
         }},
    };
    for (const auto &way : ways) {
        TButtons &target = *P().Buttons[size_t(way.button)];
        target.States[1].Width = 120;
        P().Select(way.button, 1);
        FPanel->EnableTemplateButtonActions();
        way.act();
        EXPECT_EQ(target.States[1].ButtonItem.Material.Shininess, 7) << way.how;
        EXPECT_EQ(target.States[1].Width, 120) << way.how;
        EXPECT_EQ(target.States[1].Name, "Selected") << way.how;
        EXPECT_EQ(target.States[1].TextItem.Text, target.Name) << way.how;
    }
    EXPECT_EQ(FSelectionChanges, 2);
}

TEST_F(TemplatePanelTest, TemplateNamesAreCheckedInTheTemplatesFolder)
{
    MakeTemplateFile("Red", 1);
    const std::vector<uint8_t> red = FileBytes(TemplatesDir + "Red.btn");
    const QString elsewhere = QString::fromStdString(AppDir + "elsewhere/");
    FPanel->LoadTemplateTabs();
    Dialogs.AnswerFile(elsewhere + "Blue.btn");
    FActions.MakeTemplate->trigger();

    const struct {
        const char *step;
        QAction *action;
        std::optional<QString> file;
        int answer;  // to the message box, 0 for none
        QStringList tabs;
        bool blue, green;
    } steps[] = {
        {"make taken", FActions.MakeTemplate, elsewhere + "Red.btn", idOK, {"Closed", "Blue", "Red"}, true, false},
        {"rename taken", FActions.RenameTemplate, elsewhere + "Red.btn", idOK, {"Closed", "Blue", "Red"}, true, false},
        {"rename", FActions.RenameTemplate, elsewhere + "Green.btn", 0, {"Closed", "Green", "Red"}, false, true},
        {"remove, no", FActions.RemoveTemplate, std::nullopt, idNo, {"Closed", "Green", "Red"}, false, true},
        {"remove", FActions.RemoveTemplate, std::nullopt, idYes, {"Closed", "Red"}, false, false},
    };
    for (const auto &step : steps) {
        if (step.file)
            Dialogs.AnswerFile(step.file);
        if (step.answer)
            Boxes.Answer(step.answer);
        step.action->trigger();
        EXPECT_EQ(TabTexts(), step.tabs) << step.step;
        EXPECT_EQ(FileExists(TemplatesDir + "Blue.btn"), step.blue) << step.step;
        EXPECT_EQ(FileExists(TemplatesDir + "Green.btn"), step.green) << step.step;
        EXPECT_EQ(FileBytes(TemplatesDir + "Red.btn"), red) << step.step;
    }
    EXPECT_EQ(Boxes.Shown().size(), 4u);
    EXPECT_EQ(FPanel->Tabs().currentIndex(), 0);
    EXPECT_FALSE(FActions.RemoveTemplate->isEnabled());
    ASSERT_FALSE(Dialogs.FileRequests().empty());
    EXPECT_EQ(Dialogs.FileRequests()[0].InitialDir, QString::fromStdString(TemplatesDir));
    EXPECT_EQ(Dialogs.FileRequests()[1].InitialDir, elsewhere.chopped(1));
}

}  // namespace
