#include "TemplatePanel.h"

#include "ActionList.h"
#include "Codepage.h"
#include "CommandStates.h"
#include "CommonDialogs.h"
#include "Exceptions.h"
#include "FileSystem.h"
#include "GuardedCall.h"
#include "LangSupU.h"
#include "MainDialogs.h"
#include "MainU.h"
#include "MessageBoxes.h"
#include "NameDialogs.h"
#include "ParamU.h"
#include "ProjU.h"
#include "ProjectTree.h"
#include "TemplateGrid.h"
#include "UtilsU.h"

#include <QAction>
#include <QBoxLayout>
#include <QMenu>
#include <QSignalBlocker>
#include <QTabBar>
#include <exception>
#include <functional>

namespace {

constexpr int ClosedTabText = 9;  // interface string of the first tab
constexpr int DeleteAllQuestion = 2;
constexpr int DeleteButtonQuestion = 3;
constexpr int FileExistsError = 4;
constexpr int DeleteTemplateQuestion = 5;
constexpr int TemplateNameMissing = 11;
const char TemplateExt[] = ".btn";

// A tab shows its text as it is, without mnemonics.
QString TabText(const std::string &name)
{
    return QtFilePath(name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// The name typed in a name dialog; nothing on Cancel.
std::optional<QString> AskName(TNameDialog &dialog)
{
    if (CommonDialogs().Exec(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.Name();
}

// The widget's context menu: the items of the layout, opened once prepare
// has seen the point clicked.
void SetContextMenu(QWidget &widget, const TActionList &actions, const TMenuLayout &layout,
                    const std::function<void(const QPoint &)> &prepare = {})
{
    QMenu *menu = actions.MakeMenu(layout, &widget);
    widget.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&widget, &QWidget::customContextMenuRequested, menu, [&widget, menu, prepare](const QPoint &at) {
        if (prepare)
            prepare(at);
        menu->popup(widget.mapToGlobal(at));
    });
}

}  // namespace

TTemplatePanel::TTemplatePanel(TMainF &window) : FWindow(window)
{
    setObjectName(QStringLiteral("TemplatePanel"));
    TabControl1 = new QTabBar;
    TabControl1->setObjectName(QStringLiteral("TabControl1"));
    TabControl1->setExpanding(false);
    TabControl1->setUsesScrollButtons(true);
    DrawGrid1 = new TTemplateGrid;
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(TabControl1);
    layout->addWidget(DrawGrid1);
    // A right click chooses its tab first, as a left click does, so the
    // menu's commands act on the template clicked.
    SetContextMenu(*TabControl1, FWindow.Actions(), TemplateTabsMenu(), [this](const QPoint &at) {
        if (const int tab = TabControl1->tabAt(at); tab >= 0)
            TabControl1->setCurrentIndex(tab);
    });
    SetContextMenu(*DrawGrid1, FWindow.Actions(), TemplateGridMenu());
    FWindow.States().TemplateChosen = [this] { return TemplateChosen(); };

    connect(TabControl1, &QTabBar::currentChanged, this, [this] { Guarded([this] { TabControl1Change(); }); });
    // A click selects even the cell that is current already: the tree may
    // have taken the template button's commands away meanwhile.
    connect(DrawGrid1, &QTableWidget::currentCellChanged, this, [this] { DrawGrid1Click(); });
    connect(DrawGrid1, &QAbstractItemView::clicked, this, [this] { DrawGrid1Click(); });
    connect(DrawGrid1, &QTableWidget::cellDoubleClicked, this,
            [this] { Guarded([this] { CopyPropFromTempExecute(); }); });
    WireCommands();
    ApplyBackground();
}

void TTemplatePanel::WireCommands()
{
    TActionList &actions = FWindow.Actions();
    actions.OnExecute("MakeTemplate", [this] { MakeTemplateExecute(); });
    actions.OnExecute("RemoveTemplate", [this] { RemoveTemplateExecute(); });
    actions.OnExecute("RenameTemplate", [this] { RenameTemplateExecute(); });
    actions.OnExecute("AddButtonToTemp", [this] { AddButtonToTempExecute(); });
    actions.OnExecute("DeleteButtonFromTemp", [this] { DeleteButtonFromTempExecute(); });
    actions.OnExecute("CopyPropFromTemp", [this] { CopyPropFromTempExecute(); });
    actions.OnExecute("RenameButtonInTemp", [this] { RenameButtonInTempExecute(); });
    actions.OnExecute("DeleteAllButtonFromTemp", [this] { DeleteAllButtonFromTempExecute(); });
    actions.OnExecute("MoveTempUp", [this] { MoveTemplateButton(-1); });
    actions.OnExecute("MoveTempDown", [this] { MoveTemplateButton(1); });
}

bool TTemplatePanel::TemplateChosen() const
{
    return TabControl1->currentIndex() >= 1;
}

void TTemplatePanel::ApplyLanguage()
{
    if (TabControl1->count() > 0)
        TabControl1->setTabText(0, FromAnsi(Lang->GetInterfaceString(ClosedTabText)));
}

void TTemplatePanel::ApplyBackground()
{
    DrawGrid1->SetBackground(AppParam().FonColor);
}

void TTemplatePanel::LoadTemplateTabs()
{
    {
        const QSignalBlocker quiet(TabControl1);
        while (TabControl1->count() > 0)
            TabControl1->removeTab(0);
        TabControl1->addTab(QString());
        ApplyLanguage();
        // Only names the templates can be opened by: the extension as the
        // program writes it.
        for (const std::string &file : FileNamesIn(TemplatesDir, TemplateExt))
            InsertTabSorted(FileNameNoExt(file));
        TabControl1->setCurrentIndex(0);
    }
    FWindow.States().TemplateClosed();
}

std::string TTemplatePanel::TabName(int index) const
{
    return TabControl1->tabData(index).toByteArray().toStdString();
}

int TTemplatePanel::InsertTabSorted(const std::string &name)
{
    int index = 1;
    while (index < TabControl1->count() && TabName(index) <= name)
        ++index;
    const QSignalBlocker quiet(TabControl1);
    TabControl1->insertTab(index, TabText(name));
    TabControl1->setTabData(index, QByteArray::fromStdString(name));
    return index;
}

void TTemplatePanel::ChooseTabQuietly(int index)
{
    const QSignalBlocker quiet(TabControl1);
    TabControl1->setCurrentIndex(index);
}

void TTemplatePanel::TabControl1Change()
{
    const int tab = TabControl1->currentIndex();
    const bool open = TemplateChosen();
    TActionList &actions = FWindow.Actions();
    actions["RemoveTemplate"].setEnabled(open);
    actions["RenameTemplate"].setEnabled(open);
    actions["AddButtonToTemp"].setEnabled(open && Proj->CurrentButton());
    // A template that cannot be read says why, and its empty grid is shown.
    if (open)
        Guarded([&] { Proj->OpenButtonTemplate(TabName(tab) + TemplateExt); });
    else
        Proj->CloseButtonTemplate();
    DrawGrid1->setFocus();
    UpdateTemplateGrid();
}

// The rows change without the click logic; the current cell stays.
void TTemplatePanel::UpdateRowCount()
{
    FGridClickEnabled = false;
    DrawGrid1->UpdateRowCount();
    FGridClickEnabled = true;
}

void TTemplatePanel::UpdateTemplateGrid()
{
    UpdateRowCount();
    DrawGrid1Click();
}

void TTemplatePanel::DrawGrid1Click()
{
    if (!FGridClickEnabled)
        return;
    const int index = DrawGrid1->CurrentButton();
    if (index >= 0)
        FWindow.States().EnableTemplateButtonActions();
    else
        FWindow.States().DisableTemplateButtonActions();
    Proj->TemplateButtonIndex = index;
}

// The template file always lies in the templates folder, whatever folder
// the dialog ended in, so that is where the name must be free.
std::optional<std::string> TTemplatePanel::FreeTemplatePath()
{
    TFileDialog &dialog = FWindow.Dialogs().SaveDialog3;
    if (!dialog.Execute())
        return std::nullopt;
    const std::string name = TemplateNameOf(dialog.FileName());
    if (name.empty()) {
        Lang->ShowMessageBox(TemplateNameMissing);
        return std::nullopt;
    }
    if (FileExists(TemplatesDir + name + TemplateExt)) {
        Lang->ShowMessageBox(FileExistsError);
        return std::nullopt;
    }
    return dialog.FileName();
}

void TTemplatePanel::MakeTemplateExecute()
{
    const std::optional<std::string> path = FreeTemplatePath();
    if (!path || !Proj->NewButtonTemplate(*path))
        return;
    ChooseTabQuietly(InsertTabSorted(TemplateNameOf(*path)));
    TabControl1Change();
}

void TTemplatePanel::RemoveTemplateExecute()
{
    const int tab = TabControl1->currentIndex();
    if (tab < 1)
        return;
    if (Lang->ShowMessageBox(DeleteTemplateQuestion, "\"" + SystemText(TabName(tab)) + "\"") == idYes) {
        Proj->RemoveButtonTemplate();
        const QSignalBlocker quiet(TabControl1);
        TabControl1->removeTab(tab);
        TabControl1->setCurrentIndex(0);
    }
    TabControl1Change();
}

// The tab keeps its place until the tabs are listed again.
void TTemplatePanel::RenameTemplateExecute()
{
    const int tab = TabControl1->currentIndex();
    if (tab < 1)
        return;
    const std::optional<std::string> path = FreeTemplatePath();
    if (!path || !Proj->RenameButtonTemplate(*path))
        return;
    const std::string name = TemplateNameOf(*path);
    TabControl1->setTabText(tab, TabText(name));
    TabControl1->setTabData(tab, QByteArray::fromStdString(name));
}

void TTemplatePanel::AddButtonToTempExecute()
{
    TempF->SetRename(false);
    const std::optional<QString> name = AskName(*TempF);
    if (!name || !Proj->CurrentButton())
        return;
    std::exception_ptr unsaved;
    try {
        Proj->AddButtonToTemplate(ToAnsi(*name));
    } catch (const Exception &) {
        unsaved = std::current_exception();
    }
    // The pictures were rendered through the shared buffer, saved or not:
    // the current state is drawn into it again, so the preview never shows
    // a picture.
    Proj->RenderCurrent();
    UpdateRowCount();
    if (unsaved)
        std::rethrow_exception(unsaved);
}

void TTemplatePanel::DeleteButtonFromTempExecute()
{
    if (Proj->TemplateButtonIndex < 0 || Lang->ShowMessageBox(DeleteButtonQuestion) != idYes)
        return;
    Proj->DeleteTemplateButton();
    UpdateRowCount();
    FWindow.Tree().SelectionChanged();
}

void TTemplatePanel::RenameButtonInTempExecute()
{
    const int index = Proj->TemplateButtonIndex;
    if (index < 0 || index >= Proj->ButtonTemplate.Count())
        return;
    ButtonF->SetName(FromAnsi(Proj->ButtonTemplate.GetItem(index).Name));
    ButtonF->SetRename(true);
    const std::optional<QString> name = AskName(*ButtonF);
    if (!name)
        return;
    Proj->RenameTemplateButton(ToAnsi(*name));
    DrawGrid1->viewport()->update();
}

void TTemplatePanel::DeleteAllButtonFromTempExecute()
{
    if (Lang->ShowMessageBox(DeleteAllQuestion) != idYes)
        return;
    Proj->DeleteAllTemplateButtons();
    UpdateTemplateGrid();
    FWindow.Tree().SelectionChanged();
}

void TTemplatePanel::CopyPropFromTempExecute()
{
    if (!Proj->CurrentButton())
        return;
    Proj->CopyPropFromTemplate();
    FWindow.Tree().SelectionChanged();
}

// The grid's current cell moves with the button, without the click logic
// in between.
void TTemplatePanel::MoveTemplateButton(int step)
{
    const int index = Proj->TemplateButtonIndex;
    const int target = index + step;
    if (index < 0 || target < 0 || target >= Proj->ButtonTemplate.Count())
        return;
    if (step < 0)
        Proj->MoveTemplateButtonUp();
    else
        Proj->MoveTemplateButtonDown();
    FGridClickEnabled = false;
    DrawGrid1->SetCurrentButton(target);
    FGridClickEnabled = true;
    Proj->TemplateButtonIndex = target;
    DrawGrid1->viewport()->update();
}
