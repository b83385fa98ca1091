// Damaged project files: opened without a crash, an overrun or an
// allocation beyond the file, saved again when they open, and closed whole.
// The input names the file as ButtonFiles.h describes.
#include "ButtonFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TButtonFiles &files = TButtonFiles::Instance();
    TProj &project = files.Project;
    const std::string name = ProjectsDir + "fuzz.prj";
    TButtonFiles::WriteFile(name, TButtonFiles::FileOf(files.ValidProject, data, size));
    project.OpenProject(name);
    if (project.Opened && !project.SaveProjectAs(ProjectsDir + "saved.prj"))
        std::abort();
    project.CloseProject();
    if (project.ButtonCount() != 0)
        std::abort();
    return 0;
}
