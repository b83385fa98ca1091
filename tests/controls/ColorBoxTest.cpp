#include "ColorBox.h"
#include "ScriptedCommonDialogs.h"
#include "Screens.h"

#include <QAbstractItemView>
#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(ColorBox, NamedColoursSelectTheirEntryOthersTheCustomOne)
{
    TColorBox box;
    QSignalSpy chosen(&box, &TColorBox::ColourChosen);
    const struct {
        uint32_t colour;
        const char *shown;
    } cases[] = {
        {0x000000, "Black"}, {0xC0C0C0, "Silver"}, {0x0000FF, "Red"}, {0xF0CAA6, "Sky Blue"},
        {0x123456, "Custom..."}, {0xFF123456, "Custom..."},  // the high byte is no colour
    };
    for (const auto &c : cases) {
        box.SetSelected(c.colour);
        EXPECT_EQ(box.currentText().toStdString(), c.shown) << std::hex << c.colour;
        EXPECT_EQ(box.Selected(), c.colour & 0xFFFFFF);
    }
    EXPECT_EQ(chosen.count(), 0) << "setting from code is no choice of the user";
}

TEST(ColorBox, TheUserChoosesAListedOrACustomColour)
{
    TScriptedCommonDialogs dialogs;
    TColorBox box;
    box.SetSelected(0xC0C0C0);
    QSignalSpy chosen(&box, &TColorBox::ColourChosen);

    dialogs.AnswerColour(std::nullopt);
    emit box.activated(0);
    EXPECT_EQ(box.Selected(), 0xC0C0C0u) << "Cancel keeps the colour shown";

    dialogs.AnswerColour(0x204060);
    emit box.activated(0);
    EXPECT_EQ(box.Selected(), 0x204060u);

    box.setCurrentIndex(box.findText("Navy"));
    emit box.activated(box.currentIndex());
    ASSERT_EQ(chosen.count(), 2);
    EXPECT_EQ(chosen[0][0].toUInt(), 0x204060u);
    EXPECT_EQ(chosen[1][0].toUInt(), 0x800000u);
    EXPECT_TRUE(dialogs.AllAnswered());
    box.showPopup();
    SaveScreen(*box.view()->window(), "ColorBox-list");
}
