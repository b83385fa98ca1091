// Translation of forms and frames by the tags of their controls.
//
// A control takes part through its number in the dynamic property "tag"
// (widgets and actions alike); 0 and negative numbers are never translated.
// The object name of a form or frame is its section in the language file.
// A form translates the controls it owns: its descendants, except those of
// the frames and other forms inside it, which translate themselves.
//
// A tagged control's caption becomes the text given for its tag, else the
// text it was built with; menus, actions and tool buttons also take that
// caption as hint. Each control keeps its built-in texts from its first
// translation on, so translating with the built-in language gives them back.
// Controls of other classes are left alone.
#pragma once

class QObject;
class QWidget;
class TFrame;
class ITextSource;

constexpr char TagProperty[] = "tag";

void SetTag(QObject &object, int tag);
// The object's tag, 0 when it has none.
int Tag(const QObject &object);

// Translates the form's own caption (by the form's tag), the main window's
// six menu-bar titles and the tagged labels, menus, actions, tab pages,
// tool bars, tool buttons, check boxes and push buttons it owns. With the
// built-in language it gives back the texts they were built with.
void TranslateForm(QWidget &form, const ITextSource &texts);

// As TranslateForm for the controls the frame owns, with speed buttons
// (caption only) besides; a frame has no caption and no menu bar.
void TranslateFrame(TFrame &frame, const ITextSource &texts);
