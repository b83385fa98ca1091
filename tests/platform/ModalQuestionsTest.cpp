// Message boxes, file dialogs and the program's own forms are asked through
// services: scripted in tests, never blocking without a display.
#include "CommonDialogs.h"
#include "DialogMessageBoxes.h"
#include "Exceptions.h"
#include "FileDialog.h"
#include "GuardedCall.h"
#include "ErrorOf.h"
#include "HelpContext.h"
#include "QStringPrinter.h"
#include "QtCommonDialogs.h"
#include "Screens.h"
#include "ScriptedCommonDialogs.h"
#include "ScriptedMessageBoxes.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

TEST(MessageBoxes, ScriptedAnswersInTurnAnUnexpectedBoxThrowsAndTheServiceIsRestored)
{
    IMessageBoxes *before = &MessageBoxes();
    {
        TScriptedMessageBoxes boxes;
        boxes.Answer(idCancel);
        {
            TScriptedMessageBoxes inner;
            EXPECT_EQ(&MessageBoxes(), &inner);
        }
        EXPECT_EQ(MessageBoxes().Show("first", "A", TMsgButtons::YesNoCancel, TMsgIcon::Question), idCancel);
        EXPECT_THROW(MessageBoxes().Show("oops", "E", TMsgButtons::OK, TMsgIcon::Error), Exception);
        ASSERT_EQ(boxes.Shown().size(), 2u);
        EXPECT_EQ(boxes.Shown()[0].Title, "A");
        EXPECT_EQ(boxes.Shown()[0].Buttons, TMsgButtons::YesNoCancel);
        EXPECT_EQ(boxes.Shown()[1].Text, "oops");
    }
    EXPECT_EQ(&MessageBoxes(), before);
}

TEST(MessageBoxes, DialogsShowPlainTextWithTheirButtonsAndIconAndNeverWaitOffscreen)
{
    // "<b>Файл</b>" in Windows-1251: markup stays visible, letters decode.
    const auto box = TDialogMessageBoxes::MakeBox("<b>\xD4\xE0\xE9\xEB</b>", "Title", TMsgButtons::YesNoCancel,
                                                  TMsgIcon::Question);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->text(), QString::fromUtf8("<b>\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB</b>"));
    EXPECT_EQ(box->windowTitle(), "Title");
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(static_cast<QAbstractButton *>(box->defaultButton()), box->button(QMessageBox::Yes));
    const auto error = TDialogMessageBoxes::MakeBox("x", "Error", TMsgButtons::OK, TMsgIcon::Error);
    EXPECT_EQ(error->icon(), QMessageBox::Critical);
    EXPECT_EQ(error->standardButtons(), QMessageBox::Ok);

    const std::pair<int, int> ids[] = {{QMessageBox::Yes, 6},    {QMessageBox::No, 7}, {QMessageBox::Cancel, 2},
                                       {QMessageBox::Ok, 1},     {QMessageBox::Escape, 2}, {0, 2}};
    for (const auto &[button, id] : ids)
        EXPECT_EQ(TDialogMessageBoxes::ButtonId(button), id) << button;

    EXPECT_THROW(TDialogMessageBoxes().Show("text", "title", TMsgButtons::OK, TMsgIcon::Error), Exception);
    EXPECT_THROW(CommonDialogs().Colour(0), Exception);
    QDialog form;
    EXPECT_THROW(CommonDialogs().Exec(form), Exception);
}

TEST(CommonDialogs, FiltersBecomeQtSyntax)
{
    const std::pair<const char *, const char *> cases[] = {
        {"Project files (*.prj)|*.prj|Any files (*.*)|*.*", "Project files (*.prj);;Any files (*.*)"},
        {"Jpeg files (*.jpg; *.jpeg)|*.jpg; *.jpeg", "Jpeg files (*.jpg *.jpeg)"},
        {"Html files (*.html;*.htm)|*.html;*.htm", "Html files (*.html *.htm)"},
        {"Bitmaps|*.bmp", "Bitmaps (*.bmp)"},
        {"Dangling text|", "Dangling text ()"},
        {"", ""}};
    for (const auto &[filter, qt] : cases)
        EXPECT_EQ(QtFileFilter(QString::fromUtf8(filter)), QString::fromUtf8(qt)) << filter;
}

