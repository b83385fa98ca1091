// Every prefix of the fuzzing seeds (files of several tools) loads or fails
// with one of the reader's documented errors.
#include "Exceptions.h"
#include "ExternalTool.h"
#include "GifTestSupport.h"
#include "KitGIF.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

bool IsDocumentedError(const std::string &message)
{
    static const std::vector<std::string> documented = {
        "Stream read error", "Unknown GIF version", "GIF code size not in range 2 to 9",
        "GIF encoded data is corrupt", "Wrong number of colors; must be a power of 2", "GIF image is too large"};
    return std::find(documented.begin(), documented.end(), message) != documented.end() ||
           message.rfind("Unrecognized extension block: ", 0) == 0;
}

}  // namespace

TEST(GIFTruncation, EveryPrefixOfEverySeedLoadsOrFailsCleanly)
{
    const QDir seeds(SourceDir() + "/tests/fuzz/seeds/gif_reader");
    const QStringList names = seeds.entryList({"*.gif"}, QDir::Files);
    ASSERT_GE(names.size(), 8);
    for (const QString &name : names) {
        QFile file(seeds.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const Bytes whole = ToBytes(file.readAll());
        for (size_t size = 0; size <= whole.size(); ++size) {
            TGIFImage gif;
            try {
                gif.ReadBytes(whole.data(), size, true);
                for (const auto &frame : gif.Frames)
                    frame->GetBitmap();
                gif.BuildFile();
            } catch (const Exception &e) {
                ASSERT_TRUE(IsDocumentedError(e.what()) || std::string(e.what()) == "No GIF Data to write")
                    << name.toStdString() << " cut at " << size << ": " << e.what();
            }
        }
    }
}

TEST(GIFTruncation, WholeSeedsDecodeWithoutDamage)
{
    const QDir seeds(SourceDir() + "/tests/fuzz/seeds/gif_reader");
    for (const QString &name : seeds.entryList({"*.gif"}, QDir::Files)) {
        if (name.contains("truncated"))
            continue;
        TGIFImage gif;
        gif.LoadFromFile(seeds.filePath(name));
        ASSERT_GE(gif.GetCount(), 1) << name.toStdString();
        for (const auto &frame : gif.Frames) {
            EXPECT_FALSE(frame->GetBitmap().isNull()) << name.toStdString();
            EXPECT_FALSE(frame->Corrupted) << name.toStdString();
        }
    }
}
