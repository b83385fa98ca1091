// The project's operations on the open button template.
#include "ProjU.h"

#include "ButtonStream.h"
#include "Exceptions.h"
#include "FileSystem.h"
#include "Streams.h"
#include "UtilsU.h"

namespace {

// The template file of a name or path: always in the Templates folder.
std::string TemplateFileOf(const std::string &name)
{
    const std::string base = TemplateNameOf(name);
    return base.empty() ? std::string() : base + ".btn";
}

}  // namespace

void TProj::CopyPropFromTemplate()
{
    TButtons *button = CurrentButton();
    if (!button || !IsTemplateButtonIndex(TemplateButtonIndex))
        return;
    TMemoryStream stream;
    for (const TItem &state : ButtonTemplate.GetItem(TemplateButtonIndex).Button->States)
        SaveToStream(stream, state);
    stream.SetPosition(0);
    for (TItem &state : button->States) {
        const std::string name = state.Name;
        const std::string text = state.TextItem.Text;
        const int32_t fontSize = state.TextItem.Size;
        const TSizeGroup size = state.SizeGroup();
        LoadFromStream(stream, state);
        state.Name = name;
        state.TextItem.Text = text;
        state.TextItem.Size = fontSize;
        state.SizeGroup() = size;
        state.Dirty = 1;  // the shape and profile came with the look
    }
    Modified = true;
}

bool TProj::NewButtonTemplate(const std::string &name)
{
    const std::string file = TemplateFileOf(name);
    if (file.empty() || FileExists(TemplatesDir + file))
        return false;
    TButtonTemplate(this).SaveToFile(file);
    TemplateFileName = file;
    ButtonTemplate.Clear();
    ButtonTemplate.Modified = false;
    TemplateButtonIndex = -1;
    return true;
}

void TProj::OpenButtonTemplate(const std::string &name)
{
    TemplateFileName = TemplateFileOf(name);
    ButtonTemplate.Clear();
    TemplateButtonIndex = -1;
    const std::string failure =
        TemplateFileName.empty() ? std::string() : ButtonTemplate.LoadFromFile(TemplateFileName);
    NextTemplateButtonNo = ButtonTemplate.Count() + 1;
    if (!failure.empty())
        throw CannotOpenFile(TemplatesDir + TemplateFileName, failure);
}

void TProj::ChangeButtonTemplate(const std::function<void()> &change)
{
    TMemoryStream before;
    ButtonTemplate.WriteTo(before);
    change();
    if (TemplateFileName.empty())
        return;
    try {
        ButtonTemplate.SaveToFile(TemplateFileName);
    } catch (const Exception &) {
        // The change that could not be written is dropped: the entries are
        // those shown before it, whether or not the file can still be read.
        ButtonTemplate.Clear();
        before.SetPosition(0);
        ButtonTemplate.ReadFrom(before);
        ButtonTemplate.Modified = false;
        if (!IsTemplateButtonIndex(TemplateButtonIndex))
            TemplateButtonIndex = -1;
        throw;
    }
}

void TProj::CloseButtonTemplate()
{
    ButtonTemplate.Clear();
    TemplateFileName.clear();
    TemplateButtonIndex = -1;
}

void TProj::AddButtonToTemplate(const std::string &name)
{
    const TButtons *button = CurrentButton();
    if (!button || TemplateFileName.empty())
        return;
    // The pictures are rendered through the shared mesh.
    if (TItem *state = CurrentState())
        state->Dirty = 1;
    ChangeButtonTemplate([&] { ButtonTemplate.AddButton(*button, name); });
    ++NextTemplateButtonNo;
}

void TProj::DeleteTemplateButton()
{
    if (IsTemplateButtonIndex(TemplateButtonIndex))
        ChangeButtonTemplate([this] { ButtonTemplate.Delete(TemplateButtonIndex); });
    TemplateButtonIndex = -1;
}

void TProj::DeleteAllTemplateButtons()
{
    ChangeButtonTemplate([this] { ButtonTemplate.Clear(); });
    TemplateButtonIndex = -1;
}

void TProj::RemoveButtonTemplate()
{
    const std::string path = TemplatesDir + TemplateFileName;
    if (!TemplateFileName.empty() && FileExists(path) && !DeleteFileAt(path))
        throw CannotChangeFileWithErrno("delete", path);
    ButtonTemplate.Clear();
    TemplateButtonIndex = -1;
}

bool TProj::RenameButtonTemplate(const std::string &newName)
{
    const std::string file = TemplateFileOf(newName);
    if (file.empty() || TemplateFileName.empty() || FileExists(TemplatesDir + file))
        return false;
    const std::string path = TemplatesDir + TemplateFileName;
    if (!RenameFileTo(path, TemplatesDir + file))
        throw CannotChangeFileWithErrno("rename", path);
    ButtonTemplate.FileRenamed(path, TemplatesDir + file);
    TemplateFileName = file;
    return true;
}

void TProj::RenameTemplateButton(const std::string &name)
{
    if (!IsTemplateButtonIndex(TemplateButtonIndex))
        return;
    ChangeButtonTemplate([&] { ButtonTemplate.GetItem(TemplateButtonIndex).Name = name; });
}

void TProj::MoveTemplateButton(int from, int to)
{
    if (!IsTemplateButtonIndex(from) || !IsTemplateButtonIndex(to))
        return;
    ChangeButtonTemplate([&] { ButtonTemplate.Exchange(from, to); });
}

void TProj::MoveTemplateButtonDown() { MoveTemplateButton(TemplateButtonIndex, TemplateButtonIndex + 1); }

void TProj::MoveTemplateButtonUp() { MoveTemplateButton(TemplateButtonIndex, TemplateButtonIndex - 1); }
