// The template panel: a tab for each button template file of the templates
// folder behind a first tab that means "no template open", and the grid of
// the open template's buttons. Its commands make, rename and remove
// template files, add the current project button to the open template,
// rename, remove and reorder the template's buttons and copy a template
// button's looks onto the current project button. Every change is written
// to the template's file at once.
#pragma once

#include "FileDialog.h"

#include <QWidget>

#include <functional>
#include <optional>

class QAction;
class QTabBar;
class TTemplateGrid;

// The template commands, as the main window's action list holds them.
struct TTemplateActions {
    QAction *MakeTemplate;
    QAction *RemoveTemplate;
    QAction *RenameTemplate;
    QAction *AddButtonToTemp;
    QAction *DeleteButtonFromTemp;
    QAction *CopyPropFromTemp;
    QAction *RenameButtonInTemp;
    QAction *DeleteAllButtonFromTemp;
    QAction *MoveTempUp;
    QAction *MoveTempDown;
};

// What the panel asks of the main window.
struct TTemplateHooks {
    // The name for a new template button (the template-button-name dialog);
    // nothing on Cancel.
    std::function<std::optional<QString>()> NewButtonName;
    // A new name for the template button called current (the button-name
    // dialog, renaming); nothing on Cancel.
    std::function<std::optional<QString>(const QString &current)> Rename;
    // The project changed: the tree's selection is evaluated again.
    std::function<void()> SelectionChanged;
};

class TTemplatePanel : public QWidget {
    Q_OBJECT
public:
    TTemplatePanel(const TTemplateActions &actions, TTemplateHooks hooks, QWidget *parent = nullptr);

    QTabBar &Tabs() const { return *TabControl1; }
    TTemplateGrid &Grid() const { return *DrawGrid1; }

    // Lists the template files as tabs, sorted by name byte for byte, and
    // chooses the first tab.
    void LoadTemplateTabs();
    // Places the template name among the tabs in their order; equal names
    // go after their equals. Returns the new tab's index.
    int InsertTabSorted(const std::string &name);
    // The first tab's text and the grid's background follow the language
    // and the settings.
    void ApplyLanguage();
    void ApplyBackground();

    // The template-button commands that need a chosen template button.
    void DisableTemplateButtonActions();
    void EnableTemplateButtonActions();

private:
    void TabControl1Change();
    void UpdateRowCount();
    void UpdateTemplateGrid();
    void DrawGrid1Click();
    void ChooseTabQuietly(int index);
    std::string TabName(int index) const;
    // The template file a chosen path names, when its name is free;
    // otherwise says why and gives nothing.
    std::optional<std::string> FreeTemplatePath();
    void MoveTemplateButton(int step);

    void MakeTemplateExecute();
    void RemoveTemplateExecute();
    void RenameTemplateExecute();
    void AddButtonToTempExecute();
    void DeleteButtonFromTempExecute();
    void CopyPropFromTempExecute();
    void RenameButtonInTempExecute();
    void DeleteAllButtonFromTempExecute();

    TTemplateActions FActions;
    TTemplateHooks FHooks;
    TFileDialog SaveDialog3;
    bool FGridClickEnabled = true;
    QTabBar *TabControl1;
    TTemplateGrid *DrawGrid1;
};
