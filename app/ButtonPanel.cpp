#include "ButtonPanel.h"

#include "AnsiText.h"
#include "Codepage.h"
#include "ColourSwatch.h"
#include "FocusedWheel.h"
#include "GuardedCall.h"
#include "HelpContext.h"
#include "KitSpin.h"
#include "LangSupU.h"
#include "PanelControls.h"
#include "ProjU.h"
#include "ProjectTextField.h"
#include "RenderAnew.h"
#include "SceneU.h"
#include "UtilsU.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <array>
#include <utility>
#include <cmath>

namespace {

constexpr int PanelHelpContext = 202;
constexpr int TextLimit = 30;
constexpr int MinSide = 10, MaxWidth = 250, MaxHeight = 200;
constexpr std::array<const char *, 4> TargetKeywords = {"_self", "_blank", "_parent", "_top"};
constexpr int FirstTargetString = 50;  // interface strings 50..53 list the keywords

TFileRequest LinkRequest()
{
    TFileRequest request;
    request.Kind = TFileRequest::Open;
    request.Filter = QStringLiteral("HTML pages (*.html;*.htm)|*.html;*.htm|Any files (*.*)|*.*");
    request.DefaultExt = QStringLiteral("html");
    request.MustExist = true;
    return request;
}

// A control and its "..." button on one line.
QWidget *WithBrowseButton(QWidget *control, TSpeedButton *button)
{
    button->setText(QStringLiteral("..."));
    return InLine({control, button}, control);
}

int Rounded(double v) { return int(std::nearbyint(v)); }

}  // namespace

std::string NormalisedTarget(const std::string &typed)
{
    const std::string target = TrimBlanks(typed);
    const std::string lower = AsciiLower(target);
    for (const char *keyword : TargetKeywords)
        if (lower == keyword)
            return lower;
    return target;
}

TPropFr2::TPropFr2(QWidget *parent) : TFrame(parent), OpenDialog1(LinkRequest())
{
    setObjectName(QStringLiteral("PropFr2"));
    setMinimumWidth(205);
    SetHelpContext(*this, PanelHelpContext);
    BuildControls();
    ConnectControls();
    WheelEditsOnlyFocused(*this);
}

