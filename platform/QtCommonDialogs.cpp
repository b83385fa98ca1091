#include "QtCommonDialogs.h"

#include "Exceptions.h"
#include "QtColor.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>

namespace {

void RefuseOffscreen(const char *what)
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        throw Exception(std::string("A modal dialog cannot be answered on the offscreen platform: ") +
                        what);
}

QFont ToQFont(const TFontChoice &choice)
{
    QFont font(choice.Name);
    font.setPointSize(choice.Size > 0 ? choice.Size : 8);
    font.setBold(choice.Style & 1);
    font.setItalic(choice.Style & 2);
    font.setUnderline(choice.Style & 4);
    font.setStrikeOut(choice.Style & 8);
    return font;
}

uint8_t StyleBits(const QFont &font)
{
    return uint8_t((font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) | (font.underline() ? 4 : 0) |
                   (font.strikeOut() ? 8 : 0));
}

}  // namespace

std::optional<QString> TQtCommonDialogs::FileName(const TFileRequest &request)
{
    RefuseOffscreen("file dialog");
    QFileDialog dialog(QApplication::activeWindow(), request.Title, request.InitialDir,
                       QtFileFilter(request.Filter));
    const bool save = request.Kind == TFileRequest::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save || !request.MustExist ? QFileDialog::AnyFile
                                                  : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.DefaultExt);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.OverwritePrompt);
    if (!request.FileName.isEmpty())
        dialog.selectFile(request.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QFileInfo(dialog.selectedFiles().first()).absoluteFilePath();
}

std::optional<QString> TQtCommonDialogs::FolderName(const QString &title, const QString &initialDir)
{
    RefuseOffscreen("folder dialog");
    const QString folder =
        QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, initialDir);
    if (folder.isEmpty())
        return std::nullopt;
    return QFileInfo(folder).absoluteFilePath();
}

std::optional<uint32_t> TQtCommonDialogs::Colour(uint32_t initial)
{
    RefuseOffscreen("colour dialog");
    const QColor colour = QColorDialog::getColor(ToQColor(initial), QApplication::activeWindow());
    if (!colour.isValid())
        return std::nullopt;
    return FromQColor(colour);
}

std::optional<TFontChoice> TQtCommonDialogs::Font(const TFontChoice &initial)
{
    RefuseOffscreen("font dialog");
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, ToQFont(initial), QApplication::activeWindow());
    if (!ok)
        return std::nullopt;
    TFontChoice choice = initial;
    choice.Name = font.family();
    choice.Size = font.pointSize();
    choice.Style = StyleBits(font);
    return choice;
}

int TQtCommonDialogs::Exec(QDialog &dialog)
{
    RefuseOffscreen("form");
    return dialog.exec();
}
