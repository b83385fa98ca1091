// The file-name edit: a combo edit whose button asks for a file through the
// common-dialogs service and puts the chosen name into the edit, enclosed
// in double quotes when it holds a blank. Files dropped on it give their
// name too, once the form turns AcceptFiles on (a new edit takes none).
#pragma once

#include "CommonDialogs.h"
#include "ComboEdit.h"
#include "Exceptions.h"

#include <functional>
#include <string>

// A name the file system refuses, given to the edit.
class EComboEditError : public Exception {
    using Exception::Exception;
};

class TFilenameEdit : public TCustomComboEdit {
    Q_OBJECT
public:
    explicit TFilenameEdit(QWidget *parent = nullptr);

    // The question the button asks: open or save, title ("Browse"), filter
    // ("All files (*.*)|*.*"), default extension, first folder, whether the
    // file must exist. The folder follows each chosen file.
    TFileRequest &Dialog() { return FDialog; }

    // The folder the edit is in, as file-system bytes: relative names are
    // taken there (the working folder while it is empty). Setting it makes
    // it the dialog's first folder too; it follows each chosen file.
    const std::string &Folder() const { return FFolder; }
    void SetFolder(const std::string &folder);

    // The name in the text: the whole text when a file of that name exists
    // (a relative name in Folder()), else its first token (blanks separate,
    // double quotes group).
    QString FileName() const;
    // Sets the text to the quoted name; a name the file system refuses
    // (inside its enclosing double quotes, if any) raises EComboEditError
    // "Invalid file name - <name>" and keeps the text. An empty name clears
    // it.
    void SetFileName(const QString &name);

    static QString ExtractName(const QString &text, const std::string &folder = std::string());
    // The name enclosed in double quotes when it holds a blank and does not
    // begin with one.
    static QString QuoteName(const QString &name);

    bool AcceptFiles() const { return acceptDrops(); }
    void SetAcceptFiles(bool accept) { setAcceptDrops(accept); }

    // Around the dialog: before it (the name from the text; clearing action
    // stops the browse) and after it (the chosen name, and whether it was
    // chosen; clearing action keeps the text).
    using TDialogEvent = std::function<void(QString &name, bool &action)>;
    TDialogEvent OnBeforeDialog;
    TDialogEvent OnAfterDialog;

signals:
    void filesDropped();

protected:
    QImage DefaultGlyph() const override;
    void ButtonClick() override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void PrepareDialog(const QString &name);

    TFileRequest FDialog;
    std::string FFolder;
};
