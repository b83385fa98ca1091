#include "IniFile.h"
#include "SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void ExpectSameRecord(const TParam &a, const TParam &b)
{
    EXPECT_EQ(a.MeshCols, b.MeshCols);
    EXPECT_EQ(a.MeshRows, b.MeshRows);
    EXPECT_EQ(a.FonColor, b.FonColor);
    EXPECT_EQ(a.LangFile, b.LangFile);
    EXPECT_EQ(a.UsePreview, b.UsePreview);
    EXPECT_EQ(a.UseAccelerator, b.UseAccelerator);
    EXPECT_EQ(a.BmpPixelFormat, b.BmpPixelFormat);
    EXPECT_EQ(a.JpgPixelFormat, b.JpgPixelFormat);
    EXPECT_EQ(a.JpgCompressionQuality, b.JpgCompressionQuality);
    EXPECT_EQ(a.JpgPerformance, b.JpgPerformance);
    EXPECT_EQ(a.JpgSmoothing, b.JpgSmoothing);
    EXPECT_EQ(a.BatchExp, b.BatchExp);
}

class SettingsFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string &bytes) const
    {
        QFile file(QString::fromStdString(Path));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), qint64(bytes.size()));
        return Path;
    }

    std::string Read() const
    {
        QFile file(QString::fromStdString(Path));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll().toStdString();
    }

    QTemporaryDir Dir;
    const std::string Path = (Dir.path() + "/" + SettingsFileName).toStdString();
};

TEST_F(SettingsFileTest, AMissingFileGivesTheDefaults)
{
    const TParam param = LoadSettings(Path);
    EXPECT_EQ(param.MeshCols, 180);
    EXPECT_EQ(param.MeshRows, 90);
    EXPECT_EQ(param.FonColor, 0xC0C0C0u);
    EXPECT_EQ(param.LangFile, "");
    EXPECT_TRUE(param.UsePreview);
    EXPECT_FALSE(param.UseAccelerator);
    EXPECT_EQ(param.BmpPixelFormat, 6);
    EXPECT_EQ(param.JpgPixelFormat, 0);
    EXPECT_EQ(param.JpgCompressionQuality, 90);
    EXPECT_EQ(param.JpgPerformance, 0);
    EXPECT_FALSE(param.JpgSmoothing);
    EXPECT_EQ(param.BatchExp, 0);
}

TEST_F(SettingsFileTest, SavingWritesTenKeysInTwoSections)
{
    SaveSettings(TParam(), Path);
    EXPECT_EQ(Read(),
              "[Common]\n"
              "FonColor=12632256\n"
              "LangFile=\n"
              "UsePreview=1\n"
              "UseAccelerator=0\n"
              "\n"
              "[Export]\n"
              "BmpPixelFormat=6\n"
              "JpgPixelFormat=0\n"
              "JpgPerformance=0\n"
              "JpgCompressionQuality=90\n"
              "JpgSmoothing=0\n"
              "BatchExp=0\n");
}

TEST_F(SettingsFileTest, WrittenThenReadGivesTheSameRecord)
{
    TParam param;
    param.FonColor = 0x123456;
    param.LangFile = "/home/user/BrightLane/Languages/Deutsch.lng";
    param.UsePreview = false;
    param.UseAccelerator = true;
    param.BmpPixelFormat = 2;
    param.JpgPixelFormat = 1;
    param.JpgCompressionQuality = 0;
    param.JpgPerformance = 1;
    param.JpgSmoothing = true;
    param.BatchExp = 5;
    SaveSettings(param, Path);
    ExpectSameRecord(LoadSettings(Path), param);

    param.BmpPixelFormat = 7;
    param.JpgCompressionQuality = 100;
    param.FonColor = 0xFFFFFF;
    SaveSettings(param, Path);
    ExpectSameRecord(LoadSettings(Path), param);
}

TEST_F(SettingsFileTest, AProgramFolderWithNonAsciiLettersKeepsItsSettings)
{
    // Paths are file-system bytes (UTF-8), not text of the program's code page.
    ASSERT_TRUE(QDir(Dir.path()).mkdir(QStringLiteral("Программы")));
    const std::string path = (Dir.path() + QStringLiteral("/Программы/") + SettingsFileName).toStdString();
    TParam param;
    param.FonColor = 0x00FF00;
    SaveSettings(param, path);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(path)));
    ExpectSameRecord(LoadSettings(path), param);
}

