#include "StatePanel.h"

#include "AutoCopy.h"
#include "Codepage.h"
#include "ColorBox.h"
#include "ColourSwatch.h"
#include "CommonDialogs.h"
#include "CopyBufferU.h"
#include "FlowTabs.h"
#include "FocusedWheel.h"
#include "FormTranslation.h"
#include "GuardedCall.h"
#include "HelpContext.h"
#include "HostU.h"
#include "KitSpin.h"
#include "LangSupU.h"
#include "ListBox.h"
#include "MaterialPicture.h"
#include "Outline.h"
#include "PanelControls.h"
#include "ParamU.h"
#include "ProjU.h"
#include "ProjectTextField.h"
#include "QtColor.h"
#include "RenderHold.h"
#include "SceneU.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHideEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int FullRenderDelay = 1000;  // ms after the last edit
constexpr int TextLimit = 30;          // characters of a caption
constexpr int PanelHelpContext = 203;
constexpr int FirstPageHelpContext = 20301;

// A colour box that fits a narrow panel: a long name may be cut, its patch
// still tells the colour.
TColorBox *NarrowColorBox(const char *name)
{
    auto *box = Named(new TColorBox, name);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(3);
    return box;
}

TKitSpinEdit *OffsetSpin(const char *name)
{
    auto *spin = Named(new TKitSpinEdit, name);
    spin->SetValueType(vtFloat);
    spin->SetRange(-0.5, 0.5);
    spin->SetIncrement(0.05);
    spin->SetValue(0);
    return spin;
}

QSlider *TrackBar(const char *name, int min, int max, int value)
{
    auto *slider = Named(new QSlider(Qt::Horizontal), name);
    slider->setRange(min, max);
    slider->setValue(value);
    slider->setTickPosition(QSlider::NoTicks);
    return slider;
}

int Rounded(double v) { return int(std::nearbyint(v)); }

// The light position from the angle (degrees) and the radius, as the
// editor has always stored it: products in extended precision, stored as
// floats.
void PlaceLight(TLightItem &light, int angle, int radius)
{
    using Extended = long double;
    const Extended a = Extended(angle) * Extended(DegToRad);
    light.Position.X = float(std::cos(a) * Extended(radius));
    light.Position.Y = float(std::sin(a) * Extended(radius));
    light.Radius = float(radius);
    light.Angle = float(angle);
}

// The picture of a texture; its Enabled byte stays.
void CopyTexels(const TTextureBlock &from, TTextureBlock &to)
{
    std::copy(std::begin(from.Texels), std::end(from.Texels), to.Texels);
}

// The state if it still belongs to the project.
TItem *StateInProject(const TItem *state)
{
    if (!Proj)
        return nullptr;
    for (const auto &button : Proj->Buttons)
        for (TItem &candidate : button->States)
            if (&candidate == state)
                return &candidate;
    return nullptr;
}

}  // namespace

TPropFr1::TPropFr1(QWidget *parent) : TFrame(parent)
{
    setObjectName(QStringLiteral("PropFr1"));
    setMinimumWidth(205);
    SetHelpContext(*this, PanelHelpContext);
    Timer1 = Named(new QTimer(this), "Timer1");
    Timer1->setInterval(FullRenderDelay);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, [this] { Guarded([this] { Timer1Timer(); }); });

    PageControl1 = Named(new TFlowTabs, "PageControl1");
    const struct {
        QWidget *page;
        const char *name, *caption;
    } pages[] = {
        {BuildTextPage(), "TabSheet1", "Text"},
        {BuildListPage(ListBox2, "ListBox2", TLibraryKind::Shape, "Button2", 2001), "TabSheet2", "Shape"},
        {BuildListPage(ListBox3, "ListBox3", TLibraryKind::Deformation, "Button3", 3001), "TabSheet3", "Deformation"},
        {BuildMaterialPage(), "TabSheet4", "Material"},
        {BuildLightPage(), "TabSheet5", "Light"},
        {BuildTexturePage(), "TabSheet6", "Texture"},
        {BuildShadowPage(), "TabSheet7", "Shadow"},
    };
    for (const auto &p : pages) {
        const int number = PageControl1->Count();
        SetHelpContext(*Named(p.page, p.name), FirstPageHelpContext + number);
        PageControl1->AddPage(p.page, QString::fromLatin1(p.caption));
        SetTag(*PageControl1->TabButton(number), (number + 1) * 10);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControl1);

    ApplyLanguage();
    ConnectTextPage();
    ConnectLibraryPages();
    ConnectMaterialPage();
    ConnectLightPage();
    ConnectShadowPage();
    WheelEditsOnlyFocused(*this);
}

