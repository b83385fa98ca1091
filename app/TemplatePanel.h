// The template panel: a tab for each button template file of the templates
// folder behind a first tab that means "no template open", and the grid of
// the open template's buttons. Its commands make, rename and remove
// template files, add the current project button to the open template,
// rename, remove and reorder the template's buttons and copy a template
// button's looks onto the current project button. Every change is written
// to the template's file at once.
#pragma once

#include <QWidget>

#include <optional>
#include <string>

class QTabBar;
class TMainF;
class TTemplateGrid;

class TTemplatePanel : public QWidget {
    Q_OBJECT
public:
    // Takes the template commands of the window's action list.
    explicit TTemplatePanel(TMainF &window);

    QTabBar &Tabs() const { return *TabControl1; }
    TTemplateGrid &Grid() const { return *DrawGrid1; }

    // Lists the template files as tabs, sorted by name byte for byte, and
    // chooses the first tab.
    void LoadTemplateTabs();
    // Places the template name among the tabs in their order; equal names
    // go after their equals. Returns the new tab's index.
    int InsertTabSorted(const std::string &name);
    // A template is open: a tab other than the first is chosen.
    bool TemplateChosen() const;
    // The first tab's text and the grid's background follow the language
    // and the settings.
    void ApplyLanguage();
    void ApplyBackground();

private:
    void WireCommands();
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

    TMainF &FWindow;
    bool FGridClickEnabled = true;
    QTabBar *TabControl1;
    TTemplateGrid *DrawGrid1;
};
