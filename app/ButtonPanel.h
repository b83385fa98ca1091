// The button panel: the link, alternative text and target frame of the
// current button, and the image size, background colour and antialiasing,
// which it writes into all three states of the button at once. Every change
// marks the project modified; a change of the image re-renders the current
// state when one is selected.
#pragma once

#include "FileDialog.h"
#include "StockControls.h"

#include <functional>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class TButtons;
class TColourSwatch;
class TItem;
class TKitSpinEdit;

class TPropFr2 : public TFrame {
    Q_OBJECT
public:
    explicit TPropFr2(QWidget *parent = nullptr);

    // Translates the frame and refills the target list.
    void ApplyLanguage();
    // Shows the current button and its normal state; writes nothing.
    void LoadFromButton();

private:
    void BuildControls();
    void ConnectControls();
    // Runs a handler guarded, unless the panel is loading.
    template <typename Signal, typename Sender>
    void On(Sender *sender, Signal signal, std::function<void()> handler);
    // The current button after marking the project modified; nullptr (and
    // nothing marked) without one.
    TButtons *ChangedButton();
    // The image size, background or antialias flag of the three states.
    void ChangeStates(const std::function<void(TItem &)> &write);
    void ComboBox1Change();
    // The name of a file chosen in any folder, without the folder.
    std::optional<QString> ChosenFileName();

    QLineEdit *Edit1, *Edit2;
    TSpeedButton *SpeedButton1, *SpeedButton2;
    QComboBox *ComboBox1;
    TKitSpinEdit *SpinEdit2, *SpinEdit3;
    TColourSwatch *Shape1;
    QCheckBox *CheckBox5;
    TFileDialog OpenDialog1;
    bool FLoading = false;
};

// A target as stored: trimmed, and one of the four frame keywords in lower
// case whatever its letter case was.
std::string NormalisedTarget(const std::string &typed);
