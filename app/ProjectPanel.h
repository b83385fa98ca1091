// The project panel: the page background colour, the menu alignment and
// orientation of the project. A new page colour can also go into the
// background of every state of every button.
#pragma once

#include "StockControls.h"

class QCheckBox;
class QComboBox;
class TColourSwatch;

class TPropFr3 : public TFrame {
    Q_OBJECT
public:
    explicit TPropFr3(QWidget *parent = nullptr);

    // Translates the frame and refills the two lists.
    void ApplyLanguage();
    // Shows the project's settings, with "Change button's background color"
    // checked every time.
    void LoadFromProj();

private:
    void Shape1MouseUp();

    TColourSwatch *Shape1;
    QCheckBox *CheckBox1;
    QComboBox *ComboBox1, *ComboBox2;
};
