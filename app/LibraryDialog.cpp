#include "LibraryDialog.h"

#include "AnsiText.h"
#include "Codepage.h"
#include "ColorU.h"
#include "CommonDialogs.h"
#include "Exceptions.h"
#include "FileDialog.h"
#include "FileSystem.h"
#include "FocusedWheel.h"
#include "FormTranslation.h"
#include "GraphicsColor.h"
#include "GuardedCall.h"
#include "HelpContext.h"
#include "HostU.h"
#include "LangSupU.h"
#include "LibraryThumbnails.h"
#include "ListBox.h"
#include "MessageBoxes.h"
#include "ParamU.h"
#include "ProjU.h"
#include "ProjectTextField.h"
#include "RenderHold.h"
#include "ShapeEditors.h"
#include "StockControls.h"
#include "TextureFile.h"
#include "UtilsU.h"

#include <QCheckBox>
#include <QEvent>
#include <QShowEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

TTempSelF *TempSelF = nullptr;

namespace {

// Numbered messages.
constexpr int MsgSelectToDelete = 8;
constexpr int MsgSelectToChange = 9;
constexpr int MsgDeleteAll = 10;
constexpr int MsgNameMissing = 11;

constexpr int FullRenderDelayMs = 1000;

// The controls of each page's list, by page: the list, "Add", "Delete",
// "Change", "Delete all", up, down.
struct TPanelNames {
    const char *List, *Add, *Delete, *Change, *DeleteAll, *Up, *Down;
};
constexpr TPanelNames PanelNames[4] = {
    {"TextListBox1", "Button5", "Button6", "Button8", "Button7", "SpeedButton8", "SpeedButton7"},
    {"TextListBox2", "Button1", "Button2", "Button3", "Button4", "SpeedButton6", "SpeedButton5"},
    {"TextListBox3", "Button9", "Button10", "Button12", "Button11", "SpeedButton4", "SpeedButton3"},
    {"TextListBox4", "Button13", "Button14", "Button16", "Button15", "SpeedButton1", "SpeedButton2"}};

// A page's texts are keyed from 1000 times its number on: its list title
// + 1, its commands "Add", "Delete", "Change", "Delete all" + 2 to + 5.
int PageKey(TTempSelF::TPage page) { return 1000 * (page + 1); }

TBaseTemplate &Library(TTempSelF::TPage page)
{
    switch (page) {
    case TTempSelF::TexturePage: return Proj->Textures;
    case TTempSelF::MaterialPage: return Proj->Materials;
    case TTempSelF::ShapePage: return Proj->Shapes;
    case TTempSelF::DeformationPage: break;
    }
    return Proj->Deformations;
}

// Runs a handler so that no error leaves it: the error is shown and the
// dialog goes on.
template <typename Handler>
auto GuardedSlot(Handler handler)
{
    return [handler] { Guarded(handler); };
}

template <typename Control>
Control *Named(Control *control, const char *name, int tag = 0)
{
    control->setObjectName(QString::fromLatin1(name));
    if (tag)
        SetTag(*control, tag);
    return control;
}

QLabel *NewLabel(QWidget *parent, const char *text, int tag)
{
    auto *label = new QLabel(QString::fromLatin1(text), parent);
    SetTag(*label, tag);
    return label;
}

TSpeedButton *NewArrow(QWidget *parent, const char *name, Qt::ArrowType arrow)
{
    auto *button = Named(new TSpeedButton(parent), name);
    button->setArrowType(arrow);
    button->setAutoRaise(true);
    button->setFixedSize(23, 22);
    return button;
}

// Appends an entry under name to the library and to its list, and selects it.
template <typename Library, typename Block>
void AddEntry(Library &library, TListBox &list, const Block &block, const std::string &name)
{
    library.Add(block, name);
    list.addItem(FromAnsi(name));
    list.SetItemIndex(library.Count() - 1);
}

// The entry a "Change" replaces; without one, message 9 and -1.
int EntryToChange(const TListBox &list)
{
    const int index = list.ItemIndex();
    if (index < 0)
        Lang->ShowMessageBox(MsgSelectToChange);
    return index;
}

void ShowSwatchColor(QFrame &swatch, TColor color)
{
    QPalette palette = swatch.palette();
    palette.setColor(QPalette::Window, QColor(ColorToQRgb(color)));
    swatch.setPalette(palette);
}

}  // namespace

