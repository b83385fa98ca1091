#include "PublishSession.h"

#include "Exceptions.h"
#include "FileSystem.h"
#include "ImageSets.h"
#include "MenuBlock.h"
#include "Streams.h"

#include <algorithm>

std::string AbsolutePageName(const std::string &name, const std::string &baseDir)
{
    return AbsoluteFilePath(name, baseDir);
}

std::string ReadPageText(const std::string &fileName)
{
    TFileStream stream(fileName, TFileStream::fmOpenRead);
    if (stream.Size() > MaxPageSize)
        throw CannotOpenFile(fileName, "The page is larger than " + std::to_string(MaxPageSize >> 20) + " MB.");
    std::string text(size_t(stream.Size()), '\0');
    stream.ReadBuffer(text.data(), int64_t(text.size()));
    std::string lines = LineFeedText(text);
    if (!lines.empty() && size_t(std::count(lines.begin(), lines.end(), '\n')) >= MaxPageLines)
        throw CannotOpenFile(fileName, "The page has more than " + std::to_string(MaxPageLines) + " lines.");
    return lines;
}

void TPublishSession::Clear()
{
    *this = TPublishSession();
}

void TPublishSession::Opened(const std::string &fileName)
{
    Clear();
    FFileName = fileName;
}

void TPublishSession::Insert(TLines &lines, int row, int col, const TMenuView &view)
{
    FindPageImgDir(lines, FFileName, FImgDir);
    // Pages of one folder share its image folder: the block is numbered past
    // every image there too, so that it overwrites none another page shows.
    InsertMenuBlock(lines, col, row, FImgDir, view, HighestSetImageNumber(ExtractFilePath(FFileName) + FImgDir));
    FPendingBlocks.push_back(MenuBase);
    FCanSave = true;
}

void TPublishSession::Save(const TLines &lines, TProj &proj, TGauge &gauge)
{
    const std::string text = JoinLines(lines);
    ReplaceFileWith(FFileName, text.data(), int64_t(text.size()));
    std::string folder = ExtractFilePath(FFileName);
    folder.pop_back();  // without its trailing "/"
    while (!FPendingBlocks.empty()) {
        ExportPublishImages(gauge, proj, folder, FImgDir, FPendingBlocks.front());
        FPendingBlocks.erase(FPendingBlocks.begin());
    }
}
