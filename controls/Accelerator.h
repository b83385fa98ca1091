// The accelerator of a caption ("&Open" is Alt+O) for the kit's controls,
// which are no stock buttons or labels and grab it themselves.
#pragma once

class QString;
class QWidget;

// Releases the shortcut id the widget held (0: none) and, when wanted and
// the caption marks a letter, grabs that letter's accelerator. Returns the
// new id, 0 for none; the widget receives QEvent::Shortcut with it.
int RegrabAccelerator(QWidget &widget, int heldId, const QString &caption, bool wanted);
