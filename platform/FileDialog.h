// A file dialog that the window keeps: its filter, default extension and
// options are set once, and each showing starts in the folder where the last
// one ended. The question itself goes through the common-dialogs service.
#pragma once

#include "CommonDialogs.h"

#include <string>

// A file name given as text (a dialog's answer, a typed name) as path bytes.
// A dialog shows a name that is not UTF-8 with U+FFFD, and its answer then
// spells another file, so a name holding U+FFFD is refused with the open
// or save error (by kind) 'Cannot ... file "<name>". Its name is not UTF-8
// text'.
std::string ChosenFilePath(const QString &name, TFileRequest::TKind kind);

class TFileDialog {
public:
    explicit TFileDialog(TFileRequest request) : FRequest(std::move(request)) {}

    // Asks for a file; true on OK, with FileName() the chosen path and the
    // next showing starting in its folder.
    bool Execute();

    // The chosen file's path bytes; raises the refusal of ChosenFilePath.
    std::string FileName() const;
    void SetInitialDir(const std::string &folder);
    const TFileRequest &Request() const { return FRequest; }

private:
    TFileRequest FRequest;
};
