#include "ShapeEditors.h"

#include "FormTranslation.h"
#include "GraphicsColor.h"
#include "GeometryPictures.h"
#include "KitSpin.h"
#include "Outline.h"
#include "ParamU.h"
#include "RenderHold.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSpinBox>

namespace {

constexpr int AngleStep = 3;

struct TAngleControl {
    const char *Name;
    int Min, Max, FormValue;
};

// A0 .. A7: two controls a row, one row per corner.
constexpr TAngleControl ShapeAngleControls[8] = {
    {"SpinEdit6", -45, 45, 45},    {"SpinEdit7", 45, 135, 45},   {"SpinEdit8", 45, 135, 135},
    {"SpinEdit9", 135, 225, 135},  {"SpinEdit10", 135, 225, 225}, {"SpinEdit11", 225, 315, 225},
    {"SpinEdit12", 225, 315, 315}, {"SpinEdit13", 315, 405, 315}};
constexpr int32_t TShapeBlock::*ShapeAngles[8] = {&TShapeBlock::A0, &TShapeBlock::A1, &TShapeBlock::A2,
                                                  &TShapeBlock::A3, &TShapeBlock::A4, &TShapeBlock::A5,
                                                  &TShapeBlock::A6, &TShapeBlock::A7};

// D0 .. D3.
constexpr TAngleControl ProfileAngleControls[4] = {
    {"SpinEdit14", 0, 45, 0}, {"SpinEdit15", 45, 90, 60}, {"SpinEdit16", 45, 90, 90}, {"SpinEdit17", 45, 90, 90}};
constexpr int32_t TDeformationBlock::*ProfileAngles[4] = {&TDeformationBlock::D0, &TDeformationBlock::D1,
                                                          &TDeformationBlock::D2, &TDeformationBlock::D3};
constexpr int D1 = 1, D2 = 2, D3 = 3;

struct TDecimalControl {
    const char *Name;
    double Min, FormValue;
};
// TopHeight, ScaleX, ScaleY: up to 1, in steps of 0.02, two decimals.
constexpr TDecimalControl DecimalControls[3] = {
    {"KitSpinEdit1", 0.05, 1.0}, {"KitSpinEdit2", 0, 0}, {"KitSpinEdit3", 0, 0}};
constexpr float TDeformationBlock::*Decimals[3] = {&TDeformationBlock::TopHeight, &TDeformationBlock::ScaleX,
                                                   &TDeformationBlock::ScaleY};
constexpr int TopHeightControl = 0;
constexpr int FlatTop = 90;  // a top angle at which the plateau has full height

// An angle that only the arrows and the arrow keys change, clamped to its
// range.
QSpinBox *NewAngleEdit(QWidget *parent, const TAngleControl &control)
{
    auto *edit = new QSpinBox(parent);
    edit->setObjectName(control.Name);
    edit->setRange(control.Min, control.Max);
    edit->setSingleStep(AngleStep);
    edit->setValue(control.FormValue);
    edit->findChild<QLineEdit *>()->setReadOnly(true);
    return edit;
}

// A decimal with two places; typing is allowed, so a value out of range
// can be read until the field is left.
TKitSpinEdit *NewDecimalEdit(QWidget *parent, const TDecimalControl &control)
{
    auto *edit = new TKitSpinEdit(parent);
    edit->setObjectName(control.Name);
    edit->SetValueType(vtFloat);
    edit->SetDecimal(2);
    edit->SetRange(control.Min, 1.0);
    edit->SetIncrement(0.02);
    edit->SetValue(control.FormValue);
    return edit;
}

// The number a decimal holds, pulled within its range as leaving the field
// pulls it.
double InRange(const TKitSpinEdit &edit) { return edit.CheckValue(edit.Value()); }

QLabel *NewCaption(QWidget *parent, const char *text, int tag)
{
    auto *label = new QLabel(QString::fromLatin1(text), parent);
    SetTag(*label, tag);
    return label;
}

}  // namespace

// --- Both ---

