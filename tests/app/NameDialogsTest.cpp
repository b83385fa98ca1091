#include "AboutBox.h"
#include "KitLabel.h"
#include "NameDialogs.h"

#include "Codepage.h"
#include "LangSupU.h"
#include "QStringPrinter.h"
#include "Screens.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

namespace {

class NameDialogsTest : public WindowTest {
protected:
    // Shows the dialog through the service with the text typed, then OK.
    static int Confirm(TNameDialog &dialog, const QString &typed, bool ok = true)
    {
        auto &dialogs = static_cast<TScriptedCommonDialogs &>(CommonDialogs());
        dialogs.AnswerForm([typed, ok](QDialog &shown) {
            if (!typed.isNull())
                shown.findChild<QComboBox *>("ComboBox1")->setEditText(typed);
            QTest::mouseClick(shown.findChild<QPushButton *>(ok ? "BitBtn1" : "BitBtn2"), Qt::LeftButton);
        });
        return CommonDialogs().Exec(dialog);
    }
};

}  // namespace

TEST_F(NameDialogsTest, NamesAreTrimmedAndTheLastEightKeptNewestFirst)
{
    TButtonF dialog;
    EXPECT_EQ(Confirm(dialog, " \t Home  "), QDialog::Accepted);
    EXPECT_EQ(dialog.Name(), "Home");
    for (const char *name : {"Home", "", "a", "b", "c", "d", "e", "f"})
        Confirm(dialog, QString::fromLatin1(name));
    EXPECT_EQ(dialog.History(), QStringList({"f", "e", "d", "c", "b", "a", "", "Home"}));
    EXPECT_EQ(Confirm(dialog, "never", false), QDialog::Rejected);
    EXPECT_EQ(dialog.History().size(), 8);
    EXPECT_FALSE(dialog.History().contains("never"));
    SaveScreen(dialog, "ButtonF-history");
}

TEST_F(NameDialogsTest, NewNamesAreProposedFromTheProjectsCountersAndRenamesKeepTheText)
{
    P().NewProject();
    P().NextButtonNo = 3;
    P().NextTemplateButtonNo = 7;
    TButtonF button;
    TTempF templateButton;
    struct TCase {
        TNameDialog &dialog;
        bool rename;
        QString shown;
    };
    const TCase cases[] = {
        {button, false, "Menu - 3"},
        {templateButton, false, "Template - 7"},
        {button, true, "Old name"},
    };
    for (const TCase &c : cases) {
        c.dialog.SetName("Old name");
        c.dialog.SetRename(c.rename);
        Confirm(c.dialog, QString());
        EXPECT_EQ(c.dialog.Name(), c.shown);
    }
    SaveScreen(templateButton, "TempF-proposal");

    Lang->AddItem("Interface", "Knopka", 1);
    Lang->SetBuiltIn(false);
    button.SetRename(false);
    Confirm(button, QString());
    EXPECT_EQ(button.Name(), "Knopka - 3");
}

// The name label lights up only while the pointer is over it in an active
// window of ours.
TEST_F(NameDialogsTest, TheAboutBoxNameLightsUpUnderThePointer)
{
    TAboutF about;
    about.show();
    about.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    TKitLabel &name = about.NameLabel();
    const QColor highlight = about.palette().color(QPalette::Highlight);
    EXPECT_EQ(name.FontColor(), highlight);

    QTest::mouseMove(&name, name.rect().center());
    QTRY_VERIFY(name.MouseInControl());
    EXPECT_EQ(name.FontColor(), QColor(0, 0, 255));
    EXPECT_EQ(name.cursor().shape(), Qt::PointingHandCursor);
    SaveScreen(about, "AboutF-hover");

    QTest::mouseMove(&about, QPoint(1, 1));
    QTRY_VERIFY(!name.MouseInControl());
    EXPECT_EQ(name.FontColor(), highlight);
    EXPECT_EQ(name.cursor().shape(), Qt::ArrowCursor);
}