TTempSelF::TTempSelF(QWidget *parent)
    : QDialog(parent),
      FPictureDialog(std::make_unique<TFileDialog>(TFileRequest{TFileRequest::Open, {}, "Bitmaps (*.bmp)|*.bmp", "bmp",
                                                                QtFilePath(PageDir), {}, false, true}))
{
    setObjectName(QStringLiteral("TempSelF"));
    SetTag(*this, 1);
    SetHelpContext(*this, 2);
    setWindowTitle(QStringLiteral("Templates"));

    FUseTexture = Named(new QCheckBox(QStringLiteral("Templates")), "CheckBox3", 1001);
    connect(FUseTexture, &QCheckBox::toggled, this, GuardedSlot([this] { UseTextureClick(); }));
    FShapeEditor = new TShapeEditor;
    connect(FShapeEditor, &TShapeEditor::Edited, this, GuardedSlot([this] { ApplyShape(); }));
    FDeformationEditor = new TDeformationEditor;
    connect(FDeformationEditor, &TDeformationEditor::Edited, this, GuardedSlot([this] { ApplyDeformation(); }));

    FPages = Named(new QTabWidget(this), "PageControl1");
    FPages->addTab(NewPage(TexturePage, nullptr, FUseTexture), QStringLiteral("Texture"));
    FPages->addTab(NewPage(MaterialPage, NewMaterialEditor(), NewLabel(nullptr, "Templates", 2001)),
                   QStringLiteral("Material"));
    FPages->addTab(NewPage(ShapePage, FShapeEditor, Named(NewLabel(nullptr, "Templates", 3001), "Label7")),
                   QStringLiteral("Shape"));
    FPages->addTab(NewPage(DeformationPage, FDeformationEditor, Named(NewLabel(nullptr, "Templates", 4001), "Label8")),
                   QStringLiteral("Deformation"));

    auto *ok = Named(new QPushButton(QStringLiteral("Ok"), this), "BitBtn1", 2);
    auto *cancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "BitBtn2", 3);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FPages);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    FTimer.setInterval(FullRenderDelayMs);
    FTimer.setSingleShot(true);
    connect(&FTimer, &QTimer::timeout, this, GuardedSlot([this] { FullRender(); }));
    TranslateForm(*this, *Lang);
    WheelEditsOnlyFocused(*this);
}

TTempSelF::~TTempSelF() = default;

// --- Pages ---

QWidget *TTempSelF::NewMaterialEditor()
{
    auto *editor = new QWidget;
    FMaterialName = Named(new QLineEdit, "Edit2");
    TakeProjectText(*FMaterialName);
    FShininess = Named(new QSpinBox, "SpinEdit1");
    FShininess->setRange(1, 128);
    FShininess->setValue(64);
    connect(FShininess, &QSpinBox::valueChanged, this, GuardedSlot([this] { ShininessChanged(); }));

    auto *grid = new QGridLayout(editor);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(NewLabel(editor, "Template's name", 2006), 0, 0);
    grid->addWidget(FMaterialName, 0, 1);
    const char *swatchCaptions[4] = {"Ambient color", "Diffuse color", "Specular color", "Emission color"};
    const int swatchTags[4] = {2007, 2008, 2009, 2011};
    const int swatchRows[4] = {1, 2, 3, 5};
    for (int s = 0; s < 4; ++s) {
        grid->addWidget(NewLabel(editor, swatchCaptions[s], swatchTags[s]), swatchRows[s], 0);
        grid->addWidget(NewSwatch(s), swatchRows[s], 1, Qt::AlignLeft);
    }
    grid->addWidget(NewLabel(editor, "Shiness intensity", 2010), 4, 0);
    grid->addWidget(FShininess, 4, 1, Qt::AlignLeft);
    grid->setRowStretch(6, 1);
    return editor;
}

