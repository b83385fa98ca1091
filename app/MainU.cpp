#include "MainU.h"

#include "AboutBox.h"
#include "ActionList.h"
#include "Browser.h"
#include "ButtonCommands.h"
#include "ButtonPanel.h"
#include "CommandStates.h"
#include "CopyCommands.h"
#include "FileSystem.h"
#include "FormTranslation.h"
#include "CommonDialogs.h"
#include "GuardedCall.h"
#include "HelpContext.h"
#include "HelpWindow.h"
#include "LangSupU.h"
#include "MainDialogs.h"
#include "NotImplemented.h"
#include "PreviewImage.h"
#include "ProjU.h"
#include "ProjectCommands.h"
#include "ProjectPanel.h"
#include "ProjectTree.h"
#include "PropertyPanels.h"
#include "ScriptU.h"
#include "SettingsFile.h"
#include "StatePanel.h"
#include "StockControls.h"
#include "TemplatePanel.h"
#include "UtilsU.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

namespace {

QToolBar *MakeToolBar(const TActionList &actions, const TToolBarLayout &layout, QWidget *parent,
                      Qt::Orientation orientation = Qt::Horizontal)
{
    auto *toolBar = new QToolBar(parent);
    toolBar->setOrientation(orientation);
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(16, 16));
    actions.FillToolBar(*toolBar, layout);
    return toolBar;
}

// The main tool bar's buttons share a width, widened for a caption that
// needs more: a bar short of room squeezes its buttons down to their least
// width, and a narrower button cuts its caption short.
void FitButtonsToCaptions(QToolBar &bar)
{
    constexpr int SharedWidth = 97;
    for (QAction *action : bar.actions())
        if (QWidget *button = bar.widgetForAction(action); button && !action->isSeparator())
            button->setMinimumWidth(std::max(SharedWidth, button->sizeHint().width()));
}

QWidget *Panel(const char *name, QWidget *parent = nullptr)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    return panel;
}

template <typename Layout>
Layout *TightLayout(QWidget *owner)
{
    auto *layout = new Layout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

}  // namespace

TMainF::TMainF(QWidget *parent)
    : QMainWindow(parent), FActions(new TActionList(*this)),
      FPanels(new TPropertyPanels), FDialogs(std::make_unique<TMainDialogs>()), FHelp(new THelp(*this))
{
    setObjectName(QStringLiteral("MainF"));
    SetTag(*this, 1);
    SetHelpContext(*this, 1);
    setWindowTitle(QStringLiteral("Bright Lane"));
    resize(791, 581);
    setMinimumSize(500, 500);
    move(screen()->availableGeometry().center() - rect().center());
    SetHost(this);
    InstallNotImplementedBox();

    BuildMenus();
    ToolBar4 = MakeToolBar(*FActions, MainToolBar(), this);
    ToolBar4->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    addToolBar(Qt::TopToolBarArea, ToolBar4);

    auto *inPanel = new QSplitter(Qt::Horizontal);
    inPanel->setObjectName(QStringLiteral("InPanel"));
    inPanel->setChildrenCollapsible(false);
    inPanel->addWidget(BuildButtonsPanel());
    inPanel->addWidget(FPanels);
    inPanel->addWidget(BuildTemplatePanel());
    inPanel->setStretchFactor(2, 1);
    inPanel->setSizes({205, 229, 357});

    Splitter1 = new QSplitter(Qt::Vertical);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    Splitter1->setHandleWidth(3);
    Splitter1->addWidget(inPanel);
    Splitter1->addWidget(BuildOutPanel());
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setSizes({260, 269});
    setCentralWidget(Splitter1);
    BuildStatusStrip();

    WireEditing();
    FStates = std::make_unique<TCommandStates>(*FActions, *FPanels);
    FTree = new TProjectTree(*TreeView1, *FStates, *FPanels);
    connect(TreeView1, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        auto *menu = FActions->MakeMenu(TreeMenu(), this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(TreeView1->viewport()->mapToGlobal(at));
    });
    FProjectCommands = std::make_unique<TProjectCommands>(*this);
    FButtonCommands = std::make_unique<TButtonCommands>(*this);
    FTemplates = new TTemplatePanel(*this);
    SetTemplatePanel(FTemplates);
    WireViewCommands();
    WirePropertyCommands();
    WireHelpCommands();

    // Creation, in this order.
    FDialogs->SetInitialFolders();
    FStates->DisableAll();
    Param() = LoadSettings(AppDir + SettingsFileName, FUnreadSettings);
    Lang = std::make_unique<TLanguage>();
    if (!Param().LangFile.empty()) {
        Lang->SetBuiltIn(false);
        Lang->LoadFromFile(Param().LangFile);
    }
    TranslateAll();
    FPreview->SetNeedBgRedraw();
    Proj = new TProj;
    Guarded([] { Proj->InitGL(); });
    PropFr1->FillTemplateLists();
    FTree->BuildTree();
    DrawPreview();
    FTemplates->LoadTemplateTabs();
}

