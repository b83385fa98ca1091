// The boxes on an X display, seen and answered from outside as a window
// manager would: a box is a shown top-level window that is transient for
// another, and it is answered by its close box (WM_DELETE_WINDOW).
#pragma once

#include <QString>

struct xcb_connection_t;

class TDisplayBoxes {
public:
    explicit TDisplayBoxes(const QString &display);
    ~TDisplayBoxes();
    TDisplayBoxes(const TDisplayBoxes &) = delete;
    TDisplayBoxes &operator=(const TDisplayBoxes &) = delete;

    // Waits until a box is shown, at most timeoutMs.
    bool WaitForBox(int timeoutMs);
    // Whether every box shown now is transient for a shown window (not one
    // that is gone or hidden).
    bool OwnersShown();
    // Presses the close box of every box shown now.
    void CloseAll();

private:
    template <typename Visit>
    int ForEachBox(Visit visit);

    xcb_connection_t *FConnection = nullptr;
};