QFrame *TTempSelF::NewSwatch(int swatch)
{
    const char *names[4] = {"Shape1", "Shape2", "Shape3", "Shape4"};
    auto *frame = Named(new QFrame, names[swatch]);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setFixedSize(60, 21);
    frame->setAutoFillBackground(true);
    frame->installEventFilter(this);
    FSwatches[size_t(swatch)] = frame;
    return frame;
}

QWidget *TTempSelF::NewPage(TPage page, QWidget *editor, QWidget *title)
{
    auto *widget = new QWidget;
    SetTag(*widget, 10 * (page + 1));
    auto *layout = new QHBoxLayout(widget);
    if (editor)
        layout->addWidget(editor, 1);
    else
        layout->addStretch(1);
    layout->addLayout(NewLibraryPanel(page, title));
    return widget;
}

const TTempSelF::TPageHandlers TTempSelF::Handlers[4] = {
    {&TTempSelF::TextureClick, &TTempSelF::AddTexture, &TTempSelF::ChangeTexture},
    {&TTempSelF::MaterialClick, &TTempSelF::AddMaterial, &TTempSelF::ChangeMaterial},
    {&TTempSelF::ShapeClick, &TTempSelF::AddShape, &TTempSelF::ChangeShape},
    {&TTempSelF::DeformationClick, &TTempSelF::AddDeformation, &TTempSelF::ChangeDeformation}};

QLayout *TTempSelF::NewLibraryPanel(TPage page, QWidget *title)
{
    const TPanelNames &names = PanelNames[page];
    auto *up = NewArrow(nullptr, names.Up, Qt::UpArrow);
    auto *down = NewArrow(nullptr, names.Down, Qt::DownArrow);
    connect(up, &QToolButton::clicked, this, GuardedSlot([this, page] { MoveEntry(page, -1); }));
    connect(down, &QToolButton::clicked, this, GuardedSlot([this, page] { MoveEntry(page, +1); }));
    auto *arrows = new QVBoxLayout;
    arrows->addStretch();
    arrows->addWidget(up);
    arrows->addWidget(down);
    arrows->addStretch();
    auto *listRow = new QHBoxLayout;
    listRow->addWidget(NewLibraryList(page));
    listRow->addLayout(arrows);

    auto *panel = new QVBoxLayout;
    panel->addWidget(title, 0, Qt::AlignLeft);
    panel->addLayout(listRow);
    panel->addLayout(NewCommands(page));
    panel->addStretch();
    return panel;
}

TListBox *TTempSelF::NewLibraryList(TPage page)
{
    auto *list = Named(new TListBox, PanelNames[page].List);
    // As wide as the commands below it leave room for, at least 145.
    list->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    list->setMinimumWidth(145);
    list->setFixedHeight(149);
    const TLibraryKind kinds[4] = {TLibraryKind::Texture, TLibraryKind::Texture, TLibraryKind::Shape,
                                   TLibraryKind::Deformation};
    if (page != MaterialPage)
        ShowLibraryThumbnails(*list, kinds[page]);
    connect(list, &TListBox::Click, this, GuardedSlot([this, list, click = Handlers[page].Click] {
                if (list->ItemIndex() >= 0)
                    (this->*click)();
            }));
    FLists[page] = list;
    return list;
}

QLayout *TTempSelF::NewCommands(TPage page)
{
    const TPanelNames &names = PanelNames[page];
    const int key = PageKey(page);
    const struct {
        const char *Name, *Caption;
        std::function<void()> Run;
    } commands[4] = {{names.Add, "Add", [this, add = Handlers[page].Add] { (this->*add)(); }},
                     {names.Delete, "Delete", [this, page] { DeleteEntry(page); }},
                     {names.Change, "Change", [this, change = Handlers[page].Change] { (this->*change)(); }},
                     {names.DeleteAll, "Delete all", [this, page] { DeleteAllEntries(page); }}};
    auto *grid = new QGridLayout;
    for (int c = 0; c < 4; ++c) {
        auto *button = Named(new QPushButton(QString::fromLatin1(commands[c].Caption)), commands[c].Name, key + 2 + c);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, GuardedSlot(commands[c].Run));
        grid->addWidget(button, c / 2, c % 2);
    }
    return grid;
}

