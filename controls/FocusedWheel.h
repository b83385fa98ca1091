// The mouse wheel edits only the control that has the focus. Over a combo
// box, slider or spin box without it, the wheel passes on to what holds the
// control, so a user scrolling a long panel never changes a value on the
// way; nor does the wheel give such a control the focus.
#pragma once

class QWidget;

// Applies the rule to every combo box, slider and spin box in the widget,
// the widget itself included. Scroll bars keep the wheel: scrolling is
// their job.
void WheelEditsOnlyFocused(QWidget &root);
