#include "ColorBox.h"

#include "CommonDialogs.h"
#include "GuardedCall.h"
#include "QtColor.h"

#include <QPixmap>

#include <array>

namespace {

struct TNamedColour {
    const char *Name;
    uint32_t Colour;
};

constexpr std::array<TNamedColour, 20> NamedColours = {{
    {"Black", 0x000000},       {"Maroon", 0x000080},     {"Green", 0x008000},
    {"Olive", 0x008080},       {"Navy", 0x800000},       {"Purple", 0x800080},
    {"Teal", 0x808000},        {"Gray", 0x808080},       {"Silver", 0xC0C0C0},
    {"Red", 0x0000FF},         {"Lime", 0x00FF00},       {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},        {"Fuchsia", 0xFF00FF},    {"Aqua", 0xFFFF00},
    {"White", 0xFFFFFF},       {"Money Green", 0xC0DCC0}, {"Sky Blue", 0xF0CAA6},
    {"Cream", 0xF0FBFF},       {"Medium Gray", 0xA4A0A0},
}};

constexpr int CustomIndex = 0;

// The entry of a named colour, or CustomIndex.
int NamedIndex(uint32_t colour)
{
    for (size_t i = 0; i < NamedColours.size(); ++i)
        if (NamedColours[i].Colour == colour)
            return int(i) + 1;
    return CustomIndex;
}

QIcon Swatch(uint32_t colour)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(ToQColor(colour));
    return QIcon(pixmap);
}

}  // namespace

TColorBox::TColorBox(QWidget *parent) : QComboBox(parent)
{
    addItem(Swatch(0), QStringLiteral("Custom..."), 0u);
    for (const TNamedColour &named : NamedColours)
        addItem(Swatch(named.Colour), QString::fromLatin1(named.Name), named.Colour);
    connect(this, &QComboBox::activated, this, [this](int index) { Guarded([&] { ChooseEntry(index); }); });
    SetSelected(0);
}

uint32_t TColorBox::Selected() const
{
    return currentData().toUInt();
}

void TColorBox::SetSelected(uint32_t colour)
{
    colour &= 0xFFFFFF;
    const int index = NamedIndex(colour);
    if (index == CustomIndex)
        SetCustomColour(colour);
    setCurrentIndex(index);
    FLastIndex = index;
}

void TColorBox::ChooseEntry(int index)
{
    if (index == CustomIndex) {
        setCurrentIndex(FLastIndex);  // until a colour is chosen
        const std::optional<uint32_t> colour = CommonDialogs().Colour(Selected());
        if (!colour)
            return;
        SetSelected(*colour);
    }
    FLastIndex = currentIndex();
    emit ColourChosen(Selected());
}

void TColorBox::SetCustomColour(uint32_t colour)
{
    setItemData(CustomIndex, colour);
    setItemIcon(CustomIndex, Swatch(colour));
}
