// The program's help: a short guide bundled with the program, one anchor per
// help context, shown in a help window of its own. "Help contents" opens it
// at the start; F1 opens it at the context of the command highlighted in an
// open menu, else of the focused control, or of the nearest window or panel
// round it that has one. The help window belongs to the modal dialog in use,
// if any, else to the main window: a modal dialog leaves input to its own
// child windows only, and a window manager keeps a child window over its
// parent. When the dialog it belongs to closes, it stays open and moves to
// the window under that dialog.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

class QWidget;

class THelp : public QObject {
    Q_OBJECT
public:
    // Watches for F1 in every window of the program while it lives.
    explicit THelp(QWidget &owner);
    ~THelp() override;

    // Shows the guide at the context's section (0: the contents).
    void Show(int context);
    // The page and anchor of a context.
    static QUrl ContextUrl(int context);
    QTextBrowser *Window() const { return FBrowser; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The window the help window belongs to now.
    QWidget &HelpParent() const;
    // The help window, closed by Esc and Ctrl+W.
    void MakeWindow(QWidget &parent);
    // The context F1 asks for over the widget the key came to; a menu
    // whose command answers is closed, so the guide can be read.
    int ContextOfKey(QWidget &target) const;
    // The shown help window goes on, where it is, over the window under
    // the dialog it belonged to, which is closing.
    void LeaveClosingParent(QWidget &closing);

    QWidget &FOwner;
    // Goes with a dialog that is deleted while it is the parent.
    QPointer<QTextBrowser> FBrowser;
};