void TPropFr2::BuildControls()
{
    QFormLayout *form = FormLayout(ScrollingPage(this));
    Edit1 = Named(new QLineEdit, "Edit1");
    Edit1->setMaxLength(TextLimit);
    TakeProjectText(*Edit1);
    Edit2 = Named(new QLineEdit, "Edit2");
    TakeProjectText(*Edit2);
    SpeedButton2 = Named(new TSpeedButton, "SpeedButton2");
    ComboBox1 = Named(new QComboBox, "ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->lineEdit()->setMaxLength(TextLimit);
    TakeProjectText(*ComboBox1->lineEdit());
    SpeedButton1 = Named(new TSpeedButton, "SpeedButton1");
    SpinEdit2 = IntegerSpin("SpinEdit2", MinSide, MaxWidth, 90);
    SpinEdit3 = IntegerSpin("SpinEdit3", MinSide, MaxHeight, 30);
    Shape1 = Named(new TColourSwatch, "Shape1");
    CheckBox5 = Named(new QCheckBox(QStringLiteral("Use antialiasing")), "CheckBox5", 8);
    form->addRow(Label("ALT", 1), Edit1);
    form->addRow(Label("URL", 2), WithBrowseButton(Edit2, SpeedButton2));
    form->addRow(Label("Target", 3), WithBrowseButton(ComboBox1, SpeedButton1));
    form->addRow(Label("Width", 5), SpinEdit2);
    form->addRow(Label("Height", 6), SpinEdit3);
    // A line of its own: the long label would narrow every field.
    form->addRow(InLine({Label("Background color", 7), Shape1}, Shape1));
    form->addRow(CheckBox5);
}

template <typename Signal, typename Sender>
void TPropFr2::On(Sender *sender, Signal signal, std::function<void()> handler)
{
    connect(sender, signal, this, [this, handler = std::move(handler)] {
        if (!FLoading)
            Guarded(handler);
    });
}

void TPropFr2::ConnectControls()
{
    On(Edit1, &QLineEdit::textChanged, [this] {
        if (TButtons *button = ChangedButton())
            button->Prop.Alt = ToAnsi(Edit1->text());
    });
    // The edit keeps showing the link as typed.
    On(Edit2, &QLineEdit::textChanged, [this] {
        if (TButtons *button = ChangedButton())
            button->Prop.Link = TrimBlanks(ToAnsi(Edit2->text()));
    });
    On(ComboBox1, &QComboBox::activated, [this] { ComboBox1Change(); });
    On(ComboBox1->lineEdit(), &QLineEdit::textEdited, [this] { ComboBox1Change(); });
    On(SpeedButton2, &TSpeedButton::clicked, [this] {
        if (const std::optional<QString> name = ChosenFileName())
            EnterProjectText(*Edit2, *name);
    });
    On(SpeedButton1, &TSpeedButton::clicked, [this] {
        if (const std::optional<QString> name = ChosenFileName())
            EnterProjectText(*ComboBox1->lineEdit(), *name);
    });
    // A size outside the limits or a text that is no number yet, both
    // possible while typing, is refused.
    On(SpinEdit2, &TKitSpinEdit::valueChanged, [this] {
        const std::optional<double> width = SpinEdit2->Number();
        if (width && *width >= MinSide && *width <= MaxWidth)
            ChangeStates([&](TItem &s) { s.Width = Rounded(*width); });
    });
    On(SpinEdit3, &TKitSpinEdit::valueChanged, [this] {
        const std::optional<double> height = SpinEdit3->Number();
        if (height && *height >= MinSide && *height <= MaxHeight)
            ChangeStates([&](TItem &s) { s.Height = Rounded(*height); });
    });
    On(Shape1, &TColourSwatch::clicked, [this] {
        if (Proj && Proj->CurrentButton() && Shape1->Choose())
            ChangeStates([this](TItem &s) { s.Background = ColorToRGBA(Shape1->Colour()); });
    });
    On(CheckBox5, &QCheckBox::toggled, [this] { ChangeStates([this](TItem &s) { s.Antialias = CheckBox5->isChecked(); }); });
}

TButtons *TPropFr2::ChangedButton()
{
    TButtons *button = Proj ? Proj->CurrentButton() : nullptr;
    if (button)
        Proj->Modified = true;
    return button;
}

void TPropFr2::ChangeStates(const std::function<void(TItem &)> &write)
{
    TButtons *button = ChangedButton();
    if (!button)
        return;
    for (TItem &state : button->States)
        write(state);
    RenderCurrentAnew();
}

void TPropFr2::ComboBox1Change()
{
    if (TButtons *button = ChangedButton())
        button->Prop.Target = NormalisedTarget(ToAnsi(ComboBox1->currentText()));
}

std::optional<QString> TPropFr2::ChosenFileName()
{
    if (!OpenDialog1.Execute())
        return std::nullopt;
    return QFileInfo(OpenDialog1.Request().FileName).fileName();
}

void TPropFr2::ApplyLanguage()
{
    OpenDialog1.SetInitialDir(HtmlPagesDir);
    TranslateFrame(*this, *Lang);
    FillInterfaceList(*ComboBox1, FirstTargetString, int(TargetKeywords.size()), 0);
}

void TPropFr2::LoadFromButton()
{
    const TButtons *button = Proj ? Proj->CurrentButton() : nullptr;
    if (!button)
        return;
    const bool loading = std::exchange(FLoading, true);
    ShowProjectText(*Edit2, FromAnsi(button->Prop.Link));
    ShowProjectText(*Edit1, FromAnsi(button->Prop.Alt));
    const auto keyword = std::find(TargetKeywords.begin(), TargetKeywords.end(), button->Prop.Target);
    if (keyword != TargetKeywords.end())
        ComboBox1->setCurrentIndex(int(keyword - TargetKeywords.begin()));
    else
        ShowProjectText(*ComboBox1->lineEdit(), FromAnsi(button->Prop.Target));
    const TItem &normal = button->States[stNormal];
    SpinEdit2->SetValue(normal.Width);
    SpinEdit3->SetValue(normal.Height);
    Shape1->SetColour(RGBAToColor(normal.Background));
    CheckBox5->setChecked(normal.Antialias);
    FLoading = loading;
}
