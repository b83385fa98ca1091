// The modal questions as Qt's standard dialogs over the active window.
#pragma once

#include "CommonDialogs.h"

#include <memory>

class QFileDialog;
class QWidget;

// Qt's file dialog made ready to ask the request's question. It closes on a
// typed name that AnsweredFile refuses, before its own checks (an open
// dialog's "File not found.") would name another file.
std::unique_ptr<QFileDialog> MakeFileDialog(const TFileRequest &request, QWidget *parent);

// The absolute path of the file an accepted file dialog answers. Qt's own
// dialog takes a typed name holding double quotes as a list of quoted names
// and answers with one of them, so a typed name with a double quote besides
// one enclosing pair raises Exception 'Invalid file name - <name>' instead
// of naming another file; a file picked in the list answers whatever its
// name holds.
QString AnsweredFile(const QFileDialog &dialog);

class TQtCommonDialogs : public ICommonDialogs {
public:
    // On the offscreen platform nobody could answer a modal dialog, so each
    // call there throws an Exception instead of waiting for ever.
    std::optional<QString> FileName(const TFileRequest &request) override;
    std::optional<QString> FolderName(const QString &title, const QString &initialDir) override;
    std::optional<uint32_t> Colour(uint32_t initial) override;
    std::optional<TFontChoice> Font(const TFontChoice &initial) override;
    int Exec(QDialog &dialog) override;
};
