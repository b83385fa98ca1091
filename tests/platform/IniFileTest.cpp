#include "ErrorOf.h"
#include "IniFile.h"
#include "StreamBytes.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

TEST(ParseIniInteger, SignedDecimalAndHexadecimalWithin32Bits)
{
    const std::pair<const char *, int32_t> good[] = {
        {"42", 42},       {"+5", 5},         {"-3", -3},         {"007", 7},
        {"$ff", 255},     {"0X1a", 26},      {"-$10", -16},      {"$FFFFFFFF", -1},
        {"$80000000", INT32_MIN}, {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN}};
    for (const auto &[text, expected] : good) {
        int32_t value = 12345;
        EXPECT_TRUE(ParseIniInteger(text, value)) << text;
        EXPECT_EQ(value, expected) << text;
    }
    for (const char *text : {"", "-", "$", "0x", "1.5", " 5", "5 ", "5a", "--5", "2147483648", "-2147483649",
                             "$100000000", "$FG", "99999999999999999999999"}) {
        int32_t value = 12345;
        EXPECT_FALSE(ParseIniInteger(text, value)) << text;
        EXPECT_EQ(value, 12345) << text;
    }
}

// Entries in file order; lookups take the first line of exact names.
TEST(IniFile, ReadsKeysOfSectionsAsWritten)
{
    TTempFolder dir;
    const TIniFile ini(dir.Write("a.ini", "orphan=before any section\r\n; comment\r\n[First]\r\n"
                                          "  b =  two words  \r\n   ;indented=1\r\nno equals sign\r\n=no key\r\n"
                                          "empty=\r\n[ Second ] trailing\r\nx=a=b\r\n[first]\r\nb=other case\r\n"
                                          "[First]\r\nb=again\r\nhex=$FF\r\nbad=12x\r\n"));
    std::vector<std::string> entries;
    for (const TIniEntry &e : ini.Entries())
        entries.push_back(e.Section + "|" + e.Key + "|" + e.Value);
    EXPECT_EQ(entries, std::vector<std::string>({"First|b|two words", "First|empty|", "Second|x|a=b", "first|b|other case",
                                                 "First|b|again", "First|hex|$FF", "First|bad|12x"}));
    EXPECT_EQ(ini.ReadString("First", "b", "def"), "two words");
    EXPECT_EQ(ini.ReadString("First", "B", "def"), "def");
    EXPECT_EQ(ini.ReadString("first", "b", "def"), "other case");
    EXPECT_EQ(ini.ReadInteger("First", "hex", -1), 255);
    EXPECT_EQ(ini.ReadInteger("First", "bad", -1), -1);
    EXPECT_EQ(ini.ReadInteger("First", "empty", -1), -1);
    EXPECT_TRUE(ini.ReadBool("First", "hex", false));
    EXPECT_FALSE(ini.ReadBool("First", "bad", false));

    // Missing, a folder, or too large to be a settings file: empty.
    EXPECT_TRUE(TIniFile(dir.Path("missing.ini")).Entries().empty());
    EXPECT_TRUE(TIniFile(dir.Path()).Entries().empty());
    QFile huge(QtFilePath(dir.Write("huge.ini", "[S]\nk=1\n")));
    ASSERT_TRUE(huge.resize(17 * 1024 * 1024));
    EXPECT_TRUE(TIniFile(dir.Path("huge.ini")).Entries().empty());
}

TEST(IniFile, WritingChangesOnlyTheKeysLinesInTheFilesLineBreaks)
{
    TTempFolder dir;
    const std::string path = dir.Write("a.ini", "; settings\r\n[Common]\r\nOther=kept\r\nSize = 1 \r\n\r\n[Export]\r\nFormat=2\r\n");
    TIniFile ini(path);
    ini.WriteInteger("Common", "Size", 5);
    ini.WriteString("Common", "Name", "new");
    ini.WriteBool("Export", "Flag", true);
    ini.WriteString("Added", "Key", "");
    ini.UpdateFile();
    EXPECT_EQ(FileText(path), "; settings\r\n[Common]\r\nOther=kept\r\nSize=5\r\nName=new\r\n\r\n[Export]\r\nFormat=2\r\n"
                              "Flag=1\r\n\r\n[Added]\r\nKey=\r\n");

    TIniFile fresh(dir.Path("new.ini"));
    fresh.WriteString("A", "x", "1");
    fresh.WriteString("B", "y", "2");
    fresh.WriteString("A", "z", "3");
    fresh.UpdateFile();
    EXPECT_EQ(FileText(dir.Path("new.ini")), "[A]\nx=1\nz=3\n\n[B]\ny=2\n");
}