// --- Building the pages ---

QWidget *TPropFr1::BuildTextPage()
{
    auto *page = new QWidget;
    QFormLayout *form = FormLayout(page);
    Edit1 = Named(new QLineEdit, "Edit1");
    Edit1->setMaxLength(TextLimit);
    TakeProjectText(*Edit1);
    form->addRow(Label("Text", 1001), Edit1);
    form->addRow(Heading("Text align", 1002));
    ComboBox1 = Named(new QComboBox, "ComboBox1");
    ComboBox2 = Named(new QComboBox, "ComboBox2");
    form->addRow(Label("Vertical", 1003), ComboBox1);
    form->addRow(Label("Horizontal", 1004), ComboBox2);
    form->addRow(Heading("Text margin", 1005));
    SpinEdit4 = IntegerSpin("SpinEdit4", -100, 100, 0);
    SpinEdit5 = IntegerSpin("SpinEdit5", -100, 100, 0);
    form->addRow(Label("Top", 1006), SpinEdit4);
    form->addRow(Label("Left", 1007), SpinEdit5);
    SpeedButton1 = Named(new TSpeedButton, "SpeedButton1", 1008);
    SpeedButton1->setText(QStringLiteral("Font"));
    SpeedButton1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    form->addRow(SpeedButton1);
    CheckBox5 = Named(new QCheckBox(QStringLiteral("Use antialiasing")), "CheckBox5", 1009);
    form->addRow(CheckBox5);
    return page;
}

QWidget *TPropFr1::BuildListPage(TListBox *&list, const char *listName, TLibraryKind kind, const char *buttonName,
                                 int buttonTag)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    list = Named(new TListBox, listName);
    ShowLibraryThumbnails(*list, kind);
    layout->addWidget(list);
    auto *button = Named(new QPushButton(QStringLiteral("Advanced >>")), buttonName, buttonTag);
    layout->addWidget(button, 0, Qt::AlignRight);
    return page;
}

QWidget *TPropFr1::BuildMaterialPage()
{
    auto *page = new QWidget;
    QFormLayout *form = FormLayout(page);
    ComboBox3 = Named(new QComboBox, "ComboBox3");
    ComboBox3->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    form->addRow(ComboBox3);
    Shape5 = Named(new TColourSwatch, "Shape5");
    Shape6 = Named(new TColourSwatch, "Shape6");
    Shape7 = Named(new TColourSwatch, "Shape7");
    Shape8 = Named(new TColourSwatch, "Shape8");
    SpinEdit1 = IntegerSpin("SpinEdit1", 1, 128, 64);
    form->addRow(Label("Ambient color", 4001), Shape5);
    form->addRow(Label("Diffuse color", 4002), Shape6);
    form->addRow(Label("Specular color", 4003), Shape7);
    form->addRow(Label("Shiness intensity", 4004), SpinEdit1);
    form->addRow(Label("Emission color", 4005), Shape8);
    return page;
}

