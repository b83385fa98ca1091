// The template library dialog: the four property libraries (textures,
// materials, shapes, deformations) on four pages, each with its list and the
// commands add, change, delete, delete all, move up and move down. Textures
// are made from bitmap files; materials are edited with colour swatches and
// the shininess; shapes and deformations with their editors.
//
// Opened for a state, every choice is tried on the current state at once
// (shape and deformation changes in draft mode, with a full render one second
// after the last change); "Ok" keeps what was tried, any other way of closing
// gives the state back exactly as it was. The libraries changed since their
// files were read or written are written to them whenever the dialog closes.
#pragma once

#include "PackedColor.h"
#include "SceneBlocks.h"

#include <QDialog>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <string>

class QCheckBox;
class QFrame;
class QLineEdit;
class QSpinBox;
class QTabWidget;
class QLayout;
class TDeformationEditor;
class TFileDialog;
class TItem;
class TListBox;
class TShapeEditor;

class TTempSelF : public QDialog {
    Q_OBJECT
public:
    enum TPage { TexturePage, MaterialPage, ShapePage, DeformationPage };

    explicit TTempSelF(QWidget *parent = nullptr);
    ~TTempSelF() override;

    // Set by the opener before every showing: try the choices on the
    // current state.
    void SetApplyToState(bool apply) { FApplyToState = apply; }
    void SetPage(TPage page);
    // The selected texture entry, -1 for none.
    int TextureIndex() const;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What differs from page to page: a click on the list, "Add", "Change".
    struct TPageHandlers {
        void (TTempSelF::*Click)();
        void (TTempSelF::*Add)();
        void (TTempSelF::*Change)();
    };
    static const TPageHandlers Handlers[4];

    // A page: the editor (if any) at the left, the library panel at the
    // right.
    QWidget *NewPage(TPage page, QWidget *editor, QWidget *title);
    QWidget *NewMaterialEditor();
    // The page's list with its title above, the arrows beside it and the
    // four commands below, wired to the page's handlers.
    QLayout *NewLibraryPanel(TPage page, QWidget *title);
    TListBox *NewLibraryList(TPage page);
    QLayout *NewCommands(TPage page);
    QFrame *NewSwatch(int swatch);

    // The list commands alike on every page.
    void DeleteEntry(TPage page);
    void DeleteAllEntries(TPage page);
    void MoveEntry(TPage page, int step);

    // The state that choices are tried on, or nullptr.
    TItem *TargetState() const;
    bool Applying() const;

    void FillLists();
    void ApplyTexture();
    void UpdateMaterial();
    void ApplyShape();
    void ApplyDeformation();
    void ApplyGeometry(const std::function<void(TItem &)> &write);
    void EndDraft();
    void FullRender();
    void PutSnapshotBack(TItem &state);
    void SaveLibraries();

    // Texture page
    bool LoadPicture();
    void UseTextureClick();
    void TextureClick();
    void AddTexture();
    void ChangeTexture();

    // Material page
    void MaterialClick();
    void AddMaterial();
    void ChangeMaterial();
    void SwatchReleased(int swatch);
    void ShininessChanged();
    // The name edit trimmed of blanks; message 11 and nothing when empty.
    bool TrimmedName(std::string &name);

    void ShapeClick();
    void DeformationClick();
    void AddShape();
    void ChangeShape();
    void AddDeformation();
    void ChangeDeformation();

    bool FApplyToState = false;
    bool FApplied = false;  // something was tried on the state this showing
    TItem *FDraftState = nullptr;
    TTextureBlock FSnapTexture, FEditTexture;
    TMaterialBlock FSnapMaterial, FEditMaterial;
    TShapeBlock FSnapShape;
    TDeformationBlock FSnapDeformation;

    QTabWidget *FPages;
    std::array<TListBox *, 4> FLists{};
    QCheckBox *FUseTexture;
    QLineEdit *FMaterialName;
    std::array<QFrame *, 4> FSwatches{};  // ambient, diffuse, specular, emission
    std::array<TColor, 4> FSwatchColors{};
    QSpinBox *FShininess;
    TShapeEditor *FShapeEditor;
    TDeformationEditor *FDeformationEditor;
    QTimer FTimer;
    std::unique_ptr<TFileDialog> FPictureDialog;
};

// The dialog, made once at start-up.
extern TTempSelF *TempSelF;
