#include "PageFiles.h"

#include "FileSystem.h"
#include "ImageSets.h"
#include "MenuBlock.h"
#include "NewPage.h"
#include "PreviewPage.h"
#include "Streams.h"
#include "UtilsU.h"

void WritePreviewPage(TProj &proj)
{
    TPreviewImages images(proj);
    const std::string text = JoinLines(PreviewPageLines(MenuViewOf(proj)));
    SaveFile(
        PageDir + "index.html", [&](TStream &page) { page.WriteBuffer(text.data(), int64_t(text.size())); },
        TLockedFolder::Fail, [&] { images.Install(); });
    images.DeleteOldImages();
}

void SaveNewPage(TProj &proj, const std::string &fileName, bool noImages)
{
    const std::string text = JoinLines(NewPageLines(fileName, MenuViewOf(proj)));
    if (!noImages) {
        std::string folder = AbsoluteFolderOf(fileName);
        folder.pop_back();  // without its trailing "/"
        ExportPublishImages(MainGauge(), proj, folder, PageImageFolder(fileName), MenuBase);
    }
    ReplaceFileWith(fileName, text.data(), int64_t(text.size()));
}
