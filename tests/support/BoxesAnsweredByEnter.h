// Message boxes as the user meets them: each is the program's real modal
// box, it takes the focus when it appears, and Enter pressed then goes to
// whatever holds the focus, as a user's next key would. While an object
// lives it is the service in use. A box that never takes the focus fails
// the test and is closed, so a test never blocks.
#pragma once

#include "DialogMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

class TBoxesAnsweredByEnter : public IMessageBoxes {
public:
    TBoxesAnsweredByEnter() : FPrevious(SetMessageBoxes(this)) {}
    ~TBoxesAnsweredByEnter() override { SetMessageBoxes(FPrevious); }
    TBoxesAnsweredByEnter(const TBoxesAnsweredByEnter &) = delete;
    TBoxesAnsweredByEnter &operator=(const TBoxesAnsweredByEnter &) = delete;

    int Show(const TDisplayText &text, const std::string &title, TMsgButtons buttons, TMsgIcon icon) override
    {
        FShown.push_back(text.Bytes());
        const auto box = TDialogMessageBoxes::MakeBox(text, title, buttons, icon);
        FOwners.push_back(box->parentWidget());
        QTimer timer;
        int waited = 0;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (QApplication::activeModalWidget() == box.get() && box->isActiveWindow()) {
                timer.stop();
                // No widget named: the key goes to the focus window's focus
                // widget, carrying its character as X11 sends it.
                QTest::sendKeyEvent(QTest::Click, static_cast<QWidget *>(nullptr), Qt::Key_Return,
                                    QStringLiteral("\r"), Qt::NoModifier);
            } else if (++waited == 500) {
                timer.stop();
                ADD_FAILURE() << "the box never took the focus: " << text.Bytes();
                box->done(QMessageBox::Cancel);
            }
        });
        timer.start(10);
        return TDialogMessageBoxes::ButtonId(box->exec());
    }

    // The texts of the boxes shown, in order.
    const std::vector<std::string> &Shown() const { return FShown; }
    // The window each box belonged to.
    const std::vector<QWidget *> &Owners() const { return FOwners; }

private:
    IMessageBoxes *FPrevious;
    std::vector<std::string> FShown;
    std::vector<QWidget *> FOwners;
};
