// File names typed as text may stand in double quotes: the file-name edit
// encloses a name holding blanks in them, and Qt's file dialog takes typed
// names in them as a list. Neither can carry a double quote inside a name,
// so such a name is refused, everywhere in the same words.
#pragma once

#include "DisplayText.h"

class QString;

// The name without one pair of enclosing double quotes.
QString Unquoted(const QString &name);

// Whether a typed name holds a double quote besides one enclosing pair: a
// name that no file of ours can be told by.
bool HasQuoteInside(const QString &name);

// 'Invalid file name - <name>', the name as the file system holds it.
TDisplayText InvalidFileNameText(const QString &name);
