// The settings file: the stored fields of TParam in the sections "Common"
// and "Export". The mesh size is never stored; it starts at full size.
#pragma once

#include "DisplayText.h"
#include "ParamU.h"

#include <string>

// The settings file's name in the program's folder.
constexpr char SettingsFileName[] = "Brightlane.ini";

// Reads the settings from the file. A missing key, a missing or unreadable
// file, what is no regular file (read as missing, without waiting on it), a
// value that is no number and a number outside the field's range all give
// the field's default.
TParam LoadSettings(const std::string &fileName);
// The same, and when the file is there but could not be read, the message
// that says so in unreadable ('Cannot open file "<name>". <reason>'); it is
// left as it was otherwise.
TParam LoadSettings(const std::string &fileName, TDisplayText &unreadable);

// Writes every stored field into the file, keeping the file's other lines.
// Throws EIniFileException with the save error (the file's name and the
// system's reason) on failure, a file that is there but cannot be read
// included, and then leaves the file as it was.
void SaveSettings(const TParam &param, const std::string &fileName);