QWidget *TPropFr1::BuildLightPage()
{
    auto *page = new QWidget;
    QFormLayout *form = FormLayout(page);
    CheckBox1 = Named(new QCheckBox(QStringLiteral("Light")), "CheckBox1", 5001);
    SpinEdit100 = IntegerSpin("SpinEdit100", 0, LightCount - 1, 0);
    form->addRow(CheckBox1, SpinEdit100);
    Shape2 = Named(new TColourSwatch, "Shape2");
    Shape3 = Named(new TColourSwatch, "Shape3");
    Shape4 = Named(new TColourSwatch, "Shape4");
    form->addRow(Label("Ambient color", 5002), Shape2);
    form->addRow(Label("Diffuse color", 5003), Shape3);
    form->addRow(Label("Specular color", 5004), Shape4);
    form->addRow(Heading("Light position", 5005));
    TrackBar1 = TrackBar("TrackBar1", -10, 20, 20);
    TrackBar2 = TrackBar("TrackBar2", 0, 40, 20);
    TrackBar3 = TrackBar("TrackBar3", 0, 360, 180);
    form->addRow(Label("Depth", 5006), TrackBar1);
    form->addRow(Label("Radius", 5007), TrackBar2);
    form->addRow(Label("Angle", 5008), TrackBar3);
    return page;
}

QWidget *TPropFr1::BuildTexturePage()
{
    QWidget *page = BuildListPage(ListBox1, "ListBox1", TLibraryKind::Texture, "Button1", 6002);
    CheckBox2 = Named(new QCheckBox(QStringLiteral("Use texture")), "CheckBox2", 6001);
    static_cast<QVBoxLayout *>(page->layout())->insertWidget(1, CheckBox2);
    return page;
}

QWidget *TPropFr1::BuildShadowPage()
{
    auto *page = new QWidget;
    QFormLayout *form = FormLayout(page);
    CheckBox6 = Named(new QCheckBox(QStringLiteral("Use button's shadow")), "CheckBox6", 7001);
    ColorBox1 = NarrowColorBox("ColorBox1");
    KitSpinEdit4 = OffsetSpin("KitSpinEdit4");
    KitSpinEdit5 = OffsetSpin("KitSpinEdit5");
    form->addRow(CheckBox6);
    form->addRow(Label("Shadow color", 7002), ColorBox1);
    form->addRow(Label("X offset", 7003), KitSpinEdit4);
    form->addRow(Label("Y offset", 7004), KitSpinEdit5);
    CheckBox7 = Named(new QCheckBox(QStringLiteral("Use text's shadow")), "CheckBox7", 7005);
    ColorBox2 = NarrowColorBox("ColorBox2");
    SpinEdit20 = IntegerSpin("SpinEdit20", 0, 0, 0);
    SpinEdit21 = IntegerSpin("SpinEdit21", 0, 0, 0);
    form->addRow(CheckBox7);
    form->addRow(Label("Shadow color", 7006), ColorBox2);
    form->addRow(Label("X offset", 7007), SpinEdit20);
    form->addRow(Label("Y offset", 7008), SpinEdit21);
    return page;
}

// --- The edit pattern ---

template <typename Signal, typename Sender>
void TPropFr1::On(Sender *sender, Signal signal, std::function<void()> handler)
{
    connect(sender, signal, this, [handler = std::move(handler)] { Guarded(handler); });
}

void TPropFr1::OnNumber(TKitSpinEdit *spin, const std::function<void(double)> &handler)
{
    On(spin, &TKitSpinEdit::valueChanged, [spin, handler] {
        if (const std::optional<double> number = spin->Number())
            handler(*number);
    });
}

bool TPropFr1::Editable() const { return RenderAllowed() && Proj->CurrentState(); }

void TPropFr1::Edit(int group, bool draft, const std::function<void(TItem &)> &write)
{
    if (!Editable())
        return;
    TItem &state = *Proj->CurrentState();
    Timer1->start();  // restarts a running timer
    if (draft)
        EnterDraft(state);
    Proj->Modified = true;
    write(state);
    Proj->RenderCurrent();
    Host().DrawPreview();
    AutoCopy(group);
}

void TPropFr1::EnterDraft(TItem &state)
{
    // Another state left in draft leaves it; the timer runs on for this one.
    if (FDraftState != &state)
        LeaveDraft();
    // Without the fast preview there is no draft mode: asking for it would
    // only have the full mesh rebuilt at every step.
    if (!AppParam().UsePreview)
        return;
    state.SetDraft(true);
    FDraftState = &state;
}

