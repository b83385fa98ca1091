#include "ImageSets.h"

#include "Exceptions.h"
#include "ExportU.h"
#include "FileSystem.h"
#include "ParamU.h"
#include "ProjU.h"
#include "Streams.h"
#include "UtilsU.h"

#include <QDir>

namespace {

const char StateLetters[StateCount] = {'n', 'o', 'c'};

std::string ImageName(char letter, long long number, const std::string &edge)
{
    return std::string("img") + letter + std::to_string(number) + edge + GetImageExt();
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

// Deletes the files "img*" + extension of a folder, hidden ones too, but
// those named in kept; other files and sub-folders stay. Failures are
// ignored.
void DeleteOldImages(const std::string &folder, const QStringList &kept)
{
    QDir dir(QtFilePath(folder));
    const QStringList names = dir.entryList({"img*" + QString::fromStdString(GetImageExt())},
                                            QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names)
        if (!kept.contains(name))
            dir.remove(name);
}

}  // namespace

std::string GetImageExt()
{
    switch (AppParam().BatchExp) {
    case 0: return ".gif";
    case 1: return ".bmp";
    case 2: return ".jpg";
    case 3: return ".ico";
    case 4: return ".wmf";
    default: return ".emf";
    }
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
    if (proj.ButtonCount() == 0)
        return;
    const std::string folder = PageDir + ".blimg-XXXXXX";
    FNewSet.emplace(QtFilePath(folder));
    if (!FNewSet->isValid())
        throw CannotSaveFile(folder, FNewSet->errorString().toStdString());
    ExportSet(proj, MainGauge(), FilePathBytes(FNewSet->path()) + "/");
}

void TPreviewImages::Install()
{
    const std::string folder = PageDir + "blimg/";
    const bool ownFolder = PageDir != ProjectsDir;
    if (ownFolder)
        CreateFolder(folder);
    QStringList names;
    if (FNewSet) {
        const QDir newSet(FNewSet->path());
        names = newSet.entryList(QDir::Files);
        for (const QString &name : names)
            MoveFileOver(FilePathBytes(newSet.filePath(name)), folder + FilePathBytes(name));
    }
    if (ownFolder)
        DeleteOldImages(folder, names);
}

void ExportPublishImages(TGauge &gauge, TProj &proj, const std::string &pageFolder, const std::string &imgDir,
                         int32_t first)
{
    TSetRestorer restorer(proj, gauge);
    PageDir = pageFolder + "/";
    const std::string folder = PageDir + imgDir + "/";
    CreateFolder(folder);
    const bool horizontal = proj.Settings.MenuOrientation == 0;
    ExportLoop(proj, gauge, folder, first, horizontal ? cmCutRight : cmCutBottom);
    const int last = proj.ButtonCount() - 1;
    if (last >= 0)
        for (int s = 0; s < StateCount; ++s)
            ExportState(proj, last, s, folder + ImageName(StateLetters[s], (long long)first + last, "e"),
                        horizontal ? cmRightEdge : cmBottomEdge);
    restorer.Restore();
}
