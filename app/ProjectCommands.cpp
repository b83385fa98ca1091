#include "ProjectCommands.h"

#include "ActionList.h"
#include "CommandStates.h"
#include "CommonDialogs.h"
#include "Codepage.h"
#include "Exceptions.h"
#include "ExportU.h"
#include "FileDialog.h"
#include "FileSystem.h"
#include "LangSupU.h"
#include "MainDialogs.h"
#include "MainU.h"
#include "MessageBoxes.h"
#include "ParamU.h"
#include "ProjU.h"
#include "ProjectTree.h"
#include "PropertyPanels.h"
#include "ScriptU.h"
#include "TerminationSignals.h"
#include "UtilsU.h"

TProjectCommands::TProjectCommands(TMainF &window) : FWindow(window)
{
    TActionList &actions = window.Actions();
    actions.OnExecute("NewProject", [this] { NewProjectExecute(); });
    actions.OnExecute("OpenProject", [this] { OpenProjectExecute(); });
    actions.OnExecute("CloseProject", [this] { CloseProjectExecute(); });
    actions.OnExecute("SaveProject", [this] { SaveProjectExecute(); });
    actions.OnExecute("SaveProjectAs", [this] { SaveProjectAsExecute(); });
    actions.OnExecute("ExportImg", [this] { ExportImgExecute(); });
    actions.OnExecute("BatchExport", [this] { BatchExportExecute(); });
    actions.OnExecute("SaveHTML", [this] { SaveHTMLExecute(); });
    actions.OnExecute("QuickSave", [this] { QuickSaveExecute(); });
    actions.OnExecute("MakeHtml", [this] { MakeHtmlExecute(); });
}

bool TProjectCommands::CloseCurrentProject()
{
    if (!Proj->Opened)
        return true;
    if (Lang->ShowMessageBox(0) != idYes)
        return false;
    CloseProjectExecute();
    return !Proj->Opened;
}

void TProjectCommands::NewProjectExecute()
{
    if (!CloseCurrentProject())
        return;
    FWindow.States().EnableProjectActions();
    Proj->NewProject();
    Proj->Settings.BackColor = AppParam().FonColor;
    TProjectTree &tree = FWindow.Tree();
    tree.BuildTree();
    tree.SelectQuietly(tree.RootNode());
    FWindow.Panels().ShowPanel(ppProject);
}

void TProjectCommands::OpenProjectExecute()
{
    if (!CloseCurrentProject())
        return;
    TFileDialog &dialog = FWindow.Dialogs().OpenDialog1;
    if (dialog.Execute())
        OpenProjectFile(dialog.FileName());
}

void TProjectCommands::OpenProjectFile(const std::string &fileName)
{
    Proj->OpenProject(fileName);
    if (!Proj->Opened) {
        FWindow.States().DisableAll();
        FWindow.Tree().BuildTree();
        FWindow.DrawPreview();
        throw Exception(Proj->LastError);
    }
    FWindow.States().EnableProjectActions();
    FWindow.Tree().BuildTree();
    FWindow.ShowPreviewPage();
}

void TProjectCommands::CloseProjectExecute()
{
    if (Proj->Modified) {
        const int answer = AskClosingQuestion(1);
        if (answer == idCancel)
            return;
        if (answer == idYes) {
            SaveProjectExecute();
            // A save-as that was cancelled leaves the changes unsaved.
            if (Proj->Modified)
                return;
        }
    }
    FWindow.States().DisableAll();
    Proj->CloseProject();
    FWindow.Tree().BuildTree();
    FWindow.DrawPreview();
    FWindow.ShowEmptyPage();
}

void TProjectCommands::SaveProjectExecute()
{
    if (!Proj->Opened)
        return;
    if (Proj->Untitled)
        SaveProjectAsExecute();
    else if (!Proj->SaveProject())
        throw Exception(Proj->LastError);
}

void TProjectCommands::SaveProjectAsExecute()
{
    TFileDialog &dialog = FWindow.Dialogs().SaveDialog1;
    if (Proj->Opened && dialog.Execute() && !Proj->SaveProjectAs(dialog.FileName()))
        throw Exception(Proj->LastError);
}

void TProjectCommands::RenderFinal()
{
    TItem *state = Proj->CurrentState();
    if (!state)
        return;
    state->SetDraft(false);
    state->Dirty = 1;
    Proj->RenderCurrent();
    FWindow.DrawPreview();
}

void TProjectCommands::ExportImgExecute()
{
    TFileDialog &dialog = FWindow.Dialogs().SaveDialog2;
    if (!Proj->CurrentState() || !dialog.Execute())
        return;
    RenderFinal();
    ExportImage(*Proj, dialog.FileName(), cmWhole);
}

void TProjectCommands::BatchExportExecute()
{
    const std::optional<QString> folder =
        CommonDialogs().FolderName(FromAnsi(Lang->GetInterfaceString(8)), QtFilePath(HtmlPagesDir));
    if (!folder)
        return;
    RenderFinal();
    BatchExportImages(*Proj, ChosenFilePath(*folder, TFileRequest::Save) + "/");
}

void TProjectCommands::SavePage(bool pageOnly)
{
    TFileDialog &dialog = FWindow.Dialogs().SaveDialog4;
    if (!dialog.Execute())
        return;
    RenderFinal();
    SaveNewPage(*Proj, dialog.FileName(), pageOnly);
}

void TProjectCommands::SaveHTMLExecute() { SavePage(false); }

void TProjectCommands::QuickSaveExecute() { SavePage(true); }

void TProjectCommands::MakeHtmlExecute()
{
    RenderFinal();
    FWindow.ShowPreviewPage();
}

void TProjectCommands::OpenFromCommandLine(const std::vector<std::string> &arguments)
{
    if (arguments.size() < 2 || !EndsWithExtension(arguments[1], ".prj", true))
        return;
    OpenProjectFile(AbsoluteFilePath(arguments[1]));
}
