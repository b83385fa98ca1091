// The program keeps every 8-bit string as bytes in its one code page,
// Windows-1251 (the charset its generated pages declare). Text crosses into
// Qt's Unicode strings only at the edge of the GUI, through these two calls.
#pragma once

#include <QString>
#include <string>

// Decodes 8-bit program text.
QString FromAnsi(const std::string &bytes);

// Encodes text for the program's 8-bit strings; characters the code page
// cannot hold become '?'.
std::string ToAnsi(const QString &text);
