#include "DialogMessageBoxes.h"
#include "Exceptions.h"
#include "ScriptedMessageBoxes.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

TEST(ScriptedMessageBoxesTest, AnswersInTurnAndRecordsEveryBox)
{
    TScriptedMessageBoxes boxes;
    boxes.Answer(idYes);
    boxes.Answer(idCancel);
    EXPECT_EQ(MessageBoxes().Show("first", "A", TMsgButtons::YesNo, TMsgIcon::Question), idYes);
    EXPECT_EQ(MessageBoxes().Show("second", "B", TMsgButtons::YesNoCancel, TMsgIcon::Question), idCancel);
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[1].Text, "second");
    EXPECT_EQ(boxes.Shown()[1].Title, "B");
    EXPECT_EQ(boxes.Shown()[1].Buttons, TMsgButtons::YesNoCancel);
}

TEST(ScriptedMessageBoxesTest, AnUnexpectedBoxThrowsAndTheServiceIsRestored)
{
    IMessageBoxes *before = &MessageBoxes();
    {
        TScriptedMessageBoxes boxes;
        EXPECT_EQ(&MessageBoxes(), &boxes);
        {
            TScriptedMessageBoxes inner;
            EXPECT_EQ(&MessageBoxes(), &inner);
        }
        EXPECT_EQ(&MessageBoxes(), &boxes);
        EXPECT_THROW(MessageBoxes().Show("oops", "E", TMsgButtons::OK, TMsgIcon::Error), Exception);
        ASSERT_EQ(boxes.Shown().size(), 1u);
        EXPECT_EQ(boxes.Shown()[0].Text, "oops");
    }
    EXPECT_EQ(&MessageBoxes(), before);
}

TEST(DialogMessageBoxesTest, RefusesToWaitForAnAnswerNobodyCanGive)
{
    ASSERT_EQ(QGuiApplication::platformName(), "offscreen");
    TDialogMessageBoxes dialogs;
    EXPECT_THROW(dialogs.Show("text", "title", TMsgButtons::OK, TMsgIcon::Error), Exception);
}

}  // namespace
