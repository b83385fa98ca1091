#include "DialogMessageBoxes.h"

#include "Codepage.h"
#include "Exceptions.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>

namespace {

QMessageBox::StandardButtons StandardButtons(TMsgButtons buttons)
{
    switch (buttons) {
    case TMsgButtons::OK:
        return QMessageBox::Ok;
    case TMsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case TMsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon StandardIcon(TMsgIcon icon)
{
    switch (icon) {
    case TMsgIcon::Information:
        return QMessageBox::Information;
    case TMsgIcon::Question:
        return QMessageBox::Question;
    case TMsgIcon::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// The window a box is about: the modal dialog in use, else the window the
// user works in, else (at start-up, before any window is active) the main
// window. A box without one would belong to Qt's hidden leader window,
// which a window manager may stack below the main window.
QWidget *BoxOwner()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget *active = QApplication::activeWindow())
        return active;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow *>(window) && window->isVisible())
            return window;
    return nullptr;
}

}  // namespace

std::unique_ptr<QMessageBox> TDialogMessageBoxes::MakeBox(const TDisplayText &text,
                                                          const std::string &title,
                                                          TMsgButtons buttons, TMsgIcon icon)
{
    auto box = std::make_unique<QMessageBox>(StandardIcon(icon), FromAnsi(title), FromDisplayText(text),
                                             StandardButtons(buttons), BoxOwner());
    // Texts come from language files: markup in them is shown, not obeyed.
    box->setTextFormat(Qt::PlainText);
    box->setDefaultButton(buttons == TMsgButtons::OK ? QMessageBox::Ok : QMessageBox::Yes);
    return box;
}

int TDialogMessageBoxes::ButtonId(int pressed)
{
    switch (pressed) {
    case QMessageBox::Ok:
        return idOK;
    case QMessageBox::Yes:
        return idYes;
    case QMessageBox::No:
        return idNo;
    default:
        return idCancel;
    }
}

int TDialogMessageBoxes::Show(const TDisplayText &text, const std::string &title,
                              TMsgButtons buttons, TMsgIcon icon)
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        throw Exception("A message box cannot be answered on the offscreen platform: " + text);
    return ButtonId(MakeBox(text, title, buttons, icon)->exec());
}
