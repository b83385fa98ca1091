// A drop-down list of colours: the sixteen standard colours, four extended
// ones and a "Custom..." entry that asks for any colour through the
// common-dialogs service and then shows it. Colours are R + G shl 8 +
// B shl 16, as the settings and the scene model keep them.
#pragma once

#include <QComboBox>

#include <cstdint>

class TColorBox : public QComboBox {
    Q_OBJECT
public:
    explicit TColorBox(QWidget *parent = nullptr);

    uint32_t Selected() const;
    // Selects the colour's entry; a colour the list does not name becomes
    // the custom entry's colour. Emits nothing.
    void SetSelected(uint32_t colour);

signals:
    // The user chose a colour (never for SetSelected).
    void ColourChosen(uint32_t colour);

private:
    void ChooseEntry(int index);
    void SetCustomColour(uint32_t colour);

    int FLastIndex = -1;  // the entry shown before the user's choice
};