void TTempSelF::SetPage(TPage page) { FPages->setCurrentIndex(page); }

int TTempSelF::TextureIndex() const { return FLists[TexturePage]->ItemIndex(); }

// --- Showing and hiding ---

TItem *TTempSelF::TargetState() const { return FApplyToState && Proj ? Proj->CurrentState() : nullptr; }

bool TTempSelF::Applying() const { return RenderAllowed() && TargetState(); }

void TTempSelF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    Guarded([this] {
        const QColor fon(ColorToQRgb(TColor(AppParam().FonColor)));
        for (TListBox *list : FLists) {
            QPalette palette = list->palette();
            palette.setColor(QPalette::Base, fon);
            list->setPalette(palette);
        }
        FEditTexture = TTextureBlock();
        FEditMaterial = TMaterialBlock();
        TShapeBlock shape;
        TDeformationBlock deformation;
        if (TItem *state = TargetState()) {
            const TButtonItem &look = state->ButtonItem;
            FSnapTexture = FEditTexture = look.Texture;
            FSnapMaterial = FEditMaterial = look.Material;
            FSnapShape = shape = look.Shape;
            FSnapDeformation = deformation = look.Deformation;
        }
        FApplied = false;
        const TRenderHold hold;
        FUseTexture->setChecked(false);
        FillLists();
        ApplyTexture();
        FMaterialName->clear();
        UpdateMaterial();
        FShapeEditor->Reset(shape);
        FDeformationEditor->Reset(deformation);
    });
}

void TTempSelF::FillLists()
{
    for (int page = 0; page < 4; ++page) {
        const TBaseTemplate &library = Library(TPage(page));
        TListBox &list = *FLists[size_t(page)];
        list.clear();
        for (int i = 0; i < library.Count(); ++i)
            list.addItem(FromAnsi(library.GetItem(i).Name));
    }
}

void TTempSelF::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    Guarded([this] {
        const bool drafting = FDraftState != nullptr;
        EndDraft();
        if (TItem *state = TargetState()) {
            const bool keep = result() == QDialog::Accepted;
            if (keep && FApplied)
                Proj->Modified = true;
            if (!keep)
                PutSnapshotBack(*state);
            if (!keep || drafting) {
                Proj->RenderCurrent();
                Host().DrawPreview();
            }
        }
    });
    Guarded([this] { SaveLibraries(); });
}

void TTempSelF::PutSnapshotBack(TItem &state)
{
    TButtonItem &look = state.ButtonItem;
    look.Texture = FSnapTexture;
    look.Material = FSnapMaterial;
    look.Shape = FSnapShape;
    look.Deformation = FSnapDeformation;
    state.Dirty = 1;
}

// Every library that differs from its file is written, and only those: a
// file another writer changed meanwhile stays as it is unless the library
// was changed here too. Each one that cannot be written is reported on a
// line of its own, as the changes would otherwise be lost at the end of the
// run; it is tried again at the next close.
void TTempSelF::SaveLibraries()
{
    TDisplayText failures;
    const auto save = [&](auto &library) {
        try {
            if (library.DiffersFromFile())
                library.SaveToFile();
        } catch (const EWriteError &e) {
            failures += (failures.Empty() ? "" : "\n") + e.Text();
        }
    };
    save(Proj->Textures);
    save(Proj->Materials);
    save(Proj->Shapes);
    save(Proj->Deformations);
    if (!failures.Empty())
        throw EWriteError(failures);
}

// --- Trying choices on the state ---

