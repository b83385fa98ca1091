#include "FileNameEdit.h"

#include "Codepage.h"
#include "FileNames.h"
#include "FileSystem.h"
#include "GuardedCall.h"
#include "QuotedNames.h"
#include "TextHelpers.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>

namespace {

// A 14 x 12 folder on see-through fuchsia, outlined in black so that its
// disabled look, which embosses the black pixels, shows the outline.
QImage FolderGlyph()
{
    QImage folder(14, 12, QImage::Format_RGB32);
    folder.fill(0xFF00FF);
    QPainter painter(&folder);
    painter.setPen(Qt::black);
    painter.setBrush(QColor(0xF0, 0xD0, 0x60));
    painter.drawRect(0, 2, 12, 8);
    painter.drawRect(1, 1, 4, 1);
    painter.fillRect(1, 4, 11, 1, QColor(0xFF, 0xF0, 0xB0));
    return folder;
}

}  // namespace

TFilenameEdit::TFilenameEdit(QWidget *parent) : TCustomComboEdit(parent)
{
    FDialog.Title = QStringLiteral("Browse");
    FDialog.Filter = QStringLiteral("All files (*.*)|*.*");
    SetGlyphKind(gkDefault);
    SetAcceptFiles(false);
}

QImage TFilenameEdit::DefaultGlyph() const
{
    static const QImage glyph = FolderGlyph();
    return glyph;
}

void TFilenameEdit::SetFolder(const std::string &folder)
{
    FFolder = folder;
    FDialog.InitialDir = QtFilePath(folder);
}

QString TFilenameEdit::ExtractName(const QString &text, const std::string &folder)
{
    if (!text.isEmpty() && !text.contains(QChar(0)) && FileExists(AbsoluteFilePath(FilePathBytes(text), folder)))
        return text;
    std::string first, rest;
    SplitCommandLine(FilePathBytes(text), first, rest);
    return QtFilePath(first);
}

QString TFilenameEdit::QuoteName(const QString &name)
{
    if (name.contains(QLatin1Char(' ')) && !name.startsWith(QLatin1Char('"')))
        return QLatin1Char('"') + name + QLatin1Char('"');
    return name;
}

QString TFilenameEdit::FileName() const { return ExtractName(text(), FFolder); }

void TFilenameEdit::SetFileName(const QString &name)
{
    if (!name.isEmpty() && !IsValidFileName(Unquoted(name)))
        throw EComboEditError(InvalidFileNameText(name));
    setText(QuoteName(name));
}

void TFilenameEdit::ButtonClick()
{
    TCustomComboEdit::ButtonClick();
    bool action = true;
    QString name = FileName();
    if (OnBeforeDialog)
        OnBeforeDialog(name, action);
    if (!action)
        return;
    PrepareDialog(name);
    // A question that fails (a name the dialog refuses) shows why and
    // chooses nothing.
    std::optional<QString> chosen;
    Guarded([&] { chosen = CommonDialogs().FileName(FDialog); });
    action = chosen.has_value();
    if (action)
        name = *chosen;
    if (focusPolicy() != Qt::NoFocus && isEnabled())
        setFocus(Qt::OtherFocusReason);
    if (OnAfterDialog)
        OnAfterDialog(name, action);
    if (!action)
        return;
    setText(QuoteName(name));
    SetFolder(ExtractFilePath(FilePathBytes(chosen.value_or(FDialog.FileName))));
}

// The dialog starts in the folder the name names, with the name's file; a
// relative name is taken in the edit's folder, as FileName() takes it.
void TFilenameEdit::PrepareDialog(const QString &name)
{
    if (!IsValidFileName(name))
        return;
    const std::string path = AbsoluteFilePath(FilePathBytes(name), FFolder);
    const QString folder = QtFilePath(ExtractFilePath(path));
    if (IsExistingDir(folder))
        FDialog.InitialDir = folder;
    const QString file = QtFilePath(ExtractFileName(path));
    FDialog.FileName = file.isEmpty() || !IsValidFileName(file) ? QString() : QtFilePath(path);
}

void TFilenameEdit::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() && event->mimeData()->urls().first().isLocalFile())
        event->acceptProposedAction();
}

void TFilenameEdit::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    Guarded([&] {
        SetFileName(urls.first().toLocalFile());
        emit filesDropped();
    });
}
