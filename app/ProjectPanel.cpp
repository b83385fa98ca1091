#include "ProjectPanel.h"

#include "ColourSwatch.h"
#include "FocusedWheel.h"
#include "GuardedCall.h"
#include "HelpContext.h"
#include "LangSupU.h"
#include "PanelControls.h"
#include "ProjU.h"
#include "RenderAnew.h"
#include "SceneU.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

namespace {

constexpr int PanelHelpContext = 201;

}  // namespace

TPropFr3::TPropFr3(QWidget *parent) : TFrame(parent)
{
    setObjectName(QStringLiteral("PropFr3"));
    setMinimumWidth(205);
    SetHelpContext(*this, PanelHelpContext);
    QFormLayout *form = StackedFormLayout(ScrollingPage(this));
    Shape1 = Named(new TColourSwatch, "Shape1");
    CheckBox1 = Named(new QCheckBox, "CheckBox1");
    CheckBox1->setChecked(true);
    ComboBox1 = Named(new QComboBox, "ComboBox1");
    ComboBox2 = Named(new QComboBox, "ComboBox2");
    form->addRow(InLine({Label("Background color", 2), Shape1}, Shape1));
    form->addRow(WrappingCheckBox(CheckBox1, "Change button's background color", 1));
    form->addRow(Label("Menu align", 3), ComboBox1);
    form->addRow(Label("Menu orientation", 4), ComboBox2);
    ApplyLanguage();

    connect(Shape1, &TColourSwatch::clicked, this, [this] { Guarded([this] { Shape1MouseUp(); }); });
    connect(ComboBox1, &QComboBox::activated, this, [this](int index) {
        if (Proj) {
            Proj->Modified = true;
            Proj->Settings.MenuAlign = index;
        }
    });
    connect(ComboBox2, &QComboBox::activated, this, [this](int index) {
        if (Proj) {
            Proj->Modified = true;
            Proj->Settings.MenuOrientation = index;
        }
    });
    WheelEditsOnlyFocused(*this);
}

void TPropFr3::ApplyLanguage()
{
    TranslateFrame(*this, *Lang);
    FillInterfaceList(*ComboBox1, 20, 3, 1);
    FillInterfaceList(*ComboBox2, 23, 2, 0);
}

void TPropFr3::LoadFromProj()
{
    if (!Proj)
        return;
    CheckBox1->setChecked(true);
    Shape1->SetColour(Proj->Settings.BackColor);
    ComboBox1->setCurrentIndex(Proj->Settings.MenuAlign);
    ComboBox2->setCurrentIndex(Proj->Settings.MenuOrientation == 0 ? 0 : 1);
}

// A new page colour; with the box checked also the background of every
// state, and the current state shows it at once.
void TPropFr3::Shape1MouseUp()
{
    if (!Proj || !Shape1->Choose())
        return;
    Proj->Modified = true;
    Proj->Settings.BackColor = Shape1->Colour();
    if (!CheckBox1->isChecked())
        return;
    for (const auto &button : Proj->Buttons)
        for (TItem &state : button->States)
            state.Background = ColorToRGBA(Shape1->Colour());
    RenderCurrentAnew();
}
