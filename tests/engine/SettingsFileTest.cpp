#include "ActingAsNobody.h"
#include "FifoWatchdog.h"
#include "IniFile.h"
#include "LangSupU.h"
#include "SettingsFile.h"
#include "StreamBytes.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const std::string DefaultText = "[Common]\nFonColor=12632256\nLangFile=\nUsePreview=1\nUseAccelerator=0\n\n"
                                "[Export]\nBmpPixelFormat=6\nJpgPixelFormat=0\nJpgPerformance=0\n"
                                "JpgCompressionQuality=90\nJpgSmoothing=0\nBatchExp=0\n";

class SettingsFile : public ::testing::Test {
protected:
    // The settings file that a record gives.
    std::string Saved(const TParam &param)
    {
        DeleteFileAt(FDir.Path("saved.ini"));
        SaveSettings(param, FDir.Path("saved.ini"));
        return FileText(FDir.Path("saved.ini"));
    }
    // The settings file that loading the given file and saving it gives.
    std::string Resaved(const std::string &text) { return Saved(LoadSettings(FDir.Write(SettingsFileName, text))); }

    TTempFolder FDir;
};

TEST_F(SettingsFile, MissingOrDamagedFilesGiveTheDefaults)
{
    const TParam missing = LoadSettings(FDir.Path("missing.ini"));
    EXPECT_EQ(Saved(missing), DefaultText);
    EXPECT_EQ(std::make_pair(missing.MeshCols, missing.MeshRows), std::make_pair(180, 90));
    std::string junk;
    for (int i = 0; i < 3000; ++i)
        junk += char((i * 97 + 5) % 256);
    EXPECT_EQ(Resaved(junk), DefaultText);
    EXPECT_EQ(Resaved("[Common\nFonColor==12\n[Export]]\nBatchExp 3\n"), DefaultText);
    EXPECT_EQ(Saved(LoadSettings(FDir.Path())), DefaultText);
    // The mesh size is never stored nor read.
    EXPECT_EQ(Resaved("[Common]\nMeshCols=50\nMeshRows=30\n"), DefaultText);
    EXPECT_EQ(LoadSettings(FDir.Path(SettingsFileName)).MeshCols, 180);
}

TEST_F(SettingsFile, EveryValueIsReadAsAnIntegerWithinItsRangeElseTheDefault)
{
    const std::pair<const char *, const char *> cases[] = {
        {"[Common]\nFonColor=$FF\n", "FonColor=255\n"},
        {"[Common]\nFonColor=16777215\n", "FonColor=16777215\n"},
        {"[Common]\nFonColor=-1\n", "FonColor=12632256\n"},
        {"[Common]\nFonColor=$1000000\n", "FonColor=12632256\n"},
        {"[Common]\nLangFile=   /path/with spaces.lng   \n", "LangFile=/path/with spaces.lng\n"},
        {"[Common]\nUsePreview=0\n", "UsePreview=0\n"},
        {"[Common]\nUsePreview=yes\n", "UsePreview=1\n"},
        {"[Common]\nUseAccelerator=-3\n", "UseAccelerator=1\n"},
        {"[Export]\nBmpPixelFormat=2\n", "BmpPixelFormat=2\n"},
        {"[Export]\nBmpPixelFormat=7\n", "BmpPixelFormat=7\n"},
        {"[Export]\nBmpPixelFormat=1\n", "BmpPixelFormat=6\n"},
        {"[Export]\nBmpPixelFormat=262\n", "BmpPixelFormat=6\n"},
        {"[Export]\nJpgPixelFormat=1\n", "JpgPixelFormat=1\n"},
        {"[Export]\nJpgPixelFormat=2\n", "JpgPixelFormat=0\n"},
        {"[Export]\nJpgPerformance=1\n", "JpgPerformance=1\n"},
        {"[Export]\nJpgPerformance=256\n", "JpgPerformance=0\n"},
        {"[Export]\nJpgCompressionQuality=0\n", "JpgCompressionQuality=0\n"},
        {"[Export]\nJpgCompressionQuality=100\n", "JpgCompressionQuality=100\n"},
        {"[Export]\nJpgCompressionQuality=101\n", "JpgCompressionQuality=90\n"},
        {"[Export]\nJpgCompressionQuality=-1\n", "JpgCompressionQuality=90\n"},
        {"[Export]\nJpgSmoothing=$10\n", "JpgSmoothing=1\n"},
        {"[Export]\nJpgSmoothing=true\n", "JpgSmoothing=0\n"},
        {"[Export]\nBatchExp=0x5\n", "BatchExp=5\n"},
        {"[Export]\nBatchExp=6\n", "BatchExp=0\n"},
        {"[Export]\nBatchExp=-1\n", "BatchExp=0\n"}};
    for (const auto &[file, line] : cases)
        EXPECT_NE(Resaved(file).find(line), std::string::npos) << file << " gives " << Resaved(file);
}