void TPropFr1::EndDraft()
{
    Timer1->stop();
    LeaveDraft();
}

void TPropFr1::LeaveDraft()
{
    if (!FDraftState)
        return;
    TItem *state = StateInProject(FDraftState);
    FDraftState = nullptr;
    if (state) {
        state->SetDraft(false);
    } else {
        // The state went with its button or project while in draft mode:
        // the process-wide mesh size must not stay coarse.
        const TParam full;
        AppParam().MeshCols = full.MeshCols;
        AppParam().MeshRows = full.MeshRows;
    }
}

void TPropFr1::hideEvent(QHideEvent *event)
{
    TFrame::hideEvent(event);
    // A minimised window hides its panels too, but the selection stays. A
    // state still selected (the panel stepped aside) gets its full render.
    if (!event->spontaneous())
        Timer1Timer();
}

void TPropFr1::Timer1Timer()
{
    const TItem *draft = FDraftState;
    EndDraft();
    if (draft && Proj && draft == Proj->CurrentState()) {
        Proj->RenderCurrent();
        Host().DrawPreview();
    }
}

TLightItem &TPropFr1::CurLight(TItem &state) const
{
    const int number = std::clamp(Rounded(SpinEdit100->Value()), 0, LightCount - 1);
    return state.Lights[size_t(number)];
}

// --- Text ---

void TPropFr1::ConnectTextPage()
{
    On(Edit1, &QLineEdit::textChanged,
       [this] { Edit(pgText, true, [this](TItem &s) { s.TextItem.Text = ToAnsi(Edit1->text()); }); });
    On(ComboBox1, &QComboBox::activated,
       [this] { Edit(pgText, false, [this](TItem &s) { s.TextItem.VAlign = ComboBox1->currentIndex(); }); });
    On(ComboBox2, &QComboBox::activated,
       [this] { Edit(pgText, false, [this](TItem &s) { s.TextItem.HAlign = ComboBox2->currentIndex(); }); });
    OnNumber(SpinEdit4, [this](double v) { Edit(pgText, true, [v](TItem &s) { s.TextItem.TopMargin = Rounded(v); }); });
    OnNumber(SpinEdit5, [this](double v) { Edit(pgText, true, [v](TItem &s) { s.TextItem.LeftMargin = Rounded(v); }); });
    On(SpeedButton1, &TSpeedButton::clicked, [this] { SpeedButton1Click(); });
    On(CheckBox5, &QCheckBox::toggled,
       [this] { Edit(pgText, true, [this](TItem &s) { s.TextItem.Smooth = CheckBox5->isChecked(); }); });
}

void TPropFr1::SpeedButton1Click()
{
    if (!Editable())
        return;
    const TTextProp &text = Proj->CurrentState()->TextItem;
    TFontChoice font;
    font.Name = FromAnsi(text.FontName);
    font.Size = text.Size;
    font.Style = text.Style;
    font.Color = uint32_t(text.Color);
    font.Charset = text.Charset;
    const std::optional<TFontChoice> chosen = CommonDialogs().Font(font);
    if (!chosen)
        return;
    Edit(pgText, false, [&](TItem &s) {
        TTextProp &t = s.TextItem;
        t.Charset = chosen->Charset;
        t.Color = TColor(chosen->Color);
        t.Height = -int(std::lround(chosen->Size * 96.0 / 72.0));  // at 96 pixels an inch
        t.FontName = ToAnsi(chosen->Name);
        t.Pitch = chosen->Pitch;
        t.Size = chosen->Size;
        t.Style = chosen->Style;
    });
}

