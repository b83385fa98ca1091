#include "EditForm.h"
#include "Screens.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

// The end of a long name and the caret after it are never under the
// button, from the first paint on.
TEST(ComboEdit, TheTextStopsShortOfTheButtonFromTheFirstPaint)
{
    TEditForm f(240);
    f.edit->setText(QStringLiteral("/home/user/Documents/My Site/pages/index.html"));  // the caret at its end
    const struct {
        const char *step;
        std::function<void()> act;
    } steps[] = {
        {"shown", [&] { f.form.show(); }},
        {"widened", [&] { f.form.resize(300, 40); }},
        {"wider button", [&] { f.edit->SetButtonWidth(30); }},
    };
    for (const auto &s : steps) {
        s.act();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.form));
        QApplication::processEvents();
        // The caret stands in the middle of the rectangle the edit reports.
        const QRect caret = f.edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        EXPECT_LT(caret.center().x(), f.edit->Button().x()) << s.step;
    }
    SaveScreen(f.form, "FilenameEdit-long-name");
}

// The edit is never lower than its text needs: the text height (the smaller
// of the application's and the edit's font) and the frame.
TEST(ComboEdit, ResizedBelowItsTextHeightTheEditSnapsBackToIt)
{
    TEditForm f(240);
    f.form.show();
    for (const int pixels : {0, 6, 30}) {
        QFont font = QApplication::font();
        if (pixels > 0)
            font.setPixelSize(pixels);
        f.edit->setFont(font);
        const int textHeight =
            std::min(QFontMetrics(QApplication::font()).height(), QFontMetrics(font).height());
        f.edit->resize(f.edit->width(), 6);
        EXPECT_EQ(f.edit->height(), textHeight + 5) << pixels;
        f.edit->resize(f.edit->width(), 60);
        EXPECT_EQ(f.edit->height(), 60) << pixels;
    }
}

// Enter reaches the form's default button first; the edit's own handling
// follows only while the edit is still shown, never on a form the button
// closed or deleted.
TEST(ComboEdit, DialogKeysReachTheEditOnlyWhileItIsShown)
{
    enum TButtonDoes { Nothing, Closes, Deletes };
    const struct {
        const char *what;
        TButtonDoes does;
        int editHandled;
    } cases[] = {
        {"form stays", Nothing, 1},
        {"form closes", Closes, 0},
        {"form deleted", Deletes, 0},
    };
    for (const auto &c : cases) {
        auto *form = new QDialog;
        auto *edit = new TFilenameEdit(form);
        auto *button = new QPushButton(QStringLiteral("OK"), form);
        button->setDefault(true);
        QObject::connect(button, &QPushButton::clicked, [&] {
            if (c.does == Closes)
                form->accept();
            else if (c.does == Deletes)
                delete form;
        });
        int editHandled = 0;
        QObject::connect(edit, &QLineEdit::returnPressed, [&] { ++editHandled; });
        const QPointer<QDialog> alive(form);
        form->show();
        edit->setFocus();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(edit, &enter);
        EXPECT_EQ(editHandled, c.editHandled) << c.what;
        EXPECT_EQ(bool(alive), c.does != Deletes) << c.what;
        delete alive;
    }
}