TEST(CommonDialogs, FileDialogStartsWhereTheLastOneEndedAndCancelKeepsTheChoice)
{
    TScriptedCommonDialogs dialogs;
    TFileRequest request;
    request.Kind = TFileRequest::Save;
    TFileDialog dialog(request);
    dialog.SetInitialDir("/first/");
    dialogs.AnswerFile(QStringLiteral("/menus/site.prj"));
    dialogs.AnswerFile(std::nullopt);
    ASSERT_TRUE(dialog.Execute());
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "/menus/site.prj");
    ASSERT_EQ(dialogs.FileRequests().size(), 2u);
    EXPECT_EQ(dialogs.FileRequests()[0].InitialDir, QStringLiteral("/first/"));
    EXPECT_EQ(dialogs.FileRequests()[1].InitialDir, QStringLiteral("/menus"));
}

// Qt's file dialog takes typed names in double quotes as a list and answers
// with one of them: a name with a double quote inside is refused by name
// instead of being saved or opened as another; one pair around a whole name
// only groups it, and a file picked in the list opens whatever its name.
TEST(CommonDialogs, AFileDialogRefusesATypedNameWithADoubleQuoteInside)
{
    QTemporaryDir dir;
    TFileRequest saveHtml;  // as the Save HTML command asks
    saveHtml.Kind = TFileRequest::Save;
    saveHtml.Filter = "Html files (*.html;*.htm)|*.html;*.htm|Any files (*.*)|*.*";
    saveHtml.DefaultExt = "html";
    saveHtml.InitialDir = dir.path();
    TFileRequest openProject = saveHtml;  // as the Open project command asks
    openProject.Kind = TFileRequest::Open;
    openProject.Filter = "Project files (*.prj)|*.prj";
    openProject.MustExist = true;
    ASSERT_TRUE(QFile(dir.filePath("a\"b.prj")).open(QIODevice::WriteOnly));
    const struct {
        const TFileRequest &request;
        QString typed, picked, answer, refusal;
    } cases[] = {{saveHtml, "o'brien \"x\".html", "", "", "Invalid file name - o'brien \"x\".html"},
                 {saveHtml, "\"a b.html\" \"c.html\"", "", "", "Invalid file name - \"a b.html\" \"c.html\""},
                 {saveHtml, "o'brien x.html", "", "o'brien x.html", ""},
                 {saveHtml, "\"my page.html\"", "", "my page.html", ""},
                 {openProject, "", "a\"b.prj", "a\"b.prj", ""},
                 {openProject, "x\"b.prj", "", "", "Invalid file name - x\"b.prj"}};
    for (const auto &c : cases) {
        SCOPED_TRACE((c.typed + c.picked).toStdString());
        const std::unique_ptr<QFileDialog> made = MakeFileDialog(c.request, nullptr);
        QFileDialog &dialog = *made;
        dialog.show();
        auto *name = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        if (!c.picked.isEmpty()) {  // clicked through the window, as a real click comes: it takes the focus
            auto *list = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));  // the detail view shown
            const auto item = [&] { return list->visualRect(list->model()->index(0, 0, list->rootIndex())); };
            ASSERT_TRUE(QTest::qWaitFor([&] { return !item().isEmpty(); }));
            QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {},
                              list->viewport()->mapTo(&dialog, item().center()));
            SaveScreen(dialog, QStringLiteral("FileDialog-picked"));
        }
        for (const QChar letter : c.typed)
            QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, letter, Qt::NoModifier);
        // A box of Qt's own would wait for ever: closed, it fails the row.
        QTimer::singleShot(1000, &dialog, [] { QApplication::activeModalWidget()->close(); });
        QTest::sendKeyEvent(QTest::Click, dialog.focusWidget(), Qt::Key_Return, QStringLiteral("\r"),
                            Qt::NoModifier);
        ASSERT_EQ(dialog.result(), QDialog::Accepted);
        QString answer;
        EXPECT_EQ(ErrorOf([&] { answer = AnsweredFile(dialog); }), c.refusal.toStdString());
        EXPECT_EQ(answer, c.answer.isEmpty() ? QString() : dir.path() + '/' + c.answer);
    }
}

TEST(CommonDialogs, ScriptedFormsAnswerThroughTheirOwnButtons)
{
    TScriptedCommonDialogs dialogs;
    QDialog form;
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

TEST(GuardedCall, ShowsTheErrorAndGoesOnAbortStaysSilent)
{
    TScriptedMessageBoxes boxes;
    boxes.Answer(idOK);
    Guarded([] { throw EWriteError("Stream write error"); });
    Guarded([] { throw EAbort(); });
    Guarded([] { throw Exception("no answer scripted: the box itself throws"); });
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[0].Text, "Stream write error");
    EXPECT_EQ(boxes.Shown()[0].Icon, TMsgIcon::Error);
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

}  // namespace
