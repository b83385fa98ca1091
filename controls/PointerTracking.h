// Whether the pointer is over a control, as the controls of the kit tell
// it: entering counts only while one of the program's windows is active,
// and leaving is held back while the left button is down on the control,
// until the button is released. Enter and leave alternate strictly.
#pragma once

#include <functional>

class QWidget;

class TPointerTracking {
public:
    // changed(true) runs on entering, changed(false) on leaving.
    TPointerTracking(QWidget &control, std::function<void(bool entered)> changed);

    bool MouseInControl() const { return FMouseInControl; }
    // The left button went down on the enabled control and is not yet up.
    bool Dragging() const { return FDragging; }
    void SetDragging(bool dragging) { FDragging = dragging; }

    // The window system says the pointer entered or left the control.
    void Entered();
    void Left();
    // A press on the enabled control: the pointer is over it, whether or not
    // its entering counted.
    void Pressed();
    // Looks again: the pointer is over the enabled control (itself the
    // control under the cursor, disabled or not) while one of the program's
    // windows is active.
    void Update();

private:
    void Change(bool inside);

    QWidget &FControl;
    std::function<void(bool)> FChanged;
    bool FMouseInControl = false;
    bool FDragging = false;
};
