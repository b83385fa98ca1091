// What the engine asks of the window that shows it. The engine never opens a
// window itself: the main window implements this interface and registers
// itself with SetHost; tests register a fake. Until a host is registered the
// calls go to a silent default that shows nothing and has every switch off.
#pragma once

#include <QString>

class THost {
public:
    virtual ~THost() = default;

    // The main window's caption.
    virtual void SetCaption(const QString &caption) { (void)caption; }

    // The progress gauge of a long loop: maximum first, then the position
    // after each step, 0 at the end.
    virtual void SetProgressMax(int maximum) { (void)maximum; }
    virtual void SetProgress(int position) { (void)position; }

    // The preview: a change of an image size or a background colour asks
    // for the whole background to be refilled before the next DrawPreview.
    virtual void SetNeedBgRedraw() {}
    virtual void DrawPreview() {}

    // The three auto-copy switches: copy an edit into the other states of
    // the button, into all buttons, into the same state of all buttons.
    virtual bool AutoState() const { return false; }
    virtual bool AutoButton() const { return false; }
    virtual bool AutoButState() const { return false; }
};

// The registered host (the silent default when none is).
THost &Host();

// Registers a host; nullptr restores the silent default. The host must
// outlive its registration.
void SetHost(THost *host);
