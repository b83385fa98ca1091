#include "CommonDialogs.h"
#include "Exceptions.h"
#include "FileDialog.h"
#include "GuardedCall.h"
#include "HelpContext.h"
#include "ScriptedMessageBoxes.h"
#include "ScriptedCommonDialogs.h"

#include <QDialog>
#include <QWidget>
#include <gtest/gtest.h>

TEST(CommonDialogs, FiltersBecomeQtSyntax)
{
    const struct {
        const char *filter;
        const char *qt;
    } cases[] = {
        {"Project files (*.prj)|*.prj|Any files (*.*)|*.*", "Project files (*.prj);;Any files (*.*)"},
        {"Jpeg files (*.jpg; *.jpeg)|*.jpg; *.jpeg", "Jpeg files (*.jpg *.jpeg)"},
        {"Html files (*.html;*.htm)|*.html;*.htm", "Html files (*.html *.htm)"},
        {"Bitmaps|*.bmp", "Bitmaps (*.bmp)"},
        {"Dangling text|", "Dangling text ()"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(QtFileFilter(QString::fromUtf8(c.filter)), QString::fromUtf8(c.qt)) << c.filter;
}

TEST(CommonDialogs, FileDialogStartsWhereTheLastOneEnded)
{
    TScriptedCommonDialogs dialogs;
    TFileRequest request;
    request.Kind = TFileRequest::Save;
    TFileDialog dialog(request);
    dialog.SetInitialDir("/first/");
    dialogs.AnswerFile(QStringLiteral("/menus/site.prj"));
    dialogs.AnswerFile(std::nullopt);

    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "/menus/site.prj");
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "/menus/site.prj") << "Cancel keeps the last choice";
    ASSERT_EQ(dialogs.FileRequests().size(), 2u);
    EXPECT_EQ(dialogs.FileRequests()[0].InitialDir, QStringLiteral("/first/"));
    EXPECT_EQ(dialogs.FileRequests()[1].InitialDir, QStringLiteral("/menus"));
}

TEST(CommonDialogs, ScriptedFormsAnswerThroughTheirOwnButtonsAndNeverBlock)
{
    TScriptedCommonDialogs dialogs;
    QDialog form;
    form.setObjectName(QStringLiteral("ButtonF"));
    dialogs.AnswerForm([](QDialog &shown) {
        EXPECT_TRUE(shown.isVisible());
        shown.accept();
    });
    dialogs.AnswerForm([](QDialog &) {});

    EXPECT_EQ(CommonDialogs().Exec(form), QDialog::Accepted);
    EXPECT_EQ(CommonDialogs().Exec(form), QDialog::Rejected) << "a form left alone is cancelled";
    EXPECT_FALSE(form.isVisible());
    EXPECT_THROW(CommonDialogs().Exec(form), Exception) << "an unscripted form must not block";
    EXPECT_EQ(dialogs.FormsShown().size(), 3u);
    EXPECT_TRUE(dialogs.AllAnswered());
}

TEST(CommonDialogs, RealDialogsRefuseToBlockOffscreen)
{
    EXPECT_THROW(CommonDialogs().Colour(0), Exception);
    QDialog form;
    EXPECT_THROW(CommonDialogs().Exec(form), Exception);
}

TEST(GuardedCall, ShowsTheErrorAndReturnsAbortStaysSilent)
{
    TScriptedMessageBoxes boxes;
    boxes.Answer(idOK);
    Guarded([] { throw EWriteError("Stream write error"); });
    Guarded([] { throw EAbort(); });
    Guarded([] {});
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].Text, "Stream write error");
    EXPECT_EQ(boxes.Shown()[0].Icon, TMsgIcon::Error);

    Guarded([] { throw Exception("no answer scripted: the box itself throws"); });
    EXPECT_EQ(boxes.Shown().size(), 2u);
}

TEST(HelpContext, NearestEnclosingWidgetAnswers)
{
    QWidget form;
    QWidget panel(&form);
    QWidget edit(&panel);
    EXPECT_EQ(HelpContextOf(&edit), 0);
    SetHelpContext(form, 1);
    EXPECT_EQ(HelpContextOf(&edit), 1);
    SetHelpContext(panel, 203);
    EXPECT_EQ(HelpContextOf(&edit), 203);
    EXPECT_EQ(HelpContextOf(nullptr), 0);
}
