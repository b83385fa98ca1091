#include "MainWindowFixture.h"
#include "Screens.h"

#include "CommandStates.h"
#include "ProjectTree.h"
#include "PropertyPanels.h"

#include <QMenuBar>
#include <QToolBar>

// Every action of the table exists once, with its tag as help context where
// it has one; every menu and tool bar item names an action of the table.
TEST(ActionTableTest, NamesAreUniqueAndEveryItemExists)
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
}

TEST_F(MainWindowTest, StartsWithTheNoProjectCommandsOnly)
{
    Main().show();
    EXPECT_EQ(Main().windowTitle(), "Bright Lane");
    EXPECT_EQ(Main().Actions().EnabledCount(), 17);
    EXPECT_EQ(Main().menuBar()->actions().size(), 6);
    EXPECT_EQ(Main().Tree().View().topLevelItemCount(), 0);
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
