#include "DialogMessageBoxes.h"
#include "Exceptions.h"
#include "ScriptedMessageBoxes.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
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

TEST(DialogMessageBoxesTest, BoxesShowPlainTextWithTheirButtonsAndIcon)
{
    // "<b>Файл</b>" in Windows-1251: markup stays visible, letters decode.
    const auto box = TDialogMessageBoxes::MakeBox("<b>\xD4\xE0\xE9\xEB</b>", "Title",
                                                  TMsgButtons::YesNoCancel, TMsgIcon::Question);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->text(), QString::fromUtf8("<b>\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB</b>"));
    EXPECT_EQ(box->windowTitle(), "Title");
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(static_cast<QAbstractButton *>(box->defaultButton()), box->button(QMessageBox::Yes));

    const auto error = TDialogMessageBoxes::MakeBox("x", "Error", TMsgButtons::OK, TMsgIcon::Error);
    EXPECT_EQ(error->icon(), QMessageBox::Critical);
    EXPECT_EQ(error->standardButtons(), QMessageBox::Ok);
}

TEST(DialogMessageBoxesTest, PressedButtonsGiveTheirIdentifiers)
{
    EXPECT_EQ(TDialogMessageBoxes::ButtonId(QMessageBox::Yes), 6);
    EXPECT_EQ(TDialogMessageBoxes::ButtonId(QMessageBox::No), 7);
    EXPECT_EQ(TDialogMessageBoxes::ButtonId(QMessageBox::Cancel), 2);
    EXPECT_EQ(TDialogMessageBoxes::ButtonId(QMessageBox::Ok), 1);
    EXPECT_EQ(TDialogMessageBoxes::ButtonId(QMessageBox::Escape), 2);
    EXPECT_EQ(TDialogMessageBoxes::ButtonId(0), 2);
}

}  // namespace
