#include "QtCommonDialogs.h"

#include "Exceptions.h"
#include "FontDialog.h"
#include "QtColor.h"
#include "QuotedNames.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>

namespace {

void RefuseOffscreen(const char *what)
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        throw Exception(std::string("A modal dialog cannot be answered on the offscreen platform: ") +
                        what);
}

// A typed name holding a double quote besides one enclosing pair, which Qt's
// dialog reads as a list of quoted names and answers with one of them; empty
// for any other answer. A name holding a double quote answers only when it
// was picked in the list, since the list of quoted names cannot hold one;
// what was typed the dialog tells only in its name field.
QString RefusedName(const QFileDialog &dialog)
{
    const QStringList answered = dialog.selectedFiles();
    if (!answered.isEmpty() && QFileInfo(answered.first()).fileName().contains(QLatin1Char('"')))
        return {};
    const auto *typed = dialog.findChild<const QLineEdit *>(QStringLiteral("fileNameEdit"));
    return typed && HasQuoteInside(typed->text()) ? typed->text() : QString();
}

// The extension of a filter's first pattern ("Bmp files (*.bmp)" gives
// "bmp"); otherwise ("Any files (*.*)") the request's own.
QString FilterExtension(const QString &filter, const QString &requested)
{
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\*\\.([^ *;)]+)"));
    const QRegularExpressionMatch match = firstPattern.match(filter);
    return match.hasMatch() ? match.captured(1) : requested;
}

// Qt's file dialog that lets a refused name through to AnsweredFile, before
// its own checks would name another file.
class TQtFileDialog : public QFileDialog {
public:
    TQtFileDialog(const TFileRequest &request, QWidget *parent)
        : QFileDialog(parent, request.Title, request.InitialDir, QtFileFilter(request.Filter))
    {
    }

    void accept() override
    {
        if (RefusedName(*this).isEmpty())
            QFileDialog::accept();
        else
            QDialog::accept();
    }
};

}  // namespace

std::unique_ptr<QFileDialog> MakeFileDialog(const TFileRequest &request, QWidget *parent)
{
    auto made = std::make_unique<TQtFileDialog>(request, parent);
    QFileDialog &dialog = *made;
    const bool save = request.Kind == TFileRequest::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save || !request.MustExist ? QFileDialog::AnyFile
                                                  : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.DefaultExt);
    // A name typed without an extension takes the one of the type chosen,
    // which Qt's dialog also uses to find the file the name means.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, requested = request.DefaultExt](const QString &filter) {
                         dialog.setDefaultSuffix(FilterExtension(filter, requested));
                     });
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.OverwritePrompt);
    if (!request.FileName.isEmpty())
        dialog.selectFile(request.FileName);
    return made;
}

QString AnsweredFile(const QFileDialog &dialog)
{
    const QString refused = RefusedName(dialog);
    if (!refused.isEmpty())
        throw Exception(InvalidFileNameText(refused));
    return QFileInfo(dialog.selectedFiles().first()).absoluteFilePath();
}

std::optional<QString> TQtCommonDialogs::FileName(const TFileRequest &request)
{
    RefuseOffscreen("file dialog");
    const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(request, QApplication::activeWindow());
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return AnsweredFile(*dialog);
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
    TFontDialog dialog(QApplication::activeWindow());
    dialog.SetChoice(initial);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}

int TQtCommonDialogs::Exec(QDialog &dialog)
{
    RefuseOffscreen("form");
    return dialog.exec();
}
