// Two kinds of control whose kind decides how a form is translated: a frame
// (a panel of controls with its own language section, embedded in a form)
// and a flat speed button.
#pragma once

#include <QFrame>
#include <QToolButton>

class TFrame : public QFrame {
    Q_OBJECT
public:
    using QFrame::QFrame;
};

class TSpeedButton : public QToolButton {
    Q_OBJECT
public:
    using QToolButton::QToolButton;
};