void TPropFr1::LoadText(const TItem &state)
{
    const TTextItem &text = state.TextItem;
    ShowProjectText(*Edit1, FromAnsi(text.Text));
    // Any alignment besides centre and top/left is drawn as bottom/right.
    ComboBox1->setCurrentIndex(text.VAlign == 0 || text.VAlign == 1 ? text.VAlign : 2);
    ComboBox2->setCurrentIndex(text.HAlign == 0 || text.HAlign == 1 ? text.HAlign : 2);
    SpinEdit4->ShowValue(text.TopMargin);
    SpinEdit5->ShowValue(text.LeftMargin);
    CheckBox5->setChecked(text.Smooth);
}

void TPropFr1::ApplyLanguage()
{
    TranslateFrame(*this, *Lang);
    FillInterfaceList(*ComboBox1, 30, 3, 0);
    FillInterfaceList(*ComboBox2, 33, 3, 0);
}

// --- Shape, deformation, texture ---

// A row chosen by the user, with a click or a key; rows set from code
// raise nothing.
void TPropFr1::ListRowChosen(TListBox *list, const std::function<void(int row)> &handler)
{
    On(list, &TListBox::Click, [list, handler] {
        if (list->ItemIndex() >= 0)
            handler(list->ItemIndex());
    });
}

void TPropFr1::ConnectLibraryPages()
{
    ListRowChosen(ListBox2, [this](int row) { ApplyShape(row); });
    ListRowChosen(ListBox3, [this](int row) { ApplyDeformation(row); });
    ListRowChosen(ListBox1, [this](int row) { ApplyTexture(row); });
    On(CheckBox2, &QCheckBox::toggled, [this] { CheckBox2Click(); });
    const struct {
        const char *name;
        TLibraryPage page;
    } buttons[] = {{"Button1", lpTextures}, {"Button2", lpShapes}, {"Button3", lpDeformations}};
    for (const auto &b : buttons) {
        const TLibraryPage page = b.page;
        On(findChild<QPushButton *>(QLatin1String(b.name)), &QPushButton::clicked, [this, page] {
            if (page != lpTextures || RenderAllowed())
                emit advancedRequested(page);
        });
    }
}

template <typename Library, typename Copy>
void TPropFr1::ApplyEntry(const Library &library, int row, int group, Copy copy)
{
    if (row < library.Count())
        Edit(group, false, [&](TItem &s) { copy(library.GetBlock(row), s); });
}

void TPropFr1::ApplyShape(int row)
{
    ApplyEntry(Proj->Shapes, row, pgShape, [](const TShapeBlock &entry, TItem &s) {
        // Only the angles: the derived values are worked out anew at every use.
        TShapeBlock &shape = s.ButtonItem.Shape;
        shape.A0 = entry.A0, shape.A1 = entry.A1, shape.A2 = entry.A2, shape.A3 = entry.A3;
        shape.A4 = entry.A4, shape.A5 = entry.A5, shape.A6 = entry.A6, shape.A7 = entry.A7;
        s.Dirty = 1;
    });
}

void TPropFr1::ApplyDeformation(int row)
{
    ApplyEntry(Proj->Deformations, row, pgDeformation, [](const TDeformationBlock &entry, TItem &s) {
        TDeformationBlock &d = s.ButtonItem.Deformation;
        d.D0 = entry.D0, d.D1 = entry.D1, d.D2 = entry.D2, d.D3 = entry.D3;
        d.TopHeight = entry.TopHeight, d.ScaleX = entry.ScaleX, d.ScaleY = entry.ScaleY;
        s.Dirty = 1;
    });
}

void TPropFr1::ApplyTexture(int row)
{
    ApplyEntry(Proj->Textures, row, pgTexture,
               [](const TTextureBlock &entry, TItem &s) { CopyTexels(entry, s.ButtonItem.Texture); });
}