void TTempSelF::ApplyTexture()
{
    if (!Applying())
        return;
    TItem &state = *TargetState();
    state.ButtonItem.Texture.Enabled = FUseTexture->isChecked();
    std::copy(std::begin(FEditTexture.Texels), std::end(FEditTexture.Texels), state.ButtonItem.Texture.Texels);
    FApplied = true;
    Proj->RenderCurrent();
    Host().DrawPreview();
}

void TTempSelF::UpdateMaterial()
{
    {
        const TRenderHold hold;
        const TRGBA *colors[4] = {&FEditMaterial.Ambient, &FEditMaterial.Diffuse, &FEditMaterial.Specular,
                                  &FEditMaterial.Emission};
        for (size_t s = 0; s < 4; ++s) {
            FSwatchColors[s] = RGBAToColor(*colors[s]);
            ShowSwatchColor(*FSwatches[s], FSwatchColors[s]);
        }
        FShininess->setValue(FEditMaterial.Shininess);
    }
    if (!Applying())
        return;
    TargetState()->ButtonItem.Material = FEditMaterial;
    FApplied = true;
    Proj->RenderCurrent();
    Host().DrawPreview();
}

void TTempSelF::ApplyShape()
{
    ApplyGeometry([this](TItem &state) { state.ButtonItem.Shape = FShapeEditor->Shape(); });
}

void TTempSelF::ApplyDeformation()
{
    ApplyGeometry([this](TItem &state) { state.ButtonItem.Deformation = FDeformationEditor->Deformation(); });
}

// A new outline or profile is rendered in draft mode; the full render
// follows a second after the last change.
void TTempSelF::ApplyGeometry(const std::function<void(TItem &)> &write)
{
    if (!Applying())
        return;
    TItem &state = *TargetState();
    write(state);
    FApplied = true;
    FTimer.start();
    FDraftState = &state;
    state.SetDraft(true);
    state.Dirty = 1;
    Proj->RenderCurrent();
    Host().DrawPreview();
}

// Draft mode ends for the state that entered it, even when another state
// is current by now, so that no state stays coarse.
void TTempSelF::EndDraft()
{
    FTimer.stop();
    if (FDraftState)
        FDraftState->SetDraft(false);
    FDraftState = nullptr;
}

void TTempSelF::FullRender()
{
    EndDraft();
    if (Proj->CurrentState()) {
        Proj->RenderCurrent();
        Host().DrawPreview();
    }
}

// --- List commands of every page ---

void TTempSelF::DeleteEntry(TPage page)
{
    TListBox &list = *FLists[page];
    const int index = list.ItemIndex();
    if (index < 0) {
        Lang->ShowMessageBox(MsgSelectToDelete);
        return;
    }
    Library(page).Delete(index);
    delete list.takeItem(index);
    list.SetItemIndex(index - 1);
    if (page == TexturePage)
        ApplyTexture();
}

void TTempSelF::DeleteAllEntries(TPage page)
{
    if (Lang->ShowMessageBox(MsgDeleteAll) != idYes)
        return;
    Library(page).Clear();
    FLists[page]->clear();
}

// Swaps the selected entry with its neighbour above (step -1) or below.
void TTempSelF::MoveEntry(TPage page, int step)
{
    TListBox &list = *FLists[page];
    const int index = list.ItemIndex(), other = index + step;
    if (index < 0 || other < 0 || other >= list.count())
        return;
    Library(page).Exchange(index, other);
    QListWidgetItem *moved = list.takeItem(index);
    list.insertItem(other, moved);
    list.SetItemIndex(other);
}

// --- Texture page ---

bool TTempSelF::LoadPicture()
{
    if (!FPictureDialog->Execute())
        return false;
    LoadTextureFromFile(FEditTexture, FPictureDialog->FileName());
    return true;
}

void TTempSelF::UseTextureClick()
{
    if (!RenderAllowed())
        return;
    FEditTexture.Enabled = FUseTexture->isChecked();
    if (TextureIndex() >= 0)
        ApplyTexture();
}

void TTempSelF::TextureClick()
{
    FEditTexture = Proj->Textures.GetBlock(TextureIndex());
    ApplyTexture();
}