TMainF::~TMainF()
{
    delete Proj;
    Proj = nullptr;
    Lang = std::make_unique<TLanguage>();
    SetNotImplementedHook(nullptr);
    SetHost(nullptr);
}

TParam &TMainF::Param() const { return AppParam(); }

void TMainF::BuildMenus()
{
    for (const TMenuLayout &menu : MainMenus())
        menuBar()->addMenu(FActions->MakeMenu(menu, menuBar()));
}

QWidget *TMainF::BuildButtonsPanel()
{
    // Narrow enough that the tree, the property panel and the template panel
    // fit side by side in the window's least width.
    QWidget *panel = Panel("ButtonsPanel");
    panel->setMinimumWidth(140);
    ToolBar1 = MakeToolBar(*FActions, ButtonToolBar(), panel);
    ToolBar2 = MakeToolBar(*FActions, BufferToolBar(), panel, Qt::Vertical);
    TreeView1 = new TProjectTreeView(panel);
    auto *below = new QHBoxLayout;
    below->setSpacing(0);
    below->addWidget(ToolBar2);
    below->addWidget(TreeView1, 1);
    auto *layout = TightLayout<QVBoxLayout>(panel);
    layout->addWidget(ToolBar1);
    layout->addLayout(below, 1);
    return panel;
}

QWidget *TMainF::BuildTemplatePanel()
{
    QWidget *panel = Panel("TempPanel");
    ToolBar3 = MakeToolBar(*FActions, ::TemplateToolBar(), panel);
    // The template tool bar's move buttons are translated by their own tags.
    SetTag(*ToolBar3->widgetForAction(&(*FActions)["MoveTempUp"]), 4010);
    SetTag(*ToolBar3->widgetForAction(&(*FActions)["MoveTempDown"]), 4011);
    FTempLayout = TightLayout<QVBoxLayout>(panel);
    FTempLayout->addWidget(ToolBar3);
    FTemplatePanel = Panel("TabControl1");
    FTempLayout->addWidget(FTemplatePanel, 1);
    return panel;
}

void TMainF::SetTemplatePanel(QWidget *panel)
{
    // The layout hands back the placeholder's item, which is ours to free.
    delete FTempLayout->replaceWidget(FTemplatePanel, panel);
    delete FTemplatePanel;
    FTemplatePanel = panel;
}

QWidget *TMainF::BuildOutPanel()
{
    auto *outPanel = new QSplitter(Qt::Horizontal);
    outPanel->setObjectName(QStringLiteral("OutPanel"));
    outPanel->setChildrenCollapsible(false);
    outPanel->setHandleWidth(2);
    outPanel->setMinimumHeight(250);

    QWidget *drawPanel = Panel("DrawPanel");
    drawPanel->setMinimumSize(300, 250);
    FPreview = new TPreviewImage(drawPanel);
    TightLayout<QVBoxLayout>(drawPanel)->addWidget(FPreview);

    QWidget *webPanel = Panel("WebPanel");
    FBrowser = MakeBrowser(webPanel);
    FBrowser->setObjectName(QStringLiteral("WebBrowser1"));
    FBrowser->setFocusPolicy(Qt::NoFocus);
    TightLayout<QVBoxLayout>(webPanel)->addWidget(FBrowser);

    outPanel->addWidget(drawPanel);
    outPanel->addWidget(webPanel);
    outPanel->setStretchFactor(1, 1);
    outPanel->setSizes({300, 491});
    return outPanel;
}

