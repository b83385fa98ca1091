// The service that asks the user every modal question besides message boxes:
// a file name, a folder, a colour, a caption font, and the program's own
// modal forms. Forms never open such a dialog themselves; they ask this
// service, so the real dialogs serve the user and tests script the answers
// without ever blocking.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

class QDialog;

// One file-dialog question. Filter is in the program's own form,
// "Text (*.a;*.b)|*.a;*.b|Any files (*.*)|*.*": pairs of a shown text and
// its patterns, separated by "|".
struct TFileRequest {
    enum TKind { Open, Save };
    TKind Kind = Open;
    QString Title;          // empty: the dialog's standard title
    QString Filter;
    QString DefaultExt;     // "prj": added to a typed name without extension
    QString InitialDir;
    QString FileName;       // proposed name, may be empty
    bool OverwritePrompt = false;  // save: ask before replacing a file
    bool MustExist = false;        // open: the file must exist
};

// A caption's font as the font question shows and returns it.
struct TFontChoice {
    QString Name;
    int Size = 8;           // points
    uint8_t Style = 0;      // fsBold, fsItalic, fsUnderline, fsStrikeOut bits
    uint32_t Color = 0;     // R + G shl 8 + B shl 16
    uint8_t Charset = 1;
    uint8_t Pitch = 0;  // 0 default, 1 variable, 2 fixed
};

class ICommonDialogs {
public:
    virtual ~ICommonDialogs() = default;
    // The chosen file's absolute path; nothing on Cancel.
    virtual std::optional<QString> FileName(const TFileRequest &request) = 0;
    // The chosen folder's absolute path; nothing on Cancel.
    virtual std::optional<QString> FolderName(const QString &title, const QString &initialDir) = 0;
    // A colour R + G shl 8 + B shl 16; nothing on Cancel.
    virtual std::optional<uint32_t> Colour(uint32_t initial) = 0;
    virtual std::optional<TFontChoice> Font(const TFontChoice &initial) = 0;
    // Runs one of the program's own modal forms and returns how it ended
    // (QDialog::Accepted or QDialog::Rejected).
    virtual int Exec(QDialog &dialog) = 0;
};

// The service in use: the one installed last, else the real dialogs.
ICommonDialogs &CommonDialogs();

// Installs a service (nullptr goes back to the real dialogs) and returns the
// one it replaces.
ICommonDialogs *SetCommonDialogs(ICommonDialogs *service);

// The filter in Qt's form: "Text (*.a *.b);;Any files (*.*)".
QString QtFileFilter(const QString &filter);
