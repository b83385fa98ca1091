// The program keeps every 8-bit string as bytes in its one code page,
// Windows-1251 (the charset its generated pages declare). Text crosses into
// Qt's Unicode strings only at the edge of the GUI, through these two calls.
#pragma once

#include "DisplayText.h"

#include <QString>
#include <string>

// Decodes 8-bit program text.
QString FromAnsi(const std::string &bytes);

// Encodes text for the program's 8-bit strings; characters the code page
// cannot hold become '?'.
std::string ToAnsi(const QString &text);

// A message as the user reads it: the program's text decoded from the code
// page, file names and the system's texts as the file system's names are
// decoded (as a window title shows a project's name).
QString FromDisplayText(const TDisplayText &text);