TGeometryEditor::TGeometryEditor(QWidget *parent, const char *sectorsName, int sectorsTag,
                                 const char *pictureName, const char *pictureCaption, int pictureTag)
    : QWidget(parent),
      FSectors(new QCheckBox(QStringLiteral("Show sectors"), this)),
      FPicture(new QLabel(this)),
      FGrid(new QGridLayout(this))
{
    FSectors->setObjectName(sectorsName);
    SetTag(*FSectors, sectorsTag);
    FPicture->setObjectName(pictureName);
    FPicture->setFixedSize(110, 50);
    FGrid->setContentsMargins(0, 0, 0, 0);
    FGrid->addWidget(FSectors, 0, 1, 1, 2);
    FGrid->addWidget(NewCaption(this, pictureCaption, pictureTag), 1, 0);
    FGrid->addWidget(FPicture, 1, 1, 1, 2);
    connect(FSectors, &QCheckBox::toggled, this, [this] {
        if (RenderAllowed())
            Refresh();
    });
}

bool TGeometryEditor::SectorsShown() const { return FSectors->isChecked(); }

void TGeometryEditor::HideSectors() { FSectors->setChecked(false); }

QRgb TGeometryEditor::PictureBackground() { return ColorToQRgb(TColor(AppParam().FonColor)); }

void TGeometryEditor::ShowPicture(const QImage &picture)
{
    const QRgb background = PictureBackground();
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (((line[x] ^ background) & RGB_MASK) == 0)
                line[x] = 0;
    }
    FPicture->setPixmap(QPixmap::fromImage(image));
}

// --- Shape ---

TShapeEditor::TShapeEditor(QWidget *parent) : TGeometryEditor(parent, "CheckBox1", 3006, "Image1", "Smothing", 3007)
{
    QGridLayout *grid = &Grid();
    const char *rows[4] = {"Top-right angle", "Top-left angle", "Bottom-left angle", "Bottom-right angle"};
    for (int i = 0; i < 8; ++i) {
        FAngles[size_t(i)] = NewAngleEdit(this, ShapeAngleControls[i]);
        if (i % 2 == 0)
            grid->addWidget(NewCaption(this, rows[i / 2], 3008 + i / 2), 2 + i / 2, 0);
        grid->addWidget(FAngles[size_t(i)], 2 + i / 2, 1 + i % 2);
        connect(FAngles[size_t(i)], &QSpinBox::valueChanged, this, [this, i] { AngleChanged(i); });
    }
    grid->setRowStretch(6, 1);
}

void TShapeEditor::Reset(const TShapeBlock &shape)
{
    HideSectors();
    SetShape(shape);
}

void TShapeEditor::SetShape(const TShapeBlock &shape)
{
    FShape = shape;
    Refresh();
}

// The straight edges run from A1 to A2, A3 to A4, A5 to A6 and A7 to
// A0 + 360: a change that would make one of them negative drags the angle at
// its other end along. Setting that control runs its own handler first.
void TShapeEditor::AngleChanged(int index)
{
    if (!RenderAllowed())
        return;
    const int value = FAngles[size_t(index)]->value();
    FShape.*ShapeAngles[index] = value;
    const bool edgeStart = index % 2 == 1;  // A1, A3, A5, A7
    const int other = edgeStart ? (index + 1) % 8 : (index + 7) % 8;
    const int turn = (edgeStart && index == 7) || (!edgeStart && index == 0) ? 360 : 0;
    QSpinBox *neighbour = FAngles[size_t(other)];
    if (edgeStart && neighbour->value() + turn < value)
        neighbour->setValue(value - turn);
    else if (!edgeStart && value < neighbour->value() - turn)
        neighbour->setValue(value + turn);
    Refresh();
}

void TShapeEditor::Refresh()
{
    {
        const TRenderHold hold;
        for (int i = 0; i < 8; ++i)
            FAngles[size_t(i)]->setValue(FShape.*ShapeAngles[i]);
    }
    PrepareShape(FShape);
    ShowPicture(ShapePicture(FShape, PictureBackground(), SectorsShown()));
    emit Edited();
}

// --- Deformation ---

