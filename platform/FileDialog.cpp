#include "FileDialog.h"

#include "FileSystem.h"

#include <QFileInfo>

bool TFileDialog::Execute()
{
    const std::optional<QString> chosen = CommonDialogs().FileName(FRequest);
    if (!chosen)
        return false;
    FRequest.FileName = *chosen;
    FRequest.InitialDir = QFileInfo(*chosen).absolutePath();
    return true;
}

std::string TFileDialog::FileName() const
{
    return FilePathBytes(FRequest.FileName);
}

void TFileDialog::SetInitialDir(const std::string &folder)
{
    FRequest.InitialDir = QtFilePath(folder);
}
