#include "MainDialogs.h"

#include "UtilsU.h"

namespace {

const QString ProjectFilter = QStringLiteral("Project files (*.prj)|*.prj|Any files (*.*)|*.*");

TFileRequest Request(TFileRequest::TKind kind, const QString &filter, const char *ext)
{
    TFileRequest request;
    request.Kind = kind;
    request.Filter = filter;
    request.DefaultExt = QString::fromLatin1(ext);
    request.OverwritePrompt = kind == TFileRequest::Save;
    request.MustExist = kind == TFileRequest::Open;
    return request;
}

TFileRequest TemplateRequest()
{
    TFileRequest request = Request(TFileRequest::Save, QStringLiteral("Template files (*.btn)|*.btn"), "btn");
    // Creating and renaming templates check for an existing file themselves.
    request.OverwritePrompt = false;
    return request;
}

}  // namespace

TMainDialogs::TMainDialogs()
    : SaveDialog1(Request(TFileRequest::Save, ProjectFilter, "prj")),
      OpenDialog1(Request(TFileRequest::Open, ProjectFilter, "prj")),
      SaveDialog2(Request(TFileRequest::Save,
                          QStringLiteral("Gif files (*.gif)|*.gif|Bmp files (*.bmp)|*.bmp|"
                                         "Jpeg files (*.jpg; *.jpeg)|*.jpg; *.jpeg|Icon files (*.ico)|*.ico|"
                                         "WMF files (*.wmf)|*.wmf|EMF files (*.emf)|*.emf"),
                          "gif")),
      SaveDialog3(TemplateRequest()),
      SaveDialog4(Request(TFileRequest::Save,
                          QStringLiteral("Html files (*.html;*.htm)|*.html;*.htm|Any files (*.*)|*.*"), "html"))
{
}

void TMainDialogs::SetInitialFolders()
{
    SaveDialog1.SetInitialDir(ProjectsDir);
    OpenDialog1.SetInitialDir(ProjectsDir);
    SaveDialog2.SetInitialDir(HtmlPagesDir);
    SaveDialog4.SetInitialDir(HtmlPagesDir);
    SaveDialog3.SetInitialDir(TemplatesDir);
}