// Paths are file-system bytes (UTF-8), whatever the code page can spell and
// whether the settings file itself is in UTF-8 or in the code page.
TEST_F(SettingsFile, PathsWithAnyLettersAreKept)
{
    const std::string folder = FDir.Path("\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD1\x8B");
    ASSERT_TRUE(CreateFolder(folder));
    TParam param;
    param.FonColor = 0x00FF00;
    SaveSettings(param, folder + "/" + SettingsFileName);
    EXPECT_EQ(LoadSettings(folder + "/" + SettingsFileName).FonColor, 0x00FF00u);

    // A language file in a folder whose name the code page can spell
    // (Cyrillic) or cannot (Japanese) is found again through the settings.
    for (const char *languages : {"\xD0\xAF\xD0\xB7\xD1\x8B\xD0\xBA\xD0\xB8", "\xE8\xA8\x80\xE8\xAA\x9E"}) {
        ASSERT_TRUE(CreateFolder(FDir.Path(languages)));
        const std::string path = FDir.Write(std::string(languages) + "/Deutsch.lng", "[MainF]\n1=Knopf\n");
        for (const std::string mark : {"\xEF\xBB\xBF", ""}) {
            SCOPED_TRACE(languages + std::string(mark.empty() ? " in the code page" : " in UTF-8"));
            const std::string file = FDir.Write(SettingsFileName, mark + "[Common]\nLangFile=" + path + "\n");
            TParam read = LoadSettings(file);
            EXPECT_EQ(read.LangFile, path);
            TLanguage language;
            language.SetBuiltIn(false);
            language.LoadFromFile(read.LangFile);
            EXPECT_EQ(language.FindText("MainF", 1), "Knopf");
            SaveSettings(read, file);
            EXPECT_EQ(FileText(file).rfind(mark + "[Common]\nLangFile=" + path + "\n", 0), 0u) << FileText(file);
        }
    }
}

// A file that is there but cannot be read gives the defaults and the
// message that names it with the system's reason; what is missing or no
// regular file reads as missing, at once and without a message.
TEST_F(SettingsFile, AFileThatIsThereButCannotBeReadIsSaidSo)
{
    const std::string fifo = FDir.Path("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(fifo.c_str(), 0666), 0);  // nobody unblocks it too
    ASSERT_EQ(::symlink(fifo.c_str(), FDir.Path("link.ini").c_str()), 0);
    ASSERT_TRUE(CreateFolder(FDir.Path("folder.ini")));
    const std::string unreadable = FDir.Write("unreadable.ini", "[Common]\nFonColor=123\n");
    ASSERT_EQ(::chmod(unreadable.c_str(), 0), 0);
    ASSERT_EQ(::chmod(FDir.Path().c_str(), 0711), 0);  // nobody passes through to the files
    const struct {
        const char *what;
        std::string file;
        std::string message;
    } cases[] = {
        {"missing", FDir.Path("missing.ini"), ""},
        {"a folder", FDir.Path("folder.ini"), ""},
        {"a FIFO", fifo, ""},
        {"a link to a FIFO", FDir.Path("link.ini"), ""},
        {"no read permission", unreadable, CannotOpenFile(unreadable, "Permission denied").what()},
    };
    for (const auto &c : cases) {
        TDisplayText message;
        TParam param;
        {
            const TFifoWatchdog watchdog(fifo);
            const TActingAsNobody nobody;
            ASSERT_TRUE(nobody.Acting());
            param = LoadSettings(c.file, message);
            EXPECT_FALSE(watchdog.Fired()) << c.what << " waited on the FIFO";
        }
        EXPECT_EQ(Saved(param), DefaultText) << c.what;
        EXPECT_EQ(message.Bytes(), c.message) << c.what;
    }
}

TEST_F(SettingsFile, SavingKeepsTheFilesOtherLinesAndRefusesLineBreaks)
{
    const std::string file = FDir.Write(SettingsFileName, "; my notes\n[Common]\nFonColor=0\nWindowLeft=10\n[Mine]\nkey=value\n");
    TParam param;
    param.FonColor = 0xFF;
    SaveSettings(param, file);
    const std::string text = FileText(file);
    EXPECT_EQ(text.rfind("; my notes\n[Common]\nFonColor=255\nWindowLeft=10\n", 0), 0u) << text;
    EXPECT_NE(text.find("[Mine]\nkey=value\n"), std::string::npos) << text;

    param.LangFile = "two\nlines";
    EXPECT_THROW(SaveSettings(param, file), EIniFileException);
    EXPECT_EQ(FileText(file), text);
}

}  // namespace
