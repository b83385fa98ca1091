// The property panel area of the main window: the state panel (PropFr1), the
// button panel (PropFr2) and the project panel (PropFr3) stacked on one
// place, with the narrow PrevProp and NextProp buttons on either side that
// step between them. A panel is "on" while it is enabled; the one shown is
// the one on.
//
// Until the real panels are wired in, each place holds a plain TFrame of the
// panel's name. A panel is put in with SetPanel, together with how it loads
// itself from the current state, button or project.
#pragma once

#include "StockControls.h"

#include <QWidget>

#include <array>
#include <functional>

class QToolButton;

enum TPropPanel { ppState = 0, ppButton = 1, ppProject = 2 };

class TPropertyPanels : public QWidget {
    Q_OBJECT
public:
    explicit TPropertyPanels(QWidget *parent = nullptr);

    // Replaces the panel at its place; load fills it from the model.
    void SetPanel(TPropPanel which, TFrame *panel, std::function<void()> load);
    TFrame &Panel(TPropPanel which) const { return *FPanels[which].Frame; }

    // Enables and shows the panel, loading it first when asked.
    void ShowPanel(TPropPanel which, bool load = true);
    // Disables and hides it.
    void HidePanel(TPropPanel which);
    // Shows the panel disabled (the project panel while no project is open).
    void ShowDisabled(TPropPanel which);
    bool IsOn(TPropPanel which) const;

    QToolButton &PrevProp() const { return *FPrev; }
    QToolButton &NextProp() const { return *FNext; }

    // The stepping buttons: they never change the selection.
    void PrevPropClick();
    void NextPropClick();

    // Opens the state panel on one of its pages (0 text ... 6 shadow) without
    // reloading it: the page tabs inside the panel turn to it.
    void ShowStatePage(int page);

private:
    struct TPlace {
        TFrame *Frame = nullptr;
        std::function<void()> Load;
    };
    std::array<TPlace, 3> FPanels;
    QToolButton *FPrev;
    QToolButton *FNext;
    QWidget *FStack;
};
