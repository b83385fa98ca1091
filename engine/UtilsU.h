// The program's folders, the file-name helper that derives folder and file
// names from paths, and the association of project files with the program.
//
// Paths are file-system bytes (UTF-8 on Linux) and use "/" only; every folder
// string ends with "/". Texts of the language table are Windows-1251 and are
// turned into path bytes with AnsiToFileName before they become part of one.
#pragma once

#include <string>

extern std::string AppDir;        // folder of the program
extern std::string TemplatesDir;  // property libraries and button templates
extern std::string ProjectsDir;   // folder of the project opened last
extern std::string HtmlPagesDir;  // first folder of the page dialogs
extern std::string LanguagesDir;  // language files
extern std::string PageDir;       // folder of the current project's preview page

// Sets every folder from appDir (a missing trailing "/" is added) and creates
// the four sub-folders when they are missing; failures are ignored. Qt's
// per-user settings (its dialogs' memory) go to appDir too. Tests point it
// at a temporary folder.
void InitAppFolders(const std::string &appDir);

// The folder of the running executable, with a trailing "/".
std::string ExecutableDir();

// The file-name part of a path without its last extension:
// "/menus/site.old.prj" gives "site.old", ".prj" gives "".
std::string FileNameNoExt(const std::string &fileName);

// Path bytes of a Windows-1251 text (a language-table text used as a name).
std::string AnsiToFileName(const std::string &ansi);

// The name of the program file that the association starts.
extern const char *const ProgramFileName;

// Registers (true) or removes (false) the association of "*.prj" files with
// the program in AppDir, the desktop's way, in the user's XDG folders; a file
// that cannot be written or removed raises its save error.
void SetProjectAssociation(bool registerIt);

// True when the association stored now is exactly what SetProjectAssociation
// would write for the program in AppDir.
bool IsProjectAssociated();
