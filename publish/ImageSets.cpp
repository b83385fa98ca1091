#include "ImageSets.h"

#include "Exceptions.h"
#include "ExportU.h"
#include "FileSystem.h"
#include "ParamU.h"
#include "ProjU.h"
#include "Streams.h"
#include "UtilsU.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <regex>
#include <strings.h>

namespace {

const char StateLetters[StateCount] = {'n', 'o', 'c'};

// The extension of each batch-export format, in the setting's order.
const char *const ImageExtensions[] = {".gif", ".bmp", ".jpg", ".ico", ".wmf", ".emf"};

std::string ImageName(char letter, long long number, const std::string &edge)
{
    return std::string("img") + letter + std::to_string(number) + edge + GetImageExt();
}

// The button number in the name of an image of a set ("IMGN12e.Gif" gives
// 12), -1 for any other name.
long long SetImageNumber(const std::string &name)
{
    static const std::regex setImage = [] {
        std::string extensions;
        for (const char *extension : ImageExtensions)
            extensions += (extensions.empty() ? "\\" : "|\\") + std::string(extension);
        return std::regex("img[noc](0|[1-9][0-9]{0,9})e?(" + extensions + ")", std::regex::icase);
    }();
    std::smatch match;
    if (!std::regex_match(name, match, setImage))
        return -1;
    const long long number = std::stoll(match[1]);
    return number <= INT32_MAX ? number : -1;
}

// Puts back what an image set changes: the selection (rendered again so the
// preview shows what it showed), PageDir and the gauge. Restore() is called
// on success so that its errors reach the caller; after a failure the
// destructor restores quietly, as the first error is on its way.
class TSetRestorer {
public:
    TSetRestorer(TProj &proj, TGauge &gauge)
        : FProj(proj), FGauge(gauge), FButton(proj.ButtonIndex), FState(proj.StateIndex), FPageDir(PageDir)
    {
    }
    ~TSetRestorer()
    {
        try {
            Restore();
        } catch (...) {
        }
    }
    void Restore()
    {
        if (FRestored)
            return;
        FRestored = true;
        PageDir = FPageDir;
        FGauge.SetPosition(0);
        FProj.Select(FButton, FState);
        if (TItem *state = FProj.CurrentState()) {
            state->Dirty = 1;
            FProj.RenderCurrent();
        }
    }

private:
    TProj &FProj;
    TGauge &FGauge;
    int FButton, FState;
    std::string FPageDir;
    bool FRestored = false;
};

void ExportState(TProj &proj, int button, int state, const std::string &fileName, int32_t cropMode)
{
    proj.Select(button, state);
    proj.CurrentState()->Dirty = 1;
    proj.RenderCurrent();
    ExportImage(proj, fileName, cropMode);
}

// Every state of every button into folder, numbered from first; the last
// button is cut with lastCrop.
void ExportLoop(TProj &proj, TGauge &gauge, const std::string &folder, long long first, int32_t lastCrop)
{
    const int count = proj.ButtonCount();
    gauge.SetMax(StateCount * count);
    for (int i = 0; i < count; ++i)
        for (int s = 0; s < StateCount; ++s) {
            ExportState(proj, i, s, folder + ImageName(StateLetters[s], first + i, ""),
                        i == count - 1 ? lastCrop : cmWhole);
            gauge.SetPosition(StateCount * i + s);
        }
}

void ExportSet(TProj &proj, TGauge &gauge, const std::string &folder)
{
    TSetRestorer restorer(proj, gauge);
    ExportLoop(proj, gauge, folder, 0, cmWhole);
    restorer.Restore();
}

// Deletes the files "img*" + extension (in any case) of a folder, hidden
// ones too, but those named in kept; other files and sub-folders stay.
// Failures are ignored.
void DeleteImagesBut(const std::string &folder, const std::vector<std::string> &kept)
{
    for (const std::string &name : FileNamesIn(folder, GetImageExt(), true)) {
        const bool image = ::strncasecmp(name.c_str(), "img", 3) == 0;
        if (image && std::find(kept.begin(), kept.end(), name) == kept.end())
            DeleteFileAt(folder + name);
    }
}

// The side folders of the preview set: PageDir + this + six random characters.
const char SideFolderPrefix[] = ".blimg-";

// A save error of an image in the side folder, as the error of that image
// in the image folder.
EWriteError NamedInFolder(const EWriteError &error, const std::string &sideFolder, const std::string &folder)
{
    TDisplayText message;
    for (TDisplaySpan span : error.Text().Spans()) {
        if (span.FromSystem && span.Bytes.compare(0, sideFolder.size(), sideFolder) == 0)
            span.Bytes.replace(0, sideFolder.size(), folder);
        message += std::move(span);
    }
    return EWriteError(message);
}

// Makes PageDir, and the folders above it, when missing; when it cannot be
// made, the first file of the write cannot be saved, for the folder's
// reason. The projects folder is the program's own, made at start: when no
// project is open the page goes there, and its failure names that folder.
void MakePageFolder(const std::string &firstFile)
{
    if (CreateFolders(PageDir))
        return;
    const int reason = errno;
    if (PageDir != ProjectsDir)
        throw CannotSaveFile(firstFile, std::strerror(reason));
    std::string folder = ProjectsDir;
    folder.pop_back();  // without its trailing "/"
    throw CannotCreateFolder(folder, std::strerror(reason));
}

// Makes the image folder when missing; when it cannot be made, the first
// image that was to move in cannot be saved.
void MakeImageFolder(const std::string &folder, const std::vector<std::string> &images)
{
    if (CreateFolder(folder))
        return;
    const int reason = errno;
    if (reason != EEXIST && !images.empty())
        throw CannotSaveFile(folder + images.front(), std::strerror(reason));
}

// Makes the publish set's folder when missing; one that cannot be made (a
// page name so long that its ".blimg" folder's is too long) is named with
// its reason, as no image of it is at fault.
void MakeSetFolder(const std::string &folder)
{
    if (CreateFolder(folder) || errno == EEXIST)
        return;
    const int reason = errno;
    throw CannotCreateFolder(folder.substr(0, folder.size() - 1), std::strerror(reason));
}

}  // namespace