void TMainF::BuildStatusStrip()
{
    QWidget *progressPanel = Panel("ProgressPanel");
    progressPanel->setFixedWidth(202);
    Gauge1 = new QProgressBar(progressPanel);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setTextVisible(false);
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    Gauge1->setMaximumHeight(15);
    Gauge1->setStyleSheet(QStringLiteral("QProgressBar { border: 1px solid palette(mid); background: palette(button); }"
                                         "QProgressBar::chunk { background: navy; }"));
    TightLayout<QVBoxLayout>(progressPanel)->addWidget(Gauge1);
    statusBar()->setObjectName(QStringLiteral("StatusPanel"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addPermanentWidget(progressPanel);
}

void TMainF::WireViewCommands()
{
    const std::pair<const char *, QToolBar *> toggles[] = {
        {"PanelView1", ToolBar4}, {"PanelView2", ToolBar1}, {"PanelView3", ToolBar3}, {"PanelView5", ToolBar2}};
    // Each toggle's check mark shows whether its tool bar is shown, however
    // the bar came to be shown or hidden.
    for (const auto &[name, toolBar] : toggles) {
        QToolBar *bar = toolBar;
        QAction *toggle = &(*FActions)[name];
        toggle->setChecked(!bar->isHidden());
        FActions->OnExecute(name, [bar, toggle] { bar->setVisible(toggle->isChecked()); });
        connect(bar->toggleViewAction(), &QAction::toggled, toggle, &QAction::setChecked);
        // The window's own tool-bar menu names a bar by its title: the
        // toggle's caption, in the language chosen.
        const auto takeCaption = [bar, toggle] { bar->setWindowTitle(toggle->iconText()); };
        takeCaption();
        connect(toggle, &QAction::changed, bar, takeCaption);
    }
    FActions->OnExecute("CloseApp", [this] { close(); });
}

void TMainF::WirePropertyCommands()
{
    for (const char *name : CommandGroup::Properties) {
        const int page = FindActionEntry(name)->Tag - 5001;
        FActions->OnExecute(name, [this, page] { FPanels->ShowStatePage(page); });
    }
}

void TMainF::WireHelpCommands()
{
    FActions->OnExecute("HelpCont", [this] { FHelp->Show(0); });
    FActions->OnExecute("AboutProg", [] { CommonDialogs().Exec(*AboutF); });
}

void TMainF::WireEditing()
{
    FPanels->SetPanel(ppState, PropFr1 = new TPropFr1, [this] { PropFr1->LoadFromState(); });
    FPanels->SetPanel(ppButton, PropFr2 = new TPropFr2, [this] { PropFr2->LoadFromButton(); });
    FPanels->SetPanel(ppProject, PropFr3 = new TPropFr3, [this] { PropFr3->LoadFromProj(); });
    FCopyCommands = new TCopyCommands(*PropFr1, this);
    FCopyCommands->ConnectActions([this](const char *name) { return &(*FActions)[name]; });
    connect(FCopyCommands, &TCopyCommands::bufferFilled, this,
            [this] { FActions->SetEnabled(CommandGroup::Paste, true); });
}

void TMainF::TranslateAll()
{
    TranslateForm(*this, *Lang);
    FitButtonsToCaptions(*ToolBar4);
    FTree->RetranslateRoot();
    PropFr1->ApplyLanguage();
    PropFr2->ApplyLanguage();
    PropFr3->ApplyLanguage();
    FTemplates->ApplyLanguage();
}

void TMainF::ApplyBackgroundColour()
{
    FTree->SetBackground(Param().FonColor);
    PropFr1->SetListColour(Param().FonColor);
    FTemplates->ApplyBackground();
}

// --- THost ---

void TMainF::SetCaption(const QString &caption) { setWindowTitle(caption); }

void TMainF::SetProgressMax(int maximum) { Gauge1->setMaximum(std::max(1, maximum)); }

void TMainF::SetProgress(int position)
{
    Gauge1->setValue(std::min(position, Gauge1->maximum()));
    // Long loops run on the GUI thread: paint the gauge now.
    Gauge1->repaint();
}

void TMainF::SetNeedBgRedraw() { FPreview->SetNeedBgRedraw(); }

void TMainF::DrawPreview() { FPreview->DrawPreview(); }

bool TMainF::AutoState() const { return (*FActions)["AutoState"].isChecked(); }
bool TMainF::AutoButton() const { return (*FActions)["AutoButton"].isChecked(); }
bool TMainF::AutoButState() const { return (*FActions)["AutoButState"].isChecked(); }

// --- Showing and closing ---

void TMainF::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (FShown)
        return;
    FShown = true;
    FormShow();
}

void TMainF::FormShow()
{
    ApplyBackgroundColour();
    // Settings that could not be read are said so before anything may
    // write them over with the defaults.
    if (!FUnreadSettings.Empty())
        ShowError(std::exchange(FUnreadSettings, {}));
    // Opening a project shows its page; without one the page of the empty
    // project is shown.
    Guarded([this] { FProjectCommands->OpenFromCommandLine(CommandLine); });
    if (!Proj->Opened)
        Guarded([this] { ShowPreviewPage(); });
}

void TMainF::ShowPreviewPage()
{
    WritePreviewPage(*Proj);
    FBrowser->Navigate(QUrl::fromLocalFile(QtFilePath(PageDir + "index.html")));
}

void TMainF::ShowEmptyPage() { FBrowser->Navigate(QUrl(QStringLiteral("about:blank"))); }

void TMainF::closeEvent(QCloseEvent *event)
{
    if (Proj && Proj->Opened)
        (*FActions)["CloseProject"].trigger();
    event->setAccepted(!Proj || !Proj->Opened);
}
