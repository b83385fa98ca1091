// Tests of file names as the file-name edit makes them.
#pragma once

class QString;

// Whether the path names an existing folder.
bool IsExistingDir(const QString &path);

// Whether the file system takes the name: not empty, no zero character, no
// part longer than 255 bytes, and no double quote, which the edit's own
// quoting of names with blanks could not carry.
bool IsValidFileName(const QString &name);