std::string GetImageExt()
{
    // Any other setting means the last format.
    constexpr int32_t last = int32_t(std::size(ImageExtensions)) - 1;
    const int32_t format = AppParam().BatchExp;
    return ImageExtensions[format >= 0 && format < last ? format : last];
}

void ExportAllImages(TProj &proj) { ExportSet(proj, MainGauge(), PageDir); }

void BatchExportImages(TProj &proj, const std::string &dir)
{
    TSetRestorer restorer(proj, MainGauge());
    PageDir = dir;
    ExportLoop(proj, MainGauge(), PageDir, 0, cmWhole);
    restorer.Restore();
}

TPreviewImages::TPreviewImages(TProj &proj)
{
    const std::string folder = PageDir + "blimg/";
    const std::string firstImage = folder + ImageName('n', 0, "");
    MakePageFolder(proj.ButtonCount() == 0 ? PageDir + "index.html" : firstImage);
    // What preview writes that were stopped (the process killed) left.
    RemoveLeftTemporaryFolders(PageDir + SideFolderPrefix);
    if (proj.ButtonCount() == 0)
        return;
    const std::string &sideFolder = FSideFolder.emplace(PageDir + SideFolderPrefix).Path();
    if (sideFolder.empty())
        throw CannotSaveFileWithErrno(firstImage);
    try {
        ExportSet(proj, MainGauge(), sideFolder);
    } catch (const EWriteError &error) {
        throw NamedInFolder(error, sideFolder, folder);
    }
    FNames = FileNamesIn(sideFolder, GetImageExt());
}

void TPreviewImages::Install()
{
    const std::string folder = PageDir + "blimg/";
    if (PageDir != ProjectsDir)
        MakeImageFolder(folder, FNames);
    for (const std::string &name : FNames)
        MoveFileOver(FSideFolder->Path() + name, folder + name);
}

void TPreviewImages::DeleteOldImages()
{
    if (PageDir != ProjectsDir)
        DeleteImagesBut(PageDir + "blimg/", FNames);
}

int32_t HighestSetImageNumber(const std::string &folder)
{
    long long highest = -1;
    for (const std::string &name : FileNamesIn(folder, std::string()))
        highest = std::max(highest, SetImageNumber(name));
    return int32_t(highest);
}

void ExportPublishImages(TGauge &gauge, TProj &proj, const std::string &pageFolder, const std::string &imgDir,
                         int32_t first)
{
    TSetRestorer restorer(proj, gauge);
    PageDir = pageFolder + "/";
    const std::string folder = PageDir + imgDir + "/";
    // A name the images cannot be saved by is refused before the folder is made.
    RequireSavableName(folder + ImageName(StateLetters[0], first, ""));
    MakeSetFolder(folder);
    const bool horizontal = proj.Settings.MenuOrientation == 0;
    ExportLoop(proj, gauge, folder, first, horizontal ? cmCutRight : cmCutBottom);
    const int last = proj.ButtonCount() - 1;
    if (last >= 0)
        for (int s = 0; s < StateCount; ++s)
            ExportState(proj, last, s, folder + ImageName(StateLetters[s], (long long)first + last, "e"),
                        horizontal ? cmRightEdge : cmBottomEdge);
    restorer.Restore();
}
