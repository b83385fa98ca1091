// A file dialog that the window keeps: its filter, default extension and
// options are set once, and each showing starts in the folder where the last
// one ended. The question itself goes through the common-dialogs service.
#pragma once

#include "CommonDialogs.h"

#include <string>

class TFileDialog {
public:
    explicit TFileDialog(TFileRequest request) : FRequest(std::move(request)) {}

    // Asks for a file; true on OK, with FileName() the chosen path and the
    // next showing starting in its folder.
    bool Execute();

    // The chosen file's path bytes.
    std::string FileName() const;
    void SetInitialDir(const std::string &folder);
    const TFileRequest &Request() const { return FRequest; }

private:
    TFileRequest FRequest;
};
