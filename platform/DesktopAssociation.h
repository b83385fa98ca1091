// Association of a file type with a program, the freedesktop way: a MIME
// package under $XDG_DATA_HOME/mime/packages/, a desktop entry under
// $XDG_DATA_HOME/applications/ and the default-application line in
// $XDG_CONFIG_HOME/mimeapps.list. The desktop's caches of the files that
// changed are refreshed with update-mime-database and update-desktop-database
// when they are installed, a change that failed included.
#pragma once

#include <string>

struct TDesktopAssociation {
    std::string MimeType;   // "application/x-..."
    std::string Comment;    // the file type's description
    std::string Pattern;    // glob of the file names, "*.ext"
    std::string DesktopId;  // "name.desktop"
    std::string AppName;    // the program's name in menus
    std::string Program;    // full path of the program (file-system bytes)
    std::string Icon;       // full path of its icon
};

// The file texts the association consists of.
std::string MimePackageText(const TDesktopAssociation &association);
std::string DesktopEntryText(const TDesktopAssociation &association);

// The Exec value that starts Program on one file: the path quoted and
// escaped as desktop entries require, then the file placeholder.
std::string DesktopExecValue(const std::string &program);

// Where the files lie under the current XDG folders.
std::string MimePackagePath(const TDesktopAssociation &association);
std::string DesktopEntryPath(const TDesktopAssociation &association);
std::string MimeAppsListPath();

// Writes the three pieces. A piece that cannot be written raises its save
// error once the pieces written before it are put back as they were (a file
// that was not there is deleted); a program, icon or file whose name is not
// UTF-8 is refused so before anything is written.
void WriteDesktopAssociation(const TDesktopAssociation &association);

// Removes our two files and our default-application line, nothing else.
// Every piece is tried; the first that cannot be removed then raises its
// error: "Cannot delete file" for a file, the save error for the line.
void RemoveDesktopAssociation(const TDesktopAssociation &association);

// True when all three pieces stored now equal what WriteDesktopAssociation
// would write.
bool IsDesktopAssociated(const TDesktopAssociation &association);