TEST_F(SettingsFileTest, TheLanguageFileIsAPathInUtf8AndCodePageFilesAlike)
{
    // Folders the code page can spell (Cyrillic) and cannot (Japanese).
    for (const char *folder : {"/home/u/\xD0\xAF\xD0\xB7\xD1\x8B\xD0\xBA\xD0\xB8/",
                               "/home/u/\xE8\xA8\x80\xE8\xAA\x9E/"}) {
        for (const std::string mark : {"\xEF\xBB\xBF", ""}) {
            SCOPED_TRACE(folder + std::string(mark.empty() ? " plain" : " utf-8"));
            const std::string path = std::string(folder) + "Deutsch.lng";
            Write(mark + "[Common]\nLangFile=" + path + "\nFonColor=255\n");
            TParam param = LoadSettings(Path);
            EXPECT_EQ(param.LangFile, path);
            EXPECT_EQ(param.FonColor, 255u);
            SaveSettings(param, Path);
            EXPECT_EQ(Read().rfind(mark + "[Common]\nLangFile=" + path + "\n", 0), 0u) << Read();
            EXPECT_EQ(LoadSettings(Path).LangFile, path);
        }
    }
}

TEST_F(SettingsFileTest, TheMeshSizeIsNeverStored)
{
    TParam param;
    param.MeshCols = 50;
    param.MeshRows = 30;
    SaveSettings(param, Path);
    EXPECT_EQ(Read().find("Mesh"), std::string::npos);
    const TParam read = LoadSettings(Write(Read() + "[Common]\nMeshCols=50\nMeshRows=30\n"));
    EXPECT_EQ(read.MeshCols, 180);
    EXPECT_EQ(read.MeshRows, 90);
}

TEST_F(SettingsFileTest, ValuesAreParsedAsIntegersWithHexAndTrimming)
{
    const TParam param = LoadSettings(Write("[Common]\n"
                                            "FonColor=$FF\n"
                                            "LangFile=   /path/with spaces.lng   \n"
                                            "UsePreview=0\n"
                                            "UseAccelerator=-3\n"
                                            "[Export]\n"
                                            "JpgSmoothing=$10\n"
                                            "BatchExp=0x2\n"));
    EXPECT_EQ(param.FonColor, 255u);
    EXPECT_EQ(param.LangFile, "/path/with spaces.lng");
    EXPECT_FALSE(param.UsePreview);
    EXPECT_TRUE(param.UseAccelerator);
    EXPECT_TRUE(param.JpgSmoothing);
    EXPECT_EQ(param.BatchExp, 2);
}

TEST_F(SettingsFileTest, ValuesOutOfRangeOrNotNumbersGiveTheDefaults)
{
    const TParam param = LoadSettings(Write("[Common]\n"
                                            "FonColor=-1\n"
                                            "UsePreview=yes\n"
                                            "UseAccelerator=\n"
                                            "[Export]\n"
                                            "BmpPixelFormat=1\n"
                                            "JpgPixelFormat=2\n"
                                            "JpgPerformance=256\n"
                                            "JpgCompressionQuality=101\n"
                                            "JpgSmoothing=true\n"
                                            "BatchExp=6\n"));
    ExpectSameRecord(param, TParam());

    const TParam other = LoadSettings(Write("[Common]\nFonColor=$1000000\n[Export]\n"
                                            "BmpPixelFormat=262\nJpgCompressionQuality=-1\n"
                                            "BatchExp=-1\n"));
    ExpectSameRecord(other, TParam());
}

TEST_F(SettingsFileTest, ADamagedFileGivesTheDefaults)
{
    std::string junk;
    for (int i = 0; i < 3000; ++i)
        junk += char((i * 97 + 5) % 256);
    ExpectSameRecord(LoadSettings(Write(junk)), TParam());
    ExpectSameRecord(LoadSettings(Write("[Common\nFonColor==12\n[Export]]\nBatchExp 3\n")), TParam());
    ExpectSameRecord(LoadSettings(Dir.path().toStdString()), TParam());
}

TEST_F(SettingsFileTest, SavingKeepsTheFilesOtherLines)
{
    Write("; my notes\n[Common]\nFonColor=0\nWindowLeft=10\n[Mine]\nkey=value\n");
    TParam param;
    param.FonColor = 0xFF;
    SaveSettings(param, Path);
    const std::string text = Read();
    EXPECT_EQ(text.rfind("; my notes\n[Common]\nFonColor=255\n", 0), 0u) << text;
    EXPECT_NE(text.find("WindowLeft=10\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[Mine]\nkey=value\n"), std::string::npos) << text;
    EXPECT_EQ(LoadSettings(Path).FonColor, 0xFFu);
}

TEST_F(SettingsFileTest, AFailedSaveReportsTheFileAndKeepsTheOldOne)
{
    const std::string missingFolder = (Dir.path() + "/gone/" + SettingsFileName).toStdString();
    try {
        SaveSettings(TParam(), missingFolder);
        FAIL() << "no exception";
    } catch (const EIniFileException &e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + missingFolder);
    }

    Write("[Common]\nFonColor=255\n");
    TParam param;
    param.LangFile = "two\nlines";
    EXPECT_THROW(SaveSettings(param, Path), EIniFileException);
    EXPECT_EQ(Read(), "[Common]\nFonColor=255\n");
}

}  // namespace
