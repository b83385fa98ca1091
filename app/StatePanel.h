// The state panel: the editor of the current state of a button, seven tabs
// (text, shape, deformation, material, light, texture, shadow). Every edit
// is written at once into the current state, marks the project modified,
// renders the state, redraws the preview and then copies the edited property
// group automatically (AutoCopy). Edits that cost much to render switch the
// state to draft mode; one second after the last edit the timer ends draft
// mode and renders the state at full quality.
#pragma once

#include "LibraryThumbnails.h"
#include "StockControls.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSlider;
class QTimer;
class TColorBox;
class TColourSwatch;
class TFlowTabs;
class TItem;
class TKitSpinEdit;
class TListBox;
class TLightItem;

class TPropFr1 : public TFrame {
    Q_OBJECT
public:
    // The pages of the tab control, in tab order.
    enum TPage { pgTextPage, pgShapePage, pgDeformationPage, pgMaterialPage, pgLightPage, pgTexturePage, pgShadowPage };
    // The template library dialog's pages that the "Advanced >>" buttons open.
    enum TLibraryPage { lpTextures = 0, lpShapes = 2, lpDeformations = 3 };

    explicit TPropFr1(QWidget *parent = nullptr);

    // Shows the current state in every control; writes nothing and leaves
    // the project unmodified. The light number shown is kept.
    void LoadFromState();
    // Refills the four library lists, each with its first entry chosen;
    // "Use texture" shows the current state's texture switch.
    void FillTemplateLists();
    // Translates the frame and refills the two text-align lists.
    void ApplyLanguage();
    // The background of the three picture lists (the settings' colour).
    void SetListColour(uint32_t colour);
    void ShowPage(TPage page);

    // Ends the draft mode that an edit started, for the state it started
    // on, and stops the timer. Called when the selection leaves that state.
    void EndDraft();
    // The full-quality render one second after the last edit.
    void Timer1Timer();

    // After the template library dialog opened by an "Advanced >>" button
    // has closed: the lists are refilled, the texture list and "Use texture"
    // follow the dialog's texture choice and the state, and the tab's group
    // is copied automatically.
    void LibraryDialogClosed(TLibraryPage page, int textureRow);

signals:
    // An "Advanced >>" button asks for the template library dialog.
    void advancedRequested(TPropFr1::TLibraryPage page);

protected:
    // The panel goes when the selection leaves the state or the panels are
    // stepped: so does draft mode.
    void hideEvent(QHideEvent *event) override;

private:
    QWidget *BuildTextPage();
    QWidget *BuildListPage(TListBox *&list, const char *listName, TLibraryKind kind, const char *buttonName,
                           int buttonTag);
    QWidget *BuildMaterialPage();
    QWidget *BuildLightPage();
    QWidget *BuildTexturePage();
    QWidget *BuildShadowPage();
    void ConnectTextPage();
    void ConnectLibraryPages();
    void ConnectMaterialPage();
    void ConnectLightPage();
    void ConnectShadowPage();

    // Runs an edit handler guarded, so that no error leaves the event loop.
    template <typename Signal, typename Sender>
    void On(Sender *sender, Signal signal, std::function<void()> handler);
    // A spin edit's change, with the number it holds; a text that is no
    // number yet (cleared, a lone sign) writes nothing.
    void OnNumber(TKitSpinEdit *spin, const std::function<void(double)> &handler);
    // Whether edits act now: rendering enabled and a state current.
    bool Editable() const;
    // The edit pattern: timer restart, draft for the costly edits,
    // Modified, the write, render, preview, automatic copy of the group.
    void Edit(int group, bool draft, const std::function<void(TItem &)> &write);
    void EnterDraft(TItem &state);
    // The state in draft mode, if any, leaves it; the timer is left alone.
    void LeaveDraft();
    // The light that the light tab shows, of the given state.
    TLightItem &CurLight(TItem &state) const;

    void SelectLight();
    void SetLightControlsEnabled(bool enabled);
    void SetShadowControlsEnabled();
    void LoadText(const TItem &state);
    void LoadMaterial(const TItem &state);
    void LoadShadow(const TItem &state);

    void SpeedButton1Click();
    void ComboBox3Change();
    void ListRowChosen(TListBox *list, const std::function<void(int row)> &handler);
    // Copies from the library entry of the row, if there is one, in an edit.
    template <typename Library, typename Copy>
    void ApplyEntry(const Library &library, int row, int group, Copy copy);
    void ApplyShape(int row);
    void ApplyDeformation(int row);
    void ApplyTexture(int row);
    void CheckBox2Click();
    void LightPositionChange();

    TFlowTabs *PageControl1;
    QTimer *Timer1;
    // Text
    QLineEdit *Edit1;
    QComboBox *ComboBox1, *ComboBox2;
    TKitSpinEdit *SpinEdit4, *SpinEdit5;
    TSpeedButton *SpeedButton1;
    QCheckBox *CheckBox5;
    // Shape, deformation, texture
    TListBox *ListBox2, *ListBox3, *ListBox1;
    QCheckBox *CheckBox2;
    // Material
    QComboBox *ComboBox3;
    TColourSwatch *Shape5, *Shape6, *Shape7, *Shape8;
    TKitSpinEdit *SpinEdit1;
    // Light
    QCheckBox *CheckBox1;
    TKitSpinEdit *SpinEdit100;
    TColourSwatch *Shape2, *Shape3, *Shape4;
    QSlider *TrackBar1, *TrackBar2, *TrackBar3;
    // Shadow
    QCheckBox *CheckBox6, *CheckBox7;
    TColorBox *ColorBox1, *ColorBox2;
    TKitSpinEdit *KitSpinEdit4, *KitSpinEdit5, *SpinEdit20, *SpinEdit21;

    TItem *FDraftState = nullptr;  // the state an edit switched to draft mode
};
