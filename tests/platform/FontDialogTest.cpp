#include "FontDialog.h"
#include "QStringPrinter.h"
#include "ScriptedCommonDialogs.h"
#include "Screens.h"

#include <QFontDatabase>
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
    const struct {
        uint8_t style, charset;
        uint32_t colour;
    } cases[] = {{1 | 4, 204, 0x0000FF}, {0, 0, 0xFFFFFF}, {8, 99, 0x123456}};  // 99: a number the list does not name
    for (const auto &c : cases) {
        TFontDialog dialog;
        dialog.SetChoice(TFontChoice{family, 12, c.style, c.colour, c.charset});
        const TFontChoice choice = dialog.Choice();
        EXPECT_EQ(choice.Name, family);
        EXPECT_EQ(choice.Size, 12);
        EXPECT_EQ(choice.Style, c.style);
        EXPECT_EQ(choice.Color, c.colour);
        EXPECT_EQ(choice.Charset, c.charset);
    }

    // The pitch comes from the font chosen: a fixed one for a typewriter face.
    for (const bool fixed : {false, true}) {
        TFontDialog dialog;
        const QFont font = QFontDatabase::systemFont(fixed ? QFontDatabase::FixedFont : QFontDatabase::GeneralFont);
        dialog.SetChoice(TFontChoice{font.family(), 10, 0, 0, 1});
        EXPECT_EQ(dialog.Choice().Pitch, fixed ? 2 : 1) << font.family().toStdString();
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
