// A framed patch of one colour that the user clicks to choose another: the
// colour question starts with the patch's colour, and a confirmed choice
// becomes the patch's colour.
#pragma once

#include "PackedColor.h"

#include <QFrame>

class TColourSwatch : public QFrame {
    Q_OBJECT
public:
    explicit TColourSwatch(QWidget *parent = nullptr);

    TColor Colour() const { return FColour; }
    void SetColour(TColor colour);

    // Asks for a colour; true when one was chosen (the patch then shows it).
    bool Choose();

    QSize sizeHint() const override;

signals:
    // The left button was released over the patch.
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    TColor FColour = 0;
};
