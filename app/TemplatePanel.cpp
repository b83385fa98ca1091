#include "TemplatePanel.h"

#include "Codepage.h"
#include "FileSystem.h"
#include "GuardedCall.h"
#include "LangSupU.h"
#include "MessageBoxes.h"
#include "ParamU.h"
#include "ProjU.h"
#include "TemplateGrid.h"
#include "UtilsU.h"

#include <QAction>
#include <QBoxLayout>
#include <QDir>
#include <QSignalBlocker>
#include <QTabBar>

namespace {

constexpr int ClosedTabText = 9;  // interface string of the first tab
constexpr int DeleteAllQuestion = 2;
constexpr int DeleteButtonQuestion = 3;
constexpr int FileExistsError = 4;
constexpr int DeleteTemplateQuestion = 5;
const char TemplateExt[] = ".btn";

TFileRequest TemplateFileRequest()
{
    TFileRequest request;
    request.Kind = TFileRequest::Save;
    request.Filter = QStringLiteral("Template files (*.btn)|*.btn");
    request.DefaultExt = QStringLiteral("btn");
    return request;
}

// A tab shows its text as it is, without mnemonics.
QString TabText(const std::string &name)
{
    return QtFilePath(name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void Connect(QAction *action, QObject *receiver, const std::function<void()> &handler)
{
    QObject::connect(action, &QAction::triggered, receiver, [handler] { Guarded(handler); });
}

}  // namespace

TTemplatePanel::TTemplatePanel(const TTemplateActions &actions, TTemplateHooks hooks, QWidget *parent)
    : QWidget(parent), FActions(actions), FHooks(std::move(hooks)), SaveDialog3(TemplateFileRequest())
{
    setObjectName(QStringLiteral("TempPanel"));
    SaveDialog3.SetInitialDir(TemplatesDir);
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

    connect(TabControl1, &QTabBar::currentChanged, this, [this] { Guarded([this] { TabControl1Change(); }); });
    connect(DrawGrid1, &QTableWidget::currentCellChanged, this, [this] { DrawGrid1Click(); });
    connect(DrawGrid1, &QTableWidget::cellDoubleClicked, this,
            [this] { Guarded([this] { CopyPropFromTempExecute(); }); });

    Connect(FActions.MakeTemplate, this, [this] { MakeTemplateExecute(); });
    Connect(FActions.RemoveTemplate, this, [this] { RemoveTemplateExecute(); });
    Connect(FActions.RenameTemplate, this, [this] { RenameTemplateExecute(); });
    Connect(FActions.AddButtonToTemp, this, [this] { AddButtonToTempExecute(); });
    Connect(FActions.DeleteButtonFromTemp, this, [this] { DeleteButtonFromTempExecute(); });
    Connect(FActions.CopyPropFromTemp, this, [this] { CopyPropFromTempExecute(); });
    Connect(FActions.RenameButtonInTemp, this, [this] { RenameButtonInTempExecute(); });
    Connect(FActions.DeleteAllButtonFromTemp, this, [this] { DeleteAllButtonFromTempExecute(); });
    Connect(FActions.MoveTempUp, this, [this] { MoveTemplateButton(-1); });
    Connect(FActions.MoveTempDown, this, [this] { MoveTemplateButton(1); });
    ApplyBackground();
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
        const QStringList files = QDir(QtFilePath(TemplatesDir))
                                      .entryList({QStringLiteral("*.btn")},
                                                 QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive);
        for (const QString &file : files)
            InsertTabSorted(FileNameNoExt(FilePathBytes(file)));
        TabControl1->setCurrentIndex(0);
    }
    for (QAction *action : {FActions.RemoveTemplate, FActions.RenameTemplate, FActions.AddButtonToTemp,
                            FActions.DeleteButtonFromTemp, FActions.MoveTempUp, FActions.MoveTempDown,
                            FActions.CopyPropFromTemp})
        action->setEnabled(false);
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
    const bool open = tab >= 1;
    FActions.RemoveTemplate->setEnabled(open);
    FActions.RenameTemplate->setEnabled(open);
    FActions.AddButtonToTemp->setEnabled(open && Proj->CurrentButton());
    if (open)
        Proj->OpenButtonTemplate(TabName(tab) + TemplateExt);
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
        EnableTemplateButtonActions();
    else
        DisableTemplateButtonActions();
    Proj->TemplateButtonIndex = index;
}

void TTemplatePanel::DisableTemplateButtonActions()
{
    for (QAction *action : {FActions.MoveTempUp, FActions.MoveTempDown, FActions.CopyPropFromTemp,
                            FActions.RenameButtonInTemp, FActions.DeleteButtonFromTemp,
                            FActions.DeleteAllButtonFromTemp})
        action->setEnabled(false);
}

void TTemplatePanel::EnableTemplateButtonActions()
{
    FActions.CopyPropFromTemp->setEnabled(Proj->CurrentButton());
    for (QAction *action : {FActions.MoveTempUp, FActions.MoveTempDown, FActions.RenameButtonInTemp,
                            FActions.DeleteButtonFromTemp, FActions.DeleteAllButtonFromTemp})
        action->setEnabled(true);
}

// The template file always lies in the templates folder, whatever folder
// the dialog ended in, so that is where the name must be free.
std::optional<std::string> TTemplatePanel::FreeTemplatePath()
{
    if (!SaveDialog3.Execute())
        return std::nullopt;
    const std::string name = FileNameNoExt(SaveDialog3.FileName());
    if (name.empty())
        return std::nullopt;
    if (FileExists(TemplatesDir + name + TemplateExt)) {
        Lang->ShowMessageBox(FileExistsError);
        return std::nullopt;
    }
    return SaveDialog3.FileName();
}

void TTemplatePanel::MakeTemplateExecute()
{
    const std::optional<std::string> path = FreeTemplatePath();
    if (!path || !Proj->NewButtonTemplate(*path))
        return;
    ChooseTabQuietly(InsertTabSorted(FileNameNoExt(*path)));
    TabControl1Change();
}

void TTemplatePanel::RemoveTemplateExecute()
{
    const int tab = TabControl1->currentIndex();
    if (tab < 1)
        return;
    if (Lang->ShowMessageBox(DeleteTemplateQuestion) == idYes) {
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
    const std::string name = FileNameNoExt(*path);
    TabControl1->setTabText(tab, TabText(name));
    TabControl1->setTabData(tab, QByteArray::fromStdString(name));
}

void TTemplatePanel::AddButtonToTempExecute()
{
    const std::optional<QString> name = FHooks.NewButtonName();
    if (!name || !Proj->CurrentButton())
        return;
    Proj->AddButtonToTemplate(ToAnsi(*name));
    // The pictures were rendered through the shared buffer: the current
    // state is drawn into it again, so the preview never shows a picture.
    Proj->RenderCurrent();
    UpdateRowCount();
}

void TTemplatePanel::DeleteButtonFromTempExecute()
{
    if (Proj->TemplateButtonIndex < 0 || Lang->ShowMessageBox(DeleteButtonQuestion) != idYes)
        return;
    Proj->DeleteTemplateButton();
    UpdateRowCount();
    FHooks.SelectionChanged();
}

void TTemplatePanel::RenameButtonInTempExecute()
{
    const int index = Proj->TemplateButtonIndex;
    if (index < 0 || index >= Proj->ButtonTemplate.Count())
        return;
    const std::optional<QString> name = FHooks.Rename(FromAnsi(Proj->ButtonTemplate.GetItem(index).Name));
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
    FHooks.SelectionChanged();
}

void TTemplatePanel::CopyPropFromTempExecute()
{
    if (!Proj->CurrentButton())
        return;
    Proj->CopyPropFromTemplate();
    FHooks.SelectionChanged();
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
