// See-through controls: what lies behind a control, painted into it.
#pragma once

class QPainter;
class QWidget;

// Paints into the control's painter what its parent shows under the
// control's rectangle: the parent's background and its own painting, then
// the visible siblings that stand before the control in the parent's list
// (those below it) where they overlap it. Siblings after the control are
// left out, and so is the control itself. Nothing happens for a control
// without a parent.
void PaintParentBackground(QWidget *control, QPainter &painter);
