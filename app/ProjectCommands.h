// The File commands of the main window: new, open, save and close a
// project, export the current state, export every image, write pages and
// the preview; and the opening of a project named on the command line.
//
// A project that fails to open or save raises an Exception saying why (the
// handler's guard shows it); no project stays open after a failed open.
#pragma once

#include <string>
#include <vector>

class TMainF;

class TProjectCommands {
public:
    // Wires the commands to their actions.
    explicit TProjectCommands(TMainF &window);

    void NewProjectExecute();
    void OpenProjectExecute();
    // Asks "Save changes?" for a modified project; the project stays open on
    // Cancel and whenever Yes did not save it.
    void CloseProjectExecute();
    void SaveProjectExecute();
    void SaveProjectAsExecute();
    void ExportImgExecute();
    void BatchExportExecute();
    void SaveHTMLExecute();
    void QuickSaveExecute();
    void MakeHtmlExecute();

    // Opens the project named by the program's first argument (its bytes as
    // the process got them), when its extension is ".prj" in any case; a
    // relative path is taken from the working folder.
    void OpenFromCommandLine(const std::vector<std::string> &arguments);
    // Opens a project file with no project open.
    void OpenProjectFile(const std::string &fileName);

private:
    // With a project open: "Close current project?" and the close itself;
    // false when a project is still open afterwards.
    bool CloseCurrentProject();
    // Renders the current state anew at full quality, so nothing written
    // shows a draft or another picture left in the shared render buffer.
    void RenderFinal();
    void SavePage(bool pageOnly);

    TMainF &FWindow;
};
