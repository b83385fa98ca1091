// The project file: the page settings (12 bytes), a 32-bit button count and
// the button records one after the other, all little-endian.
#include "ProjU.h"

#include "ButtonStream.h"
#include "Exceptions.h"
#include "FileSystem.h"
#include "HostU.h"
#include "ProjTexts.h"
#include "UtilsU.h"

#include <new>

namespace {

constexpr int64_t HeaderSize = 16;
// A button record holds at least its four string lengths and three states
// of fixed blocks and string lengths.
constexpr int64_t MinButtonRecord = 4 * 4 + 3 * (13158 + 3 * 4);

// A project keeps the full path of its file: a relative name (from the
// command line) would otherwise lose its folder for later saves.
std::string FullPath(const std::string &fileName)
{
    return AbsoluteFolderOf(fileName) + ExtractFileName(fileName);
}

}  // namespace

TDisplayText TProj::DamagedFileText() const
{
    return "The file \"" + SystemText(FileName) + "\" is not a project file or is damaged.";
}

bool TProj::ReadProjectFile(std::vector<std::unique_ptr<TButtons>> &buttons,
                            TProjSettings &settings)
{
    LastError = DamagedFileText();
    try {
        TFileStream stream(FileName, TFileStream::fmOpenRead);
        if (stream.Size() < HeaderSize)
            return false;
        settings.BackColor = ReadInt32(stream);
        settings.MenuAlign = ReadInt32(stream);
        settings.MenuOrientation = ReadInt32(stream);
        const int32_t count = ReadInt32(stream);
        if (count < 0 || count > stream.Remaining() / MinButtonRecord)
            return false;
        Host().SetProgressMax(count);
        for (int32_t i = 0; i < count; ++i) {
            Host().SetProgress(i + 1);
            auto button = std::make_unique<TButtons>(this);
            LoadFromStream(stream, *button);
            // The stored state names give way to those of the current language.
            for (int k = 0; k < StateCount; ++k)
                button->States[size_t(k)].Name = StateName(k);
            buttons.push_back(std::move(button));
        }
        LastError = {};
        return true;
    } catch (const EFOpenError &e) {
        LastError = e.Text();
        return false;
    } catch (const Exception &) {
        return false;
    } catch (const std::bad_alloc &) {
        return false;
    }
}

void TProj::OpenProject(const std::string &fileName)
{
    if (Opened)
        return;
    FileName = FullPath(fileName);
    std::vector<std::unique_ptr<TButtons>> buttons;
    TProjSettings settings = Settings;
    const bool read = ReadProjectFile(buttons, settings);
    Host().SetProgress(0);
    if (!read) {
        // Nothing of a damaged file stays: no project is open.
        Select(-1, -1);
        ClearButtons();
        ShowCaption();
        return;
    }
    Settings = settings;
    Buttons = std::move(buttons);
    Modified = false;
    Opened = true;
    Untitled = false;
    ShowCaption();
    NextButtonNo = ButtonCount() + 1;
    ProjectsDir = AbsoluteFolderOf(FileName);
    SetPageDir();
}

void TProj::WriteProjectFile(TStream &stream) const
{
    WriteInt32(stream, Settings.BackColor);
    WriteInt32(stream, Settings.MenuAlign);
    WriteInt32(stream, Settings.MenuOrientation);
    WriteInt32(stream, ButtonCount());
    Host().SetProgressMax(ButtonCount());
    for (int i = 0; i < ButtonCount(); ++i) {
        Host().SetProgress(i + 1);
        SaveToStream(stream, *Buttons[size_t(i)]);
    }
}

bool TProj::SaveProject()
{
    if (!Opened)
        return false;
    LastError = {};
    try {
        // A new project's bare name has no folder: it is saved through save-as.
        if (ExtractFilePath(FileName).empty())
            throw CannotSaveFile(FileName, "It has no folder yet");
        SaveFile(FileName, [this](TStream &stream) { WriteProjectFile(stream); });
    } catch (const Exception &e) {
        LastError = e.Text();
    }
    Host().SetProgress(0);
    if (!LastError.Empty())
        return false;
    Untitled = false;
    Modified = false;
    SetPageDir();
    return true;
}

bool TProj::SaveProjectAs(const std::string &fileName)
{
    const std::string previous = FileName;
    FileName = FullPath(fileName);
    if (!SaveProject()) {
        FileName = previous;
        return false;
    }
    ShowCaption();
    return true;
}
