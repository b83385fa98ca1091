#include "EditForm.h"
#include "Screens.h"

#include <QApplication>
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