// Switching the texture on applies the chosen library entry; switching it
// off keeps the texels. Without library entries it cannot be switched on.
void TPropFr1::CheckBox2Click()
{
    if (!Editable())
        return;
    const bool on = CheckBox2->isChecked();
    if (on && Proj->Textures.Count() == 0) {
        const QSignalBlocker blocker(CheckBox2);
        CheckBox2->setChecked(false);
        return;
    }
    const int row = ListBox1->currentRow();
    Edit(pgTexture, false, [&](TItem &s) {
        TTextureBlock &texture = s.ButtonItem.Texture;
        texture.Enabled = on;
        if (on && row >= 0 && row < Proj->Textures.Count())
            CopyTexels(Proj->Textures.GetBlock(row), texture);
    });
}

void TPropFr1::FillTemplateLists()
{
    if (!Proj)
        return;
    const auto fillList = [](TListBox *list, const TBaseTemplate &library, bool named) {
        list->clear();
        for (int i = 0; i < library.Count(); ++i)
            list->addItem(named ? FromAnsi(library.GetItem(i).Name) : QString());
        list->SetItemIndex(0);
    };
    fillList(ListBox1, Proj->Textures, true);
    {
        // The switch shows the state's texture as the library dialog left it,
        // also when the library is now empty: the user can still switch a
        // texture off then, though no entry can switch one on.
        const TItem *state = Proj->CurrentState();
        const QSignalBlocker blocker(CheckBox2);
        CheckBox2->setChecked(state && state->ButtonItem.Texture.Enabled);
    }
    {
        const QSignalBlocker blocker(ComboBox3);
        ComboBox3->clear();
        ComboBox3->addItem(FromAnsi(Lang->GetInterfaceString(36)));
        for (int i = 0; i < Proj->Materials.Count(); ++i) {
            const QImage sphere = MaterialPicture(Proj->Materials.GetBlock(i), ComboBox3->iconSize().height(),
                                                  TColor(AppParam().FonColor));
            ComboBox3->addItem(QPixmap::fromImage(sphere), FromAnsi(Proj->Materials.GetItem(i).Name));
        }
        ComboBox3->setCurrentIndex(0);
    }
    fillList(ListBox2, Proj->Shapes, false);
    fillList(ListBox3, Proj->Deformations, false);
}

void TPropFr1::LibraryDialogClosed(TLibraryPage page, int textureRow)
{
    FillTemplateLists();
    if (page == lpTextures)
        ListBox1->SetItemIndex(textureRow);
    AutoCopy(page == lpTextures ? pgTexture : page == lpShapes ? pgShape : pgDeformation);
}

void TPropFr1::SetListColour(uint32_t colour)
{
    for (TListBox *list : {ListBox1, ListBox2, ListBox3}) {
        QPalette palette = list->palette();
        palette.setColor(QPalette::Base, ToQColor(colour));
        list->setPalette(palette);
        list->viewport()->update();
    }
}

// --- Material ---

void TPropFr1::ConnectMaterialPage()
{
    On(ComboBox3, &QComboBox::activated, [this] { ComboBox3Change(); });
    const struct {
        TColourSwatch *swatch;
        TRGBA TMaterialBlock::*field;
    } colours[] = {{Shape5, &TMaterialBlock::Ambient},
                   {Shape6, &TMaterialBlock::Diffuse},
                   {Shape7, &TMaterialBlock::Specular},
                   {Shape8, &TMaterialBlock::Emission}};
    for (const auto &c : colours)
        On(c.swatch, &TColourSwatch::clicked, [this, c] {
            if (!Editable() || !c.swatch->Choose())
                return;
            Edit(pgMaterial, false, [&](TItem &s) {
                s.ButtonItem.Material.*c.field = ColorToRGBA(c.swatch->Colour());
                ComboBox3->setCurrentIndex(0);
            });
        });
    OnNumber(SpinEdit1, [this](double shininess) {
        if (shininess < 1 || shininess > 128)
            return;
        Edit(pgMaterial, true, [&](TItem &s) {
            s.ButtonItem.Material.Shininess = Rounded(shininess);
            ComboBox3->setCurrentIndex(0);
        });
    });
}

