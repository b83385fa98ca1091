// The two name dialogs: the button-name dialog (a new button's name, or the
// new name of a button or of a template entry) and the template-button-name
// dialog (the name under which the current button joins the open template).
// Each keeps a history of the names confirmed in it during this run.
#pragma once

#include <QDialog>
#include <QString>

#include <string>

class QComboBox;
class QLabel;
class QPushButton;

// The history of confirmed names: newest first, at most 8, duplicates and
// empty names kept.
constexpr int NameHistorySize = 8;

// A typed name without leading and trailing blanks and control characters,
// in the characters the program's code page holds.
QString TrimmedName(const QString &text);

class TNameDialog : public QDialog {
    Q_OBJECT
public:
    // Set before each showing: true to rename (the caller puts the current
    // name in), false to name something new (the dialog proposes a name).
    void SetRename(bool rename) { FRename = rename; }
    // Puts a name in the name box, whole even when it is longer than the
    // user may type.
    void SetName(const QString &name);
    // The name after the dialog closed with OK.
    QString Name() const;
    QStringList History() const;

protected:
    TNameDialog(const char *objectName, const char *caption, const char *prompt, int helpContext,
                QWidget *parent);
    // The proposal for a new name.
    virtual QString Proposal() const = 0;
    void showEvent(QShowEvent *event) override;

private:
    void OkClick();

    bool FRename = false;
    QLabel *Label1;
    QComboBox *ComboBox1;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;
};

// Proposes "Menu - <next button number>".
class TButtonF : public TNameDialog {
    Q_OBJECT
public:
    explicit TButtonF(QWidget *parent = nullptr);

protected:
    QString Proposal() const override;
};

// Proposes "Template - <next template button number>".
class TTempF : public TNameDialog {
    Q_OBJECT
public:
    explicit TTempF(QWidget *parent = nullptr);

protected:
    QString Proposal() const override;
};

extern TButtonF *ButtonF;
extern TTempF *TempF;
