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
    // The faces are named: the desktop's fixed font may be a family the font
    // system lists as proportional (one with some double-width letters).
    const struct {
        const char *family;
        uint8_t pitch;
    } faces[] = {{"DejaVu Sans", 1}, {"DejaVu Sans Mono", 2}};
    for (const auto &face : faces) {
        ASSERT_TRUE(QFontDatabase::families().contains(face.family)) << face.family << " is not installed";
        TFontDialog dialog;
        dialog.SetChoice(TFontChoice{face.family, 10, 0, 0, 1});
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
