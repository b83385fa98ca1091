#include "Accelerator.h"

#include <QKeySequence>
#include <QWidget>

int RegrabAccelerator(QWidget &widget, int heldId, const QString &caption, bool wanted)
{
    if (heldId)
        widget.releaseShortcut(heldId);
    const QKeySequence accelerator = QKeySequence::mnemonic(caption);
    return wanted && !accelerator.isEmpty() ? widget.grabShortcut(accelerator) : 0;
}
