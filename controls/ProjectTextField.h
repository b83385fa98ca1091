// A single-line field whose text goes into the project. The project keeps
// its texts as one line of bytes in the program's code page, so the field
// takes what the user types or pastes as the project will keep it: every
// character the field shows as a blank (a line break, a tab, any other
// control character) becomes that blank, and a character the code page
// lacks is refused, a key as a paste (the paste whole, so that no text is
// kept with letters silently missing). The field, the drawing and the file
// then read alike.
#pragma once

class QLineEdit;
class QString;

// Filters what the user enters into the field from now on.
void TakeProjectText(QLineEdit &field);

// Shows a text the project holds as it is: a file from before the filter
// may hold control characters, which the field shows as blanks and the
// project keeps until the user edits the text.
void ShowProjectText(QLineEdit &field, const QString &text);

// Replaces the field's text as a paste would: refused whole when it holds
// a character the code page lacks.
void EnterProjectText(QLineEdit &field, const QString &text);
