#include "FileDialog.h"

#include "Exceptions.h"
#include "FileSystem.h"

#include <QFileInfo>

std::string ChosenFilePath(const QString &name, TFileRequest::TKind kind)
{
    const std::string path = FilePathBytes(name);
    if (!MayHideUndecodedBytes(name))
        return path;
    if (kind == TFileRequest::Open)
        throw CannotOpenFile(path, SNameNotUtf8);
    throw CannotSaveFile(path, SNameNotUtf8);
}

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
    return ChosenFilePath(FRequest.FileName, FRequest.Kind);
}

void TFileDialog::SetInitialDir(const std::string &folder)
{
    FRequest.InitialDir = QtFilePath(folder);
}