TEST(IniFile, EveryKindOfLineBreakEndsALineAndNewLinesTakeTheFirst)
{
    const std::pair<const char *, const char *> cases[] = {
        {"[S]\rk=1\rj=2", "[S]\rk=1\rj=2\rn=3\r"},
        {"[S]\rk=1\r\n\nj=2\n\n", "[S]\rk=1\r\n\nj=2\nn=3\r\n\n"},
        {"[S]\r\nk=1\rj=2\r\n", "[S]\r\nk=1\rj=2\r\nn=3\r\n"},
    };
    TTempFolder dir;
    for (const auto &[text, written] : cases) {
        TIniFile ini(dir.Write("a.ini", text));
        std::vector<std::string> entries;
        for (const TIniEntry &e : ini.Entries())
            entries.push_back(e.Section + "|" + e.Key + "|" + e.Value);
        EXPECT_EQ(entries, std::vector<std::string>({"S|k|1", "S|j|2"})) << text;
        ini.WriteString("S", "n", "3");
        ini.UpdateFile();
        EXPECT_EQ(FileText(ini.FileName()), written) << text;
    }
}

// The most memory the process ever held, in bytes.
long PeakMemory()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss * 1024L;
}

TEST(IniFile, ABlankLineCostsNoMoreThanItsOwnBytes)
{
    TTempFolder dir;
    const std::string blank(2 * 1024 * 1024, '\n');
    const std::string path = dir.Write("blank.ini", blank + "[S]\nk=1\n");
    const long before = PeakMemory();
    const TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("S", "k", ""), "1");
    EXPECT_LT(PeakMemory() - before, 8 * long(blank.size()));
}

TEST(IniFile, AFailedWriteNamesTheFileAndLeavesItAlone)
{
    TTempFolder dir;
    TIniFile nowhere(dir.Path("no such folder/a.ini"));
    nowhere.WriteString("A", "x", "1");
    EXPECT_EQ(ErrorOf<EIniFileException>([&] { nowhere.UpdateFile(); }),
              CannotSaveFile(nowhere.FileName(), "No such file or directory").what());

    TIniFile existing(dir.Write("a.ini", "[A]\nx=old\n"));
    for (const char *value : {"two\nlines", "cr\rtoo"})
        EXPECT_THROW(existing.WriteString("A", "x", value), EIniFileException) << value;
    existing.UpdateFile();
    EXPECT_EQ(FileText(existing.FileName()), "[A]\nx=old\n");
}

TEST(IniFile, Utf8FilesAreReadIntoTheCodePageAndWrittenBackAsUtf8)
{
    // "Привет" in UTF-8 and in Windows-1251.
    const std::string utf8 = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82", ansi = "\xCF\xF0\xE8\xE2\xE5\xF2";
    TTempFolder dir;
    TIniFile ini(dir.Write("u.ini", "\xEF\xBB\xBF[S]\nk=" + utf8 + "\n"));
    EXPECT_EQ(ini.ReadString("S", "k", ""), ansi);
    ini.WriteString("S", "j", ansi);
    ini.UpdateFile();
    EXPECT_EQ(FileText(ini.FileName()), "\xEF\xBB\xBF[S]\nk=" + utf8 + "\nj=" + utf8 + "\n");
    EXPECT_EQ(TIniFile(dir.Write("p.ini", "[S]\nk=" + ansi + "\n")).ReadString("S", "k", ""), ansi);
}

}  // namespace