void TTempSelF::AddTexture()
{
    if (!LoadPicture())
        return;
    AddEntry(Proj->Textures, *FLists[TexturePage], FEditTexture, "");
    ApplyTexture();
}

void TTempSelF::ChangeTexture()
{
    const int index = EntryToChange(*FLists[TexturePage]);
    if (index < 0 || !LoadPicture())
        return;
    Proj->Textures.GetItem(index).Texture = FEditTexture;
    FLists[TexturePage]->viewport()->update();
    ApplyTexture();
}

// --- Material page ---

void TTempSelF::MaterialClick()
{
    const TMaterialItem &entry = Proj->Materials.GetItem(FLists[MaterialPage]->ItemIndex());
    FEditMaterial = entry.Material;
    UpdateMaterial();
    ShowProjectText(*FMaterialName, FromAnsi(entry.Name));
}

bool TTempSelF::TrimmedName(std::string &name)
{
    name = TrimBlanks(ToAnsi(FMaterialName->text()));
    ShowProjectText(*FMaterialName, FromAnsi(name));
    if (!name.empty())
        return true;
    Lang->ShowMessageBox(MsgNameMissing);
    return false;
}

void TTempSelF::AddMaterial()
{
    std::string name;
    if (!TrimmedName(name))
        return;
    AddEntry(Proj->Materials, *FLists[MaterialPage], FEditMaterial, name);
}

void TTempSelF::ChangeMaterial()
{
    TListBox &list = *FLists[MaterialPage];
    const int index = EntryToChange(list);
    std::string name;
    if (index < 0 || !TrimmedName(name))
        return;
    TMaterialItem &entry = Proj->Materials.GetItem(index);
    entry.Material = FEditMaterial;
    entry.Name = name;
    list.item(index)->setText(FromAnsi(name));
}

bool TTempSelF::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease)
        for (int s = 0; s < 4; ++s)
            if (watched == FSwatches[size_t(s)])
                Guarded([this, s] { SwatchReleased(s); });
    return QDialog::eventFilter(watched, event);
}

void TTempSelF::SwatchReleased(int swatch)
{
    const std::optional<uint32_t> chosen = CommonDialogs().Colour(uint32_t(FSwatchColors[size_t(swatch)]));
    if (!chosen)
        return;
    TRGBA *colors[4] = {&FEditMaterial.Ambient, &FEditMaterial.Diffuse, &FEditMaterial.Specular,
                        &FEditMaterial.Emission};
    *colors[swatch] = ColorToRGBA(TColor(*chosen));
    UpdateMaterial();
}

void TTempSelF::ShininessChanged()
{
    if (!RenderAllowed())
        return;
    FEditMaterial.Shininess = FShininess->value();
    UpdateMaterial();
}

// --- Shape and deformation pages ---

void TTempSelF::ShapeClick() { FShapeEditor->SetShape(Proj->Shapes.GetBlock(FLists[ShapePage]->ItemIndex())); }

void TTempSelF::DeformationClick()
{
    FDeformationEditor->SetDeformation(Proj->Deformations.GetBlock(FLists[DeformationPage]->ItemIndex()));
}

void TTempSelF::AddShape() { AddEntry(Proj->Shapes, *FLists[ShapePage], FShapeEditor->Shape(), ""); }

void TTempSelF::ChangeShape()
{
    const int index = EntryToChange(*FLists[ShapePage]);
    if (index < 0)
        return;
    Proj->Shapes.GetItem(index).Shape = FShapeEditor->Shape();
    FLists[ShapePage]->viewport()->update();
}

void TTempSelF::AddDeformation()
{
    AddEntry(Proj->Deformations, *FLists[DeformationPage], FDeformationEditor->Deformation(), "");
}

void TTempSelF::ChangeDeformation()
{
    const int index = EntryToChange(*FLists[DeformationPage]);
    if (index < 0)
        return;
    Proj->Deformations.GetItem(index).Deformation = FDeformationEditor->Deformation();
    FLists[DeformationPage]->viewport()->update();
}