// A library material reaches the state through the controls: its colours
// as the swatches hold them (8 bits a channel, alpha 1) and its shininess
// as the spin edit holds it.
void TPropFr1::ComboBox3Change()
{
    const int index = ComboBox3->currentIndex();
    if (index <= 0 || index > Proj->Materials.Count())
        return;
    Edit(pgMaterial, false, [&](TItem &s) {
        const TRenderHold hold;
        const TMaterialBlock &entry = Proj->Materials.GetBlock(index - 1);
        Shape5->SetColour(RGBAToColor(entry.Ambient));
        Shape6->SetColour(RGBAToColor(entry.Diffuse));
        Shape7->SetColour(RGBAToColor(entry.Specular));
        SpinEdit1->SetValue(entry.Shininess);
        Shape8->SetColour(RGBAToColor(entry.Emission));
        TMaterialBlock &m = s.ButtonItem.Material;
        m.Ambient = ColorToRGBA(Shape5->Colour());
        m.Diffuse = ColorToRGBA(Shape6->Colour());
        m.Specular = ColorToRGBA(Shape7->Colour());
        m.Shininess = Rounded(SpinEdit1->Value());
        m.Emission = ColorToRGBA(Shape8->Colour());
    });
}

void TPropFr1::LoadMaterial(const TItem &state)
{
    const TMaterialBlock &m = state.ButtonItem.Material;
    Shape5->SetColour(RGBAToColor(m.Ambient));
    Shape6->SetColour(RGBAToColor(m.Diffuse));
    Shape7->SetColour(RGBAToColor(m.Specular));
    SpinEdit1->ShowValue(m.Shininess);
    Shape8->SetColour(RGBAToColor(m.Emission));
}

// --- Light ---

void TPropFr1::ConnectLightPage()
{
    On(SpinEdit100, &TKitSpinEdit::valueChanged, [this] { SelectLight(); });
    On(CheckBox1, &QCheckBox::toggled, [this] {
        Edit(pgLights, false, [this](TItem &s) { CurLight(s).Enabled = CheckBox1->isChecked(); });
        SetLightControlsEnabled(CheckBox1->isChecked());
    });
    const struct {
        TColourSwatch *swatch;
        TRGBA TLightBlock::*field;
    } colours[] = {{Shape2, &TLightBlock::Ambient}, {Shape3, &TLightBlock::Diffuse}, {Shape4, &TLightBlock::Specular}};
    for (const auto &c : colours)
        On(c.swatch, &TColourSwatch::clicked, [this, c] {
            if (!Editable() || !c.swatch->Choose())
                return;
            Edit(pgLights, false, [&](TItem &s) { CurLight(s).*c.field = ColorToRGBA(c.swatch->Colour()); });
        });
    On(TrackBar1, &QSlider::valueChanged, [this] {
        if (CheckBox1->isChecked())
            Edit(pgLights, true, [this](TItem &s) {
                TLightItem &light = CurLight(s);
                light.Position.Z = light.Depth = float(TrackBar1->value());
            });
    });
    On(TrackBar2, &QSlider::valueChanged, [this] { LightPositionChange(); });
    On(TrackBar3, &QSlider::valueChanged, [this] { LightPositionChange(); });
}

void TPropFr1::LightPositionChange()
{
    if (CheckBox1->isChecked())
        Edit(pgLights, true, [this](TItem &s) { PlaceLight(CurLight(s), TrackBar3->value(), TrackBar2->value()); });
}

// Shows the light that the light number names; browsing writes nothing.
void TPropFr1::SelectLight()
{
    if (!Proj || !Proj->CurrentState())
        return;
    const TLightItem &light = CurLight(*Proj->CurrentState());
    const QSignalBlocker check(CheckBox1), depth(TrackBar1), radius(TrackBar2), angle(TrackBar3);
    CheckBox1->setChecked(light.Enabled);
    Shape2->SetColour(RGBAToColor(light.Ambient));
    Shape3->SetColour(RGBAToColor(light.Diffuse));
    Shape4->SetColour(RGBAToColor(light.Specular));
    TrackBar1->setValue(Rounded(light.Depth));
    TrackBar2->setValue(Rounded(light.Radius));
    TrackBar3->setValue(Rounded(light.Angle));
    SetLightControlsEnabled(light.Enabled);
}

