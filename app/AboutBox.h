// The about box: the program's name and release as a link-styled label that
// lights up under the pointer, two lines about the program, and Ok.
#pragma once

#include <QDialog>

class QPushButton;
class TKitLabel;

class TAboutF : public QDialog {
    Q_OBJECT
public:
    explicit TAboutF(QWidget *parent = nullptr);

    TKitLabel &NameLabel() const { return *KitLabel2; }

private:
    // The look of the name label follows the pointer: blue with a hand over
    // it, the highlight colour otherwise.
    void KitLabel1MouseEnter();

    TKitLabel *KitLabel2;
    QPushButton *BitBtn1;
};

extern TAboutF *AboutF;
