// The publish dialog: an existing page is loaded into an editor, the menu
// block goes in at the caret (as often as wanted), and Save writes the page
// back with the images of the blocks inserted since the last save. Each
// opening starts empty, with the focus in the file-name field; closing or
// loading another page after an unsaved insertion offers to save first.
#pragma once

#include "Gauge.h"
#include "PublishSession.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class TFilenameEdit;

class TPublishingF : public QDialog {
    Q_OBJECT
public:
    explicit TPublishingF(QWidget *parent = nullptr);

    // Opens the dialog modally, empty: every opening starts afresh (a
    // restore after minimizing is no opening and shows it as it was).
    void Open();

    // The page named (a relative name is taken in the file-name field's
    // folder: the pages folder until a page is chosen by browsing) replaces
    // the editor's text; a page that cannot be read changes nothing and
    // raises its error.
    void LoadPage(const QString &name);
    void InsertBlock();
    void SavePage();

    const TPublishSession &Session() const { return FSession; }
    TFilenameEdit &FileNameEdit() const { return *FilenameEdit1; }
    QPlainTextEdit &Editor() const { return *Memo1; }
    QPushButton &InsertButton() const { return *Button1; }
    QPushButton &SaveButton() const { return *Button2; }
    QPushButton &OkButton() const { return *BitBtn2; }

    // However the dialog closes (Ok, Esc, the close box), an unsaved
    // insertion is offered for saving while the dialog still shows; a save
    // that fails keeps it open with its text.
    void done(int result) override;

protected:
    // Esc presses Ok, like Enter: the dialog has nothing to cancel.
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The dialog's own progress bar as the image export's gauge.
    class TDialogGauge : public TGauge {
    public:
        explicit TDialogGauge(QProgressBar &bar) : FBar(bar) {}
        void SetMax(int maximum) override;
        void SetPosition(int position) override;

    private:
        QProgressBar &FBar;
    };

    void BuildLayout();
    void StartEmpty();
    // Loads the page that name gives, shown in the field as shown; when it
    // cannot be loaded (or name raises), the error is shown and the field
    // names again the page the editor holds. True when it loaded.
    bool LoadNamed(const std::function<QString()> &name, const QString &shown);
    // The name typed in the field. One with a double quote inside raises
    // 'Invalid file name - <text>', as the file dialogs refuse it: only a
    // pair around the whole name groups it.
    QString TypedName() const;
    void OkClick();
    TLines EditorLines() const;
    void SetEditorLines(const TLines &lines);
    void UpdateCaretLabels();
    void UpdateButtons();

    QLabel *Label1;
    TFilenameEdit *FilenameEdit1;
    QPushButton *Button1;
    QPushButton *Button2;
    QPushButton *BitBtn2;
    QPlainTextEdit *Memo1;
    QLabel *Label2, *Label3, *Label4, *Label5;
    QProgressBar *Gauge1;
    TDialogGauge FGauge;
    TPublishSession FSession;
    QString FLoadedName;  // the field's text that named the page loaded
};

extern TPublishingF *PublishingF;
