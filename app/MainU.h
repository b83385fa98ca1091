// The main window: its layout, the fields other parts of the program reach
// through it (settings, progress gauge, auto-copy switches, preview) and the
// wiring of its parts. The commands live in classes of their own, each
// handed the actions it serves.
#pragma once

#include "DisplayText.h"
#include "HostU.h"

#include <QMainWindow>

#include <memory>

class QProgressBar;
class QSplitter;
class QToolBar;
class QVBoxLayout;
class TActionList;
class TBrowser;
class TCommandStates;
class TButtonCommands;
class TCopyCommands;
class THelp;
class TMainDialogs;
class TProjectCommands;
class TPreviewImage;
class TProjectTree;
class TProjectTreeView;
class TTemplatePanel;
class TPropertyPanels;
class TPropFr1;
class TPropFr2;
class TPropFr3;
struct TParam;

class TMainF : public QMainWindow, public THost {
    Q_OBJECT
public:
    // Creation: folders of the file dialogs, no command of a project,
    // settings, language, translation, Proj and its rendering context, the
    // tree and the preview.
    explicit TMainF(QWidget *parent = nullptr);
    ~TMainF() override;

    TParam &Param() const;
    TActionList &Actions() const { return *FActions; }
    TCommandStates &States() const { return *FStates; }
    TProjectTree &Tree() const { return *FTree; }
    TPropertyPanels &Panels() const { return *FPanels; }
    TPreviewImage &Preview() const { return *FPreview; }
    TBrowser &Browser() const { return *FBrowser; }
    TMainDialogs &Dialogs() const { return *FDialogs; }
    TProjectCommands &ProjectCommands() const { return *FProjectCommands; }
    THelp &Help() const { return *FHelp; }
    QProgressBar &Gauge() const { return *Gauge1; }

    // The template panel's place, below its tool bar; SetTemplatePanel puts
    // the real panel in place of the placeholder.
    QToolBar &TemplateToolBar() const { return *ToolBar3; }
    TTemplatePanel &Templates() const { return *FTemplates; }
    void SetTemplatePanel(QWidget *panel);

    // THost
    void SetCaption(const QString &caption) override;
    void SetProgressMax(int maximum) override;
    void SetProgress(int position) override;
    void SetNeedBgRedraw() override;
    void DrawPreview() override;
    bool AutoState() const override;
    bool AutoButton() const override;
    bool AutoButState() const override;

    // The first showing: lists take the background colour, a settings file
    // that could not be read is reported, the project named on the command
    // line is opened, the preview page is written and the browser goes to
    // it.
    void FormShow();
    // The program's arguments, as the bytes the process got them in (main
    // sets them).
    std::vector<std::string> CommandLine;
    // Writes the preview page of the project as it is now and shows it in
    // the browser.
    void ShowPreviewPage();
    // The browser shows an empty page (no project is open).
    void ShowEmptyPage();
    // The lists take the settings' background colour.
    void ApplyBackgroundColour();
    // Translates the window, the tree's project node and the panels, whose
    // lists are refilled in the language: at creation and after a change of
    // the language.
    void TranslateAll();

protected:
    void showEvent(QShowEvent *event) override;
    // Closing closes the project first (asking to save); the window stays
    // while a project is open.
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildMenus();
    QWidget *BuildButtonsPanel();
    QWidget *BuildTemplatePanel();
    QWidget *BuildOutPanel();
    void BuildStatusStrip();
    void WireViewCommands();
    void WirePropertyCommands();
    void WireHelpCommands();
    // The state, button and project panels in their places, and the copy commands.
    void WireEditing();

    TActionList *FActions;
    TPropertyPanels *FPanels;
    TPropFr1 *PropFr1 = nullptr;
    TPropFr2 *PropFr2 = nullptr;
    TPropFr3 *PropFr3 = nullptr;
    TCopyCommands *FCopyCommands = nullptr;
    TProjectTreeView *TreeView1 = nullptr;
    TProjectTree *FTree = nullptr;
    std::unique_ptr<TCommandStates> FStates;
    std::unique_ptr<TMainDialogs> FDialogs;
    std::unique_ptr<TProjectCommands> FProjectCommands;
    std::unique_ptr<TButtonCommands> FButtonCommands;
    THelp *FHelp = nullptr;
    TPreviewImage *FPreview = nullptr;
    TBrowser *FBrowser = nullptr;
    QProgressBar *Gauge1 = nullptr;
    QToolBar *ToolBar1 = nullptr;  // button commands
    QToolBar *ToolBar2 = nullptr;  // copy buffer
    QToolBar *ToolBar3 = nullptr;  // templates
    QToolBar *ToolBar4 = nullptr;  // main
    QVBoxLayout *FTempLayout = nullptr;
    QWidget *FTemplatePanel = nullptr;
    TTemplatePanel *FTemplates = nullptr;
    QSplitter *Splitter1 = nullptr;
    bool FShown = false;
    // The message of a settings file that is there but could not be read,
    // until it is shown.
    TDisplayText FUnreadSettings;
};
