#include "ScriptedCommonDialogs.h"

#include "Codepage.h"
#include "Exceptions.h"

#include <QDialog>

namespace {
template <typename T>
T Next(std::deque<T> &answers, const char *question)
{
    if (answers.empty())
        throw Exception(std::string("Unexpected ") + question);
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}
}  // namespace

TScriptedCommonDialogs::TScriptedCommonDialogs() : FPrevious(SetCommonDialogs(this)) {}

TScriptedCommonDialogs::~TScriptedCommonDialogs()
{
    SetCommonDialogs(FPrevious);
}

std::optional<QString> TScriptedCommonDialogs::FileName(const TFileRequest &request)
{
    FFileRequests.push_back(request);
    return Next(FFiles, "file dialog");
}

std::optional<QString> TScriptedCommonDialogs::FolderName(const QString &, const QString &)
{
    return Next(FFolders, "folder dialog");
}

std::optional<uint32_t> TScriptedCommonDialogs::Colour(uint32_t)
{
    return Next(FColours, "colour dialog");
}

std::optional<TFontChoice> TScriptedCommonDialogs::Font(const TFontChoice &)
{
    return Next(FFonts, "font dialog");
}

int TScriptedCommonDialogs::Exec(QDialog &dialog)
{
    FFormsShown.push_back(dialog.objectName());
    TFormScript script = Next(FForms, ("form " + ToAnsi(dialog.objectName())).c_str());
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    script(dialog);
    dialog.hide();
    return dialog.result();
}

bool TScriptedCommonDialogs::AllAnswered() const
{
    return FFiles.empty() && FFolders.empty() && FColours.empty() && FFonts.empty() &&
           FForms.empty();
}
