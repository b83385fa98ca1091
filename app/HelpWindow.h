// The program's help: a short guide bundled with the program, one anchor per
// help context, shown in a help window of its own. "Help contents" opens it
// at the start; F1 opens it at the context of the focused control, or of the
// nearest window or panel round it that has one.
#pragma once

#include <QObject>
#include <QUrl>

class QTextBrowser;
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
    // The help window, closed by Esc and Ctrl+W.
    void MakeWindow();

    QWidget &FOwner;
    QTextBrowser *FBrowser = nullptr;
};
