#include "UtilsU.h"

#include "Codepage.h"
#include "DesktopAssociation.h"
#include "FileSystem.h"

#include <QSettings>

#include <filesystem>

std::string AppDir;
std::string TemplatesDir;
std::string ProjectsDir;
std::string HtmlPagesDir;
std::string LanguagesDir;
std::string PageDir;

const char *const ProgramFileName = "brightlane";

void InitAppFolders(const std::string &appDir)
{
    AppDir = appDir;
    if (AppDir.empty() || AppDir.back() != '/')
        AppDir += '/';
    TemplatesDir = AppDir + "Templates/";
    ProjectsDir = AppDir + "Projects/";
    HtmlPagesDir = AppDir + "HtmlPages/";
    LanguagesDir = AppDir + "Languages/";
    PageDir = ProjectsDir;
    for (const std::string *folder : {&TemplatesDir, &ProjectsDir, &HtmlPagesDir, &LanguagesDir})
        CreateFolder(*folder);
    // Qt's dialogs keep what they remember (the file dialogs' history, the
    // custom colours) as per-user settings: here they stay beside the
    // program with its own, not shared by every copy of it.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QtFilePath(AppDir));
}

std::string ExecutableDir()
{
    // The link's bytes: a folder whose name is not UTF-8 stays that folder.
    std::error_code error;
    return ExtractFilePath(std::filesystem::canonical("/proc/self/exe", error).native());
}

std::string FileNameNoExt(const std::string &fileName)
{
    const std::string name = ExtractFileName(fileName);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string AnsiToFileName(const std::string &ansi)
{
    return FilePathBytes(FromAnsi(ansi));
}

static TDesktopAssociation ProjectAssociation()
{
    TDesktopAssociation association;
    association.MimeType = "application/x-brightlane-project";
    association.Comment = "BL project file";
    association.Pattern = "*.prj";
    association.DesktopId = "brightlane.desktop";
    association.AppName = "Bright Lane";
    association.Program = AppDir + ProgramFileName;
    association.Icon = AppDir + "Brightlane.ico";
    return association;
}

void SetProjectAssociation(bool registerIt)
{
    if (registerIt)
        WriteDesktopAssociation(ProjectAssociation());
    else
        RemoveDesktopAssociation(ProjectAssociation());
}

bool IsProjectAssociated()
{
    return IsDesktopAssociated(ProjectAssociation());
}
