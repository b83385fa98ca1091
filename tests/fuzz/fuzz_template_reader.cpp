// Damaged button-template files: opened without a crash, an overrun or an
// allocation beyond the file; every entry kept has its three pictures, and
// the template saves again. The input names the file as ButtonFiles.h
// describes.
#include "ButtonFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TButtonFiles &files = TButtonFiles::Instance();
    TProj &project = files.Project;
    TButtonFiles::WriteFile(TemplatesDir + "fuzz.btn", TButtonFiles::FileOf(files.ValidTemplate, data, size));
    project.OpenButtonTemplate("fuzz");
    for (int i = 0; i < project.ButtonTemplate.Count(); ++i)
        for (int k = 0; k < StateCount; ++k)
            if (project.ButtonTemplate.GetItem(i).GetThumbnail(k).isNull())
                std::abort();
    // A save that fails raises, which ends the run as a finding.
    project.ButtonTemplate.SaveToFile("saved.btn");
    return 0;
}