TDeformationEditor::TDeformationEditor(QWidget *parent)
    : TGeometryEditor(parent, "CheckBox2", 4006, "Image2", "Smoothing", 4007)
{
    QGridLayout *grid = &Grid();
    grid->addWidget(NewCaption(this, "Top-right angle", 4008), 2, 0);
    grid->addWidget(NewCaption(this, "Top-left angle", 4009), 3, 0);
    for (int i = 0; i < 4; ++i) {
        FAngles[size_t(i)] = NewAngleEdit(this, ProfileAngleControls[i]);
        grid->addWidget(FAngles[size_t(i)], 2 + i / 2, 1 + i % 2);
        connect(FAngles[size_t(i)], &QSpinBox::valueChanged, this, [this, i] { AngleChanged(i); });
    }
    const char *captions[3] = {"Height", "Factor of deformation on a X axis", "Factor of deformation on a Y axis"};
    for (int i = 0; i < 3; ++i) {
        FDecimals[size_t(i)] = NewDecimalEdit(this, DecimalControls[i]);
        grid->addWidget(NewCaption(this, captions[i], 4010 + i), 4 + i, 0);
        grid->addWidget(FDecimals[size_t(i)], 4 + i, 2);
        connect(FDecimals[size_t(i)], &TKitSpinEdit::valueChanged, this, [this, i] { DecimalChanged(i); });
    }
    grid->setRowStretch(7, 1);
}

void TDeformationEditor::Reset(const TDeformationBlock &deformation)
{
    HideSectors();
    SetDeformation(deformation);
}

void TDeformationEditor::SetDeformation(const TDeformationBlock &deformation)
{
    FDeformation = deformation;
    Refresh();
}

// The angles stay ordered, D1 <= D2 <= D3, with the upper arc never empty:
// stepping D1 or D2 onto D3 sets it back a step, stepping D3 onto D2 sets
// D3 forward a step. While D3 is 90 the top has full height.
void TDeformationEditor::AngleChanged(int index)
{
    if (!RenderAllowed())
        return;
    QSpinBox *d1 = FAngles[D1], *d2 = FAngles[D2], *d3 = FAngles[D3];
    QSpinBox *edit = FAngles[size_t(index)];
    if (index == D1 || index == D2) {
        if (edit->value() == d3->value())
            edit->setValue(edit->value() - AngleStep);
    } else if (index == D3 && d2->value() == edit->value()) {
        edit->setValue(edit->value() + AngleStep);
    }
    const int value = edit->value();
    FDeformation.*ProfileAngles[index] = value;
    if (index == D1) {
        if (value > d2->value())
            d2->setValue(value);
        if (value > d3->value())
            d3->setValue(value);
    } else if (index == D2) {
        if (d1->value() > value)
            d1->setValue(value);
        if (value > d3->value())
            d3->setValue(value);
    } else if (index == D3) {
        if (d1->value() > value)
            d1->setValue(value);
        if (d2->value() > value)
            d2->setValue(value);
        FDeformation.TopHeight = value == FlatTop ? 1.0f : float(InRange(*FDecimals[TopHeightControl]));
    }
    Refresh();
}

// A number outside the control's range, possible while it is being typed,
// is left until the leaving of the field pulls it within the range.
void TDeformationEditor::DecimalChanged(int index)
{
    const TKitSpinEdit &edit = *FDecimals[size_t(index)];
    const double value = edit.Value();
    if (!RenderAllowed() || edit.CheckValue(value) != value)
        return;
    const bool flatTop = index == TopHeightControl && FAngles[D3]->value() == FlatTop;
    FDeformation.*Decimals[index] = flatTop ? 1.0f : float(value);
    Refresh();
}

void TDeformationEditor::Refresh()
{
    {
        const TRenderHold hold;
        for (int i = 0; i < 4; ++i)
            FAngles[size_t(i)]->setValue(FDeformation.*ProfileAngles[i]);
        // A decimal that already reads as the value keeps its text, so
        // that a number being typed ("0.", "0.3") is not rewritten under
        // the caret.
        for (int i = 0; i < 3; ++i)
            if (float(FDecimals[size_t(i)]->Value()) != FDeformation.*Decimals[i])
                FDecimals[size_t(i)]->SetValue(FDeformation.*Decimals[i]);
    }
    ReadControls();
    PrepareDeformation(FDeformation);
    ShowPicture(DeformationPicture(FDeformation, PictureBackground(), SectorsShown()));
    emit Edited();
}

void TDeformationEditor::ReadControls()
{
    for (int i = 0; i < 4; ++i)
        FDeformation.*ProfileAngles[i] = FAngles[size_t(i)]->value();
    for (int i = 0; i < 3; ++i)
        FDeformation.*Decimals[i] = float(InRange(*FDecimals[size_t(i)]));
}
