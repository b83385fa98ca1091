#include "PageFiles.h"

#include "FileSystem.h"
#include "ImageSets.h"
#include "MenuBlock.h"
#include "NewPage.h"
#include "PreviewPage.h"
#include "Streams.h"
#include "UtilsU.h"

#include <QFile>

void WritePreviewPage(TProj &proj)
{
    ExportPreviewImages(proj);
    const std::string text = JoinLines(PreviewPageLines(MenuViewOf(proj)));
    QFile file(QtFilePath(PageDir + "index.html"));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text.data(), qint64(text.size()));
}

void SaveNewPage(TProj &proj, const std::string &fileName, bool noImages)
{
    const std::string text = JoinLines(NewPageLines(fileName, MenuViewOf(proj)));
    ReplaceFileWith(fileName, text.data(), int64_t(text.size()));
    if (noImages)
        return;
    std::string folder = AbsoluteFolderOf(fileName);
    folder.pop_back();  // without its trailing "/"
    ExportPublishImages(MainGauge(), proj, folder, PageImageFolder(fileName), MenuBase);
}
