#include "FontDialog.h"
#include "QStringPrinter.h"
#include "ScriptedCommonDialogs.h"
#include "Screens.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(FontDialog, CarriesTheCaptionsColourAndCharacterSetWithTheFont)
{
    TScriptedCommonDialogs dialogs;
    // A family with a bold face, so that the style can come back whole.
    QString family;
    for (const QString &candidate : QFontDatabase::families())
        if (family.isEmpty() && QFontDatabase::styles(candidate).contains(QStringLiteral("Bold")))
            family = candidate;
    ASSERT_FALSE(family.isEmpty()) << "no font with a bold face";
    // OK on an unchanged dialog gives the caption back as it came, also where
    // the dialog cannot show it; a size typed as 0 is refused.
    const struct {
        QString name;
        int size;
        uint8_t style, charset;
        uint32_t colour;
        const char *typedSize = nullptr;
    } cases[] = {{family, 12, 1 | 4, 204, 0x0000FF}, {family, 12, 0, 0, 0xFFFFFF}, {family, -12, 1, 1, 0},
                 {family, 12, 8, 99, 0x123456},  // 99: a number the list does not name
                 {QStringLiteral("DejaVu Math TeX Gyre"), 12, 1, 1, 0},  // no bold face
                 {QStringLiteral("Not Installed Anywhere"), 12, 1, 1, 0}, {family, 8, 1, 1, 0, "0"}};
    for (const auto &c : cases) {
        TFontDialog dialog;
        dialog.SetChoice(TFontChoice{c.name, c.size, c.style, c.colour, c.charset});
        dialog.show();
        for (QLineEdit *size : dialog.findChildren<QLineEdit *>())
            if (c.typedSize && size->validator())  // the size: the only field that checks what is typed
                size->selectAll(), QTest::keyClicks(size, QString::fromLatin1(c.typedSize));
        QTest::mouseClick(dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        EXPECT_EQ(dialog.result() == QDialog::Accepted, !c.typedSize) << qPrintable(c.name) << " " << c.size;
        if (c.typedSize)
            continue;
        const TFontChoice choice = dialog.Choice();
        EXPECT_EQ(choice.Name, c.name);
        EXPECT_EQ(choice.Size, c.size);
        EXPECT_EQ(choice.Style, c.style);
        EXPECT_EQ(choice.Color, c.colour);
        EXPECT_EQ(choice.Charset, c.charset);
        EXPECT_EQ(choice.Pitch, 0);
    }

    // The pitch comes from the font chosen: a fixed one for a typewriter face.
    // The faces are named: the desktop's fixed font may be a family the font
    // system lists as proportional (one with some double-width letters).
    const struct {
        const char *family;
        uint8_t pitch;
    } faces[] = {{"DejaVu Sans", 1}, {"DejaVu Sans Mono", 2}};
    for (const auto &face : faces) {
        ASSERT_TRUE(QFontDatabase::families().contains(face.family)) << face.family << " is not installed";
        TFontDialog dialog;
        dialog.SetChoice(TFontChoice{QStringLiteral("DejaVu Serif"), 10, 0, 0, 1});
        dialog.findChild<QFontDialog *>()->setCurrentFont(QFont(face.family));  // chosen in the dialog
        EXPECT_EQ(dialog.Choice().Pitch, face.pitch) << face.family;
    }

    TFontDialog dialog;
    dialog.SetChoice(TFontChoice{family, 10, 0, 0x0000FF, 204});
    dialogs.AnswerColour(0x00FF00);
    dialogs.AnswerColour(std::nullopt);
    auto *colour = dialog.findChild<QPushButton *>(QStringLiteral("Colour"));
    QTest::mouseClick(colour, Qt::LeftButton);
    EXPECT_EQ(dialog.Choice().Color, 0x00FF00u);
    QTest::mouseClick(colour, Qt::LeftButton);
    EXPECT_EQ(dialog.Choice().Color, 0x00FF00u) << "a cancelled colour changes nothing";
    dialog.show();
    SaveScreen(dialog, QStringLiteral("FontDialog-caption"));
}
