// The built-in English texts, checked against an independent copy of the
// program's table of texts.
#include "LangSupU.h"
#include "ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

#include <map>

namespace {

const std::map<int, std::string> InterfaceStrings = {
    {0, "Menu"},       {1, "Bright Lane"}, {2, "No name"},     {3, "No text"},  {4, "Normal"},
    {5, "Selected"},   {6, "Pushed"},      {7, "Menu"},        {8, "Choose directiry for batch export"},
    {9, "Closed"},     {10, "Template"},   {20, "Center"},     {21, "Left"},    {22, "Right"},
    {23, "Horizontal"}, {24, "Vertical"},  {30, "Center"},     {31, "Top"},     {32, "Bottom"},
    {33, "Center"},    {34, "Left"},       {35, "Right"},      {36, "Custom"},  {40, "32 bits"},
    {41, "24 bits"},   {42, "16 bits"},    {43, "15 bits"},    {44, "8 bits"},  {45, "4 bits"},
    {50, "_self"},     {51, "_blank"},     {52, "_parent"},    {53, "_top"},    {60, "Gif files"},
    {61, "Bmp files"}, {62, "Jpeg files"}, {63, "Icon files"}, {64, "WMF files"}, {65, "EMF files"}};

struct TExpectedBox {
    std::string Text;
    TMsgButtons Buttons;
    TMsgIcon Icon;
    std::string Title;
};

constexpr TMsgButtons YesNo = TMsgButtons::YesNo;
constexpr TMsgIcon Question = TMsgIcon::Question;
constexpr TMsgIcon Error = TMsgIcon::Error;

const std::map<int, TExpectedBox> ExpectedBoxes = {
    {0, {"Close current project?", YesNo, Question, "Confirmation"}},
    {1, {"Save changes?", TMsgButtons::YesNoCancel, Question, "Confirmation"}},
    {2, {"Are you realy want delete all buttons?", YesNo, Question, "Confirmation"}},
    {3, {"Are you realy want delete button?", YesNo, Question, "Confirmation"}},
    {4, {"File already exists.", TMsgButtons::OK, Error, "Error"}},
    {5, {"Are you realy want delete template?", YesNo, Question, "Confirmation"}},
    {6, {"Are you realy want copy properties to all states?", YesNo, Question, "Confirmation"}},
    {7, {"Are you realy want copy properties to all buttons?", YesNo, Question, "Confirmation"}},
    {8, {"Template must selected for deleting.", TMsgButtons::OK, Error, "Error"}},
    {9, {"Template must selected for changing.", TMsgButtons::OK, Error, "Error"}},
    {10, {"Are you realy want delete all templates?", YesNo, Question, "Confirmation"}},
    {11, {"Template's name must be exists.", TMsgButtons::OK, Error, "Error"}},
    {12, {"Application must be reboot for apply changing. Close?", YesNo, Question, "Confirmation"}},
    {13, {"Do yo want change text in all button's states?", YesNo, Question, "Confirmation"}},
    {14, {"Are you realy want copy properties to same states?", YesNo, Question, "Confirmation"}},
    {21, {"Save before close?", YesNo, Question, "Confirmation"}},
};

TEST(LangBuiltInTest, EveryInterfaceStringIsTheBuiltInText)
{
    const TLanguage lang;
    for (int code = -5; code <= 70; ++code) {
        const auto expected = InterfaceStrings.find(code);
        EXPECT_EQ(lang.GetInterfaceString(code),
                  expected == InterfaceStrings.end() ? std::string() : expected->second)
            << "code " << code;
    }
}

TEST(LangBuiltInTest, EveryMessageBoxHasItsTextButtonsIconAndTitle)
{
    const TLanguage lang;
    for (const auto &[code, expected] : ExpectedBoxes) {
        TScriptedMessageBoxes boxes;
        boxes.Answer(idNo);
        EXPECT_EQ(lang.ShowMessageBox(code), idNo) << "code " << code;
        ASSERT_EQ(boxes.Shown().size(), 1u) << "code " << code;
        const TShownMessageBox &shown = boxes.Shown()[0];
        EXPECT_EQ(shown.Text, expected.Text) << "code " << code;
        EXPECT_EQ(shown.Title, expected.Title) << "code " << code;
        EXPECT_EQ(shown.Buttons, expected.Buttons) << "code " << code;
        EXPECT_EQ(shown.Icon, expected.Icon) << "code " << code;
    }
}

TEST(LangBuiltInTest, CodesWithoutAMessageShowNothingAndGiveCancel)
{
    const TLanguage lang;
    TScriptedMessageBoxes boxes;
    for (int code : {-1, 15, 16, 20, 22, 100, 110})
        EXPECT_EQ(lang.ShowMessageBox(code), idCancel) << "code " << code;
    EXPECT_TRUE(boxes.Shown().empty());
    ASSERT_TRUE(Lang);
    EXPECT_TRUE(Lang->BuiltIn());
}

}  // namespace