void TPropFr1::SetLightControlsEnabled(bool enabled)
{
    for (QWidget *control : std::initializer_list<QWidget *>{Shape2, Shape3, Shape4, TrackBar1, TrackBar2, TrackBar3})
        control->setEnabled(enabled);
}

// --- Shadow ---

void TPropFr1::ConnectShadowPage()
{
    On(CheckBox6, &QCheckBox::toggled, [this] {
        Edit(pgShadow, false, [this](TItem &s) { s.ButtonItem.Shadow.Enabled = CheckBox6->isChecked(); });
        SetShadowControlsEnabled();
    });
    On(CheckBox7, &QCheckBox::toggled, [this] {
        Edit(pgShadow, false, [this](TItem &s) { s.TextItem.TextShadow = CheckBox7->isChecked(); });
        SetShadowControlsEnabled();
    });
    On(ColorBox1, &TColorBox::ColourChosen,
       [this] { Edit(pgShadow, false, [this](TItem &s) { s.ButtonItem.Shadow.Color = TColor(ColorBox1->Selected()); }); });
    On(ColorBox2, &TColorBox::ColourChosen,
       [this] { Edit(pgShadow, false, [this](TItem &s) { s.TextItem.TextShadowColor = TColor(ColorBox2->Selected()); }); });
    OnNumber(KitSpinEdit4, [this](double v) { Edit(pgShadow, false, [v](TItem &s) { s.ButtonItem.Shadow.DX = float(v); }); });
    OnNumber(KitSpinEdit5, [this](double v) { Edit(pgShadow, false, [v](TItem &s) { s.ButtonItem.Shadow.DY = float(v); }); });
    OnNumber(SpinEdit20, [this](double v) { Edit(pgShadow, false, [v](TItem &s) { s.TextItem.TextShadowDX = Rounded(v); }); });
    OnNumber(SpinEdit21, [this](double v) { Edit(pgShadow, false, [v](TItem &s) { s.TextItem.TextShadowDY = Rounded(v); }); });
}

void TPropFr1::SetShadowControlsEnabled()
{
    for (QWidget *control : std::initializer_list<QWidget *>{ColorBox1, KitSpinEdit4, KitSpinEdit5})
        control->setEnabled(CheckBox6->isChecked());
    for (QWidget *control : std::initializer_list<QWidget *>{ColorBox2, SpinEdit20, SpinEdit21})
        control->setEnabled(CheckBox7->isChecked());
}

void TPropFr1::LoadShadow(const TItem &state)
{
    const TShadowBlock &shadow = state.ButtonItem.Shadow;
    ColorBox1->SetSelected(uint32_t(shadow.Color));
    KitSpinEdit4->ShowValue(shadow.DX);
    KitSpinEdit5->ShowValue(shadow.DY);
    CheckBox6->setChecked(shadow.Enabled);
    const TTextItem &text = state.TextItem;
    ColorBox2->SetSelected(uint32_t(text.TextShadowColor));
    SpinEdit20->ShowValue(text.TextShadowDX);
    SpinEdit21->ShowValue(text.TextShadowDY);
    CheckBox7->setChecked(text.TextShadow);
    SetShadowControlsEnabled();
}

// --- Loading ---

// The number fields show the state's values as it holds them, outside their
// ranges too, so that field and state agree until the user edits.
void TPropFr1::LoadFromState()
{
    TItem *state = Proj ? Proj->CurrentState() : nullptr;
    if (!state)
        return;
    if (FDraftState && FDraftState != state)
        EndDraft();
    const TRenderHold hold;
    LoadText(*state);
    SelectLight();
    CheckBox2->setChecked(state->ButtonItem.Texture.Enabled);
    LoadMaterial(*state);
    LoadShadow(*state);
}

void TPropFr1::ShowPage(TPage page) { PageControl1->SetCurrentIndex(page); }
