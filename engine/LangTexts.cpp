#include "LangTexts.h"

#include <algorithm>
#include <iterator>

namespace {

// Code 0 reads key 1 of "Interface"; code 1, the program's title, is the main
// window's caption and so reads key 1 of the main window's section.
const TInterfaceText InterfaceTexts[] = {
    {0, InterfaceSection, 1, "Menu"},
    {1, MainFormSection, 1, "Bright Lane"},
    {2, InterfaceSection, 2, "No name"},
    {3, InterfaceSection, 3, "No text"},
    {4, InterfaceSection, 4, "Normal"},
    {5, InterfaceSection, 5, "Selected"},
    {6, InterfaceSection, 6, "Pushed"},
    {7, InterfaceSection, 7, "Menu"},
    {8, InterfaceSection, 8, "Choose directiry for batch export"},
    {9, InterfaceSection, 9, "Closed"},
    {10, InterfaceSection, 10, "Template"},
    {20, InterfaceSection, 20, "Center"},
    {21, InterfaceSection, 21, "Left"},
    {22, InterfaceSection, 22, "Right"},
    {23, InterfaceSection, 23, "Horizontal"},
    {24, InterfaceSection, 24, "Vertical"},
    {30, InterfaceSection, 30, "Center"},
    {31, InterfaceSection, 31, "Top"},
    {32, InterfaceSection, 32, "Bottom"},
    {33, InterfaceSection, 33, "Center"},
    {34, InterfaceSection, 34, "Left"},
    {35, InterfaceSection, 35, "Right"},
    {36, InterfaceSection, 36, "Custom"},
    {40, InterfaceSection, 40, "32 bits"},
    {41, InterfaceSection, 41, "24 bits"},
    {42, InterfaceSection, 42, "16 bits"},
    {43, InterfaceSection, 43, "15 bits"},
    {44, InterfaceSection, 44, "8 bits"},
    {45, InterfaceSection, 45, "4 bits"},
    {50, InterfaceSection, 50, "_self"},
    {51, InterfaceSection, 51, "_blank"},
    {52, InterfaceSection, 52, "_parent"},
    {53, InterfaceSection, 53, "_top"},
    {60, InterfaceSection, 60, "Gif files"},
    {61, InterfaceSection, 61, "Bmp files"},
    {62, InterfaceSection, 62, "Jpeg files"},
    {63, InterfaceSection, 63, "Icon files"},
    {64, InterfaceSection, 64, "WMF files"},
    {65, InterfaceSection, 65, "EMF files"},
};

// Confirmations carry the title under key 100, errors the one under key 101;
// a message's text is keyed 110 plus its code.
constexpr TMsgButtons YesNo = TMsgButtons::YesNo;
constexpr TMsgButtons YesNoCancel = TMsgButtons::YesNoCancel;
constexpr TMsgButtons OK = TMsgButtons::OK;
constexpr TMsgIcon Question = TMsgIcon::Question;
constexpr TMsgIcon Error = TMsgIcon::Error;
constexpr char Confirmation[] = "Confirmation";
constexpr char ErrorTitle[] = "Error";

const TMessageText MessageTexts[] = {
    {0, 110, "Close current project?", YesNo, Question, 100, Confirmation},
    {1, 111, "Save changes?", YesNoCancel, Question, 100, Confirmation},
    {2, 112, "Are you realy want delete all buttons?", YesNo, Question, 100, Confirmation},
    {3, 113, "Are you realy want delete button?", YesNo, Question, 100, Confirmation},
    {4, 114, "File already exists.", OK, Error, 101, ErrorTitle},
    {5, 115, "Are you realy want delete template?", YesNo, Question, 100, Confirmation},
    {6, 116, "Are you realy want copy properties to all states?", YesNo, Question, 100, Confirmation},
    {7, 117, "Are you realy want copy properties to all buttons?", YesNo, Question, 100, Confirmation},
    {8, 118, "Template must selected for deleting.", OK, Error, 101, ErrorTitle},
    {9, 119, "Template must selected for changing.", OK, Error, 101, ErrorTitle},
    {10, 120, "Are you realy want delete all templates?", YesNo, Question, 100, Confirmation},
    {11, 121, "Template's name must be exists.", OK, Error, 101, ErrorTitle},
    {12, 122, "Application must be reboot for apply changing. Close?", YesNo, Question, 100, Confirmation},
    {13, 123, "Do yo want change text in all button's states?", YesNo, Question, 100, Confirmation},
    {14, 124, "Are you realy want copy properties to same states?", YesNo, Question, 100, Confirmation},
    {21, 131, "Save before close?", YesNo, Question, 100, Confirmation},
};

template <typename TText, size_t N>
const TText *FindByCode(const TText (&texts)[N], int code)
{
    const auto found = std::find_if(std::begin(texts), std::end(texts),
                                    [code](const TText &text) { return text.Code == code; });
    return found == std::end(texts) ? nullptr : found;
}

}  // namespace

const TInterfaceText *FindInterfaceText(int code)
{
    return FindByCode(InterfaceTexts, code);
}

const TMessageText *FindMessageText(int code)
{
    return FindByCode(MessageTexts, code);
}
