#include "PageFiles.h"

#include "FileSystem.h"
#include "ImageSets.h"
#include "MenuBlock.h"
#include "NewPage.h"
#include "PreviewPage.h"
#include "Streams.h"
#include "UtilsU.h"

#include <functional>

namespace {

// Replaces a page by its text. placeImages puts its images in place once
// the new page is written whole, just before it replaces the old one: a
// page that cannot be replaced is refused before any image is touched, and
// one whose images fail is not replaced.
void SavePageWith(const std::string &fileName, const std::string &text, const std::function<void()> &placeImages)
{
    SaveFile(
        fileName, [&](TStream &page) { page.WriteBuffer(text.data(), int64_t(text.size())); }, TLockedFolder::Fail,
        placeImages);
}

}  // namespace

void WritePreviewPage(TProj &proj)
{
    TPreviewImages images(proj);
    SavePageWith(PageDir + "index.html", JoinLines(PreviewPageLines(MenuViewOf(proj))), [&] { images.Install(); });
    images.DeleteOldImages();
}

void SaveNewPage(TProj &proj, const std::string &fileName, bool noImages)
{
    SavePageWith(fileName, JoinLines(NewPageLines(fileName, MenuViewOf(proj))), [&] {
        if (noImages)
            return;
        std::string folder = AbsoluteFolderOf(fileName);
        folder.pop_back();  // without its trailing "/"
        ExportPublishImages(MainGauge(), proj, folder, PageImageFolder(fileName), MenuBase);
    });
}
