#include "EditForm.h"
#include "FileSystem.h"
#include "QStringPrinter.h"
#include "Screens.h"
#include "ScriptedCommonDialogs.h"
#include "ScriptedMessageBoxes.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// A folder with blanks in its name holding one page.
struct TPages {
    TPages()
    {
        QDir(dir.path()).mkdir(QStringLiteral("My Pages"));
        QFile file(page);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/My Pages/");
    const QString page = folder + QStringLiteral("index.html");
};

}  // namespace

TEST(FileNameEdit, NamesAreQuotedWhenTheyHoldBlanksAndReadBackWhole)
{
    TPages pages;
    const struct {
        QString text, name;
    } cases[] = {
        {pages.page, pages.page},                                  // an existing file with blanks: whole
        {QStringLiteral("new page.html"), QStringLiteral("new")},  // no such file: the first token
        {QStringLiteral("\"a b.html\" c"), QStringLiteral("a b.html")},
        {QStringLiteral("plain.html"), QStringLiteral("plain.html")},
    };
    TFilenameEdit edit;
    for (const auto &c : cases) {
        edit.setText(c.text);
        EXPECT_EQ(edit.FileName(), c.name) << c.text.toStdString();
    }
    EXPECT_EQ(TFilenameEdit::QuoteName(pages.page), '"' + pages.page + '"');
    EXPECT_EQ(TFilenameEdit::QuoteName(QStringLiteral("\"x y\"")), QStringLiteral("\"x y\""));
    edit.SetFileName(pages.page);
    EXPECT_EQ(edit.text(), '"' + pages.page + '"');
    EXPECT_EQ(edit.FileName(), pages.page);
}

TEST(FileNameEdit, NamesTheFileSystemRefusesRaiseAndKeepTheText)
{
    TFilenameEdit edit;
    edit.SetFileName(QStringLiteral("/tmp/kept.html"));
    for (const QString &bad : {QStringLiteral("/tmp/") + QString(256, QLatin1Char('n')),
                               QStringLiteral("a\"b.html"), QStringLiteral("a") + QChar(0) + QStringLiteral("b")}) {
        try {
            edit.SetFileName(bad);
            ADD_FAILURE() << "taken: " << bad.toStdString();
        } catch (const EComboEditError &e) {
            EXPECT_EQ(std::string(e.what()).rfind("Invalid file name - ", 0), 0u);
        }
        EXPECT_EQ(edit.text(), QStringLiteral("/tmp/kept.html"));
    }
    edit.SetFileName(QString());
    EXPECT_EQ(edit.text(), QString());
}

TEST(FileNameEdit, BrowseStartsAtTheNamedFileAndPutsTheChoiceIn)
{
    TPages pages;
    TScriptedCommonDialogs dialogs;
    TEditForm f(360);
    QDialog &form = f.form;
    TFilenameEdit *edit = f.edit;
    form.show();
    edit->setText(pages.page);

    const QString chosen = pages.folder + QStringLiteral("other page.html");
    dialogs.AnswerFile(chosen);
    QTest::mouseClick(&edit->Button(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(dialogs.FileRequests().size(), 1u);
    const TFileRequest &asked = dialogs.FileRequests()[0];
    EXPECT_EQ(asked.Title, QStringLiteral("Browse"));
    EXPECT_EQ(asked.Filter, QStringLiteral("All files (*.*)|*.*"));
    EXPECT_EQ(asked.InitialDir, pages.folder);
    EXPECT_EQ(asked.FileName, pages.page);
    EXPECT_EQ(edit->text(), '"' + chosen + '"');
    SaveScreen(form, "FilenameEdit-chosen");

    dialogs.AnswerFile(std::nullopt);  // Cancel keeps the text
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Down, Qt::AltModifier);  // the click key
    EXPECT_EQ(dialogs.FileRequests().size(), 2u);
    EXPECT_EQ(edit->text(), '"' + chosen + '"');

    edit->OnBeforeDialog = [](QString &, bool &action) { action = false; };
    edit->EditButtonClick();  // stopped before the dialog: no question
    edit->OnBeforeDialog = nullptr;
    edit->SetReadOnly(true);
    edit->EditButtonClick();  // a read-only edit's button does nothing
    EXPECT_EQ(dialogs.FileRequests().size(), 2u);

    edit->SetReadOnly(false);
    edit->OnAfterDialog = [](QString &, bool &action) { action = false; };
    dialogs.AnswerFile(pages.page);
    edit->EditButtonClick();
    EXPECT_EQ(edit->text(), '"' + chosen + '"');  // refused after the dialog
    EXPECT_TRUE(dialogs.AllAnswered());

    TScriptedMessageBoxes boxes;
    boxes.Answer(idOK);
    edit->EditButtonClick();  // a question that raises (here: none scripted) shows its error
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].Icon, TMsgIcon::Error);
    EXPECT_EQ(edit->text(), '"' + chosen + '"');

    edit->SetFolder(FilePathBytes(pages.dir.path()));  // a relative name is taken in the edit's folder
    edit->setText(QStringLiteral("My Pages/index.html"));
    dialogs.AnswerFile(std::nullopt);
    edit->EditButtonClick();
    EXPECT_EQ(dialogs.FileRequests().back().InitialDir, pages.folder);
    EXPECT_EQ(dialogs.FileRequests().back().FileName, pages.page);
}

namespace {

// Pixels of the colour inside the button's frame.
int FacePixelsOf(const QImage &button, QRgb colour)
{
    int count = 0;
    for (int y = 3; y < button.height() - 3; ++y)
        for (int x = 3; x < button.width() - 3; ++x)
            count += (button.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return count;
}

}  // namespace

// A disabled edit's browse button shows the folder's outline embossed, as
// an enabled one shows the folder.
TEST(FileNameEdit, ADisabledEditsButtonShowsTheFoldersOutline)
{
    QDialog form;
    auto *layout = new QVBoxLayout(&form);
    auto *enabled = new TFilenameEdit(&form);
    auto *disabled = new TFilenameEdit(&form);
    layout->addWidget(enabled);
    layout->addWidget(disabled);
    disabled->setEnabled(false);
    form.resize(240, 70);
    form.show();
    ASSERT_FALSE(disabled->Button().isEnabled());
    const QImage button = disabled->Button().grab().toImage();
    // The folder's 13 x 9 frame with its tab, in the shadow colour.
    EXPECT_GE(FacePixelsOf(button, ColorToQRgb(clBtnShadow)), 40);
    EXPECT_GE(FacePixelsOf(button, ColorToQRgb(clBtnHighlight)), 20);
    SaveScreen(form, "FilenameEdit-disabled");
}

// A file dragged from the file manager onto the edit: its name is taken
// only once the form asked for dropped files, which a new edit does not.
TEST(FileNameEdit, TakesADroppedFileOnlyWhenAskedTo)
{
    TPages pages;
    TEditForm f(360);
    QDialog &form = f.form;
    TFilenameEdit *edit = f.edit;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    // The window routes the drag to the control under the pointer that
    // takes drops; the drop follows only an accepted entry.
    const auto dropPage = [&] {
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(pages.page)});
        const QPoint where = edit->mapTo(&form, QPoint(10, edit->height() / 2));
        QDragEnterEvent enter(where, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.windowHandle(), &enter);
        if (!enter.isAccepted())
            return;
        QDropEvent drop(where, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.windowHandle(), &drop);
    };
    dropPage();
    EXPECT_EQ(edit->text(), QString());
    edit->SetAcceptFiles(true);
    dropPage();
    EXPECT_EQ(edit->text(), '"' + pages.page + '"');
}
