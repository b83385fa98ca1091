// The question for a caption's font: the font's name, size and style as a
// font dialog offers them, and beside them the caption's colour and its
// character set, which a plain font dialog leaves out.
#pragma once

#include "CommonDialogs.h"

#include <QDialog>
#include <QFont>

class QComboBox;
class QFontDialog;
class QPushButton;

class TFontDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFontDialog(QWidget *parent = nullptr);

    void SetChoice(const TFontChoice &choice);
    TFontChoice Choice() const;

protected:
    void accept() override;

private:
    void ShowColour();
    void ChooseColour();
    void SelectCharset(uint8_t charset);

    QFontDialog *FFont;
    QPushButton *FColourButton;
    QComboBox *FCharset;
    uint32_t FColour = 0;
    TFontChoice FHeld;  // the caption as it came
    QFont FShown;       // how the dialog showed it
};
