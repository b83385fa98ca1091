// The property panels and the copy commands in the main window: the tree's
// selection loads them, the Properties commands turn the state panel's pages,
// the copy commands and the auto-copy switches work through their actions.
#include "MainWindowFixture.h"
#include "Screens.h"

#include "CopyBufferU.h"
#include "FlowTabs.h"
#include "MessageBoxes.h"
#include "ParamU.h"
#include "PropertyPanels.h"

#include <QFile>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>

namespace {

class EditingWiring : public MainWindowTest {
protected:
    template <typename Control>
    Control *InPanel(TPropPanel panel, const char *name) const
    {
        return Main().Panels().Panel(panel).findChild<Control *>(QLatin1String(name));
    }
    // The panel's edits, lists and spin edits have the height they need in
    // the window's default size: a panel shorter than its controls scrolls,
    // and no page is wider than its room.
    void ExpectUnsqueezed(TPropPanel panel) const
    {
        for (QScrollArea *scroller : Main().Panels().Panel(panel).findChildren<QScrollArea *>())
            if (scroller->isVisible()) {
                EXPECT_LE(scroller->widget()->width(), scroller->viewport()->width()) << scroller->widget()->objectName().toStdString();
            }
        for (QWidget *control : Main().Panels().Panel(panel).findChildren<QWidget *>()) {
            const bool field = qobject_cast<QAbstractSpinBox *>(control) || qobject_cast<QComboBox *>(control) ||
                               (qobject_cast<QLineEdit *>(control) && !qobject_cast<QAbstractSpinBox *>(control->parent()) &&
                                !qobject_cast<QComboBox *>(control->parent()));
            if (field && control->isVisible()) {
                EXPECT_GE(control->height(), control->minimumSizeHint().height()) << control->objectName().toStdString();
            }
        }
    }
    void TypeCaption(const char *text) const
    {
        QLineEdit *edit = InPanel<QLineEdit>(ppState, "Edit1");
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromLatin1(text));
    }
};

TEST_F(EditingWiring, TheSelectionLoadsThePanelsAndTheCommandsActOnTheState)
{
    Main().show();
    BufFull = false;
    NewProjectWith({"Home", "About"});
    Click(Node(0, 1));
    EXPECT_TRUE(Main().Panels().IsOn(ppState));
    EXPECT_EQ(InPanel<QLineEdit>(ppState, "Edit1")->text(), QStringLiteral("Home"));

    Run("MaterialParam");
    EXPECT_EQ(InPanel<TFlowTabs>(ppState, "PageControl1")->CurrentIndex(), 3);

    TypeCaption("Start");
    EXPECT_EQ(Proj->CurrentState()->TextItem.Text, "Start");
    EXPECT_EQ(Proj->Buttons[1]->States[1].TextItem.Text, "About") << "no switch on";

    EXPECT_FALSE(Action("CopyFromBuf").isEnabled());
    Run("CopyToBuf1");
    EXPECT_TRUE(Action("CopyFromBuf").isEnabled()) << "the first copy enables the paste commands";
    FBoxes.Answer(idYes);
    Run("PropToButtons");
    for (const auto &button : Proj->Buttons)
        for (const TItem &state : button->States)
            EXPECT_EQ(state.TextItem.Text, "Start");

    Run("AutoButState");
    TypeCaption("Over");
    EXPECT_EQ(Proj->Buttons[1]->States[1].TextItem.Text, "Over") << "the same state of every button";
    EXPECT_EQ(Proj->Buttons[1]->States[0].TextItem.Text, "Start");
    for (const char *page : {"TextParam", "ShapeParam", "DeformationParam", "MaterialParam", "TextureParam", "ShadowParam",
                             "LightParam"}) {
        Run(page);
        QApplication::processEvents();  // the page lays itself out
        ExpectUnsqueezed(ppState);
        SaveScreen(Main(), QStringLiteral("MainF-statePanel-") + QString::fromLatin1(page));
    }

    // The page tour above may outlast the one-second timer on a loaded
    // machine, so the edit that puts the state in draft comes right here.
    TypeCaption("Over");
    ASSERT_EQ(Proj->CurrentState()->Draft, 1);
    TItem &drafted = *Proj->CurrentState();
    Click(Node(1));
    EXPECT_EQ(drafted.Draft, 0) << "leaving the states ends draft mode";
    EXPECT_EQ(AppParam().MeshCols, 180);
    EXPECT_TRUE(Main().Panels().IsOn(ppButton));
    EXPECT_EQ(InPanel<QLineEdit>(ppButton, "Edit2")->text(), QStringLiteral("#"));
    ExpectUnsqueezed(ppButton);
    SaveScreen(Main(), "MainF-buttonPanel");
    Click(Tree().RootNode());
    EXPECT_TRUE(Main().Panels().IsOn(ppProject));
    ExpectUnsqueezed(ppProject);
    SaveScreen(Main(), "MainF-projectPanel");
}

TEST(EditingHelp, EveryPanelAndPageHasItsSectionInTheGuide)
{
    QFile guide(QStringLiteral(BL_SOURCE_DIR "/app/help/guide.html"));
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(guide.readAll());
    for (int context : {201, 202, 203, 20301, 20302, 20303, 20304, 20305, 20306, 20307})
        EXPECT_TRUE(text.contains(QStringLiteral("name=\"context-%1\"").arg(context))) << context;
}

}  // namespace
