#include "IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Found by argument-dependent lookup, so beside TIniEntry.
bool operator==(const TIniEntry &a, const TIniEntry &b)
{
    return a.Section == b.Section && a.Key == b.Key && a.Value == b.Value;
}

void PrintTo(const TIniEntry &e, std::ostream *os)
{
    *os << "[" << e.Section << "] " << e.Key << "=" << e.Value;
}

namespace {

class IniFileTest : public ::testing::Test {
protected:
    std::string PathOf(const char *name) const { return (Dir.path() + "/" + name).toStdString(); }

    std::string Write(const char *name, const std::string &bytes) const
    {
        const std::string path = PathOf(name);
        QFile file(QString::fromStdString(path));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), qint64(bytes.size()));
        return path;
    }

    static std::string Read(const std::string &path)
    {
        QFile file(QString::fromStdString(path));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll().toStdString();
    }

    QTemporaryDir Dir;
};

TEST(ParseIniIntegerTest, AcceptsSignedDecimalAndHexadecimal)
{
    const std::pair<const char *, int32_t> good[] = {
        {"0", 0},           {"42", 42},           {"+5", 5},
        {"-3", -3},         {"007", 7},           {"$FF", 255},
        {"$ff", 255},       {"0x10", 16},         {"0X1a", 26},
        {"-$10", -16},      {"$FFFFFFFF", -1},    {"$80000000", INT32_MIN},
        {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN},
    };
    for (const auto &[text, expected] : good) {
        int32_t value = 12345;
        EXPECT_TRUE(ParseIniInteger(text, value)) << text;
        EXPECT_EQ(value, expected) << text;
    }
}

TEST(ParseIniIntegerTest, RejectsEverythingElseAndKeepsTheValue)
{
    const char *bad[] = {"",     "-",  "+",  "$",   "0x",         "1.5",        "abc",
                         " 5",   "5 ", "5a", "--5", "2147483648", "-2147483649", "$100000000",
                         "$FG", "1e3", "99999999999999999999999"};
    for (const char *text : bad) {
        int32_t value = 12345;
        EXPECT_FALSE(ParseIniInteger(text, value)) << text;
        EXPECT_EQ(value, 12345) << text;
    }
}

TEST_F(IniFileTest, ReadsSectionsAndKeysInFileOrder)
{
    const std::string path = Write("a.ini",
                                   "orphan=before any section\r\n"
                                   "; a comment\r\n"
                                   "[First]\r\n"
                                   "  b =  two words  \r\n"
                                   "a=1\r\n"
                                   "\r\n"
                                   "   ;indented comment=1\r\n"
                                   "no equals sign\r\n"
                                   "=no key\r\n"
                                   "empty=\r\n"
                                   "[ Second ] trailing\r\n"
                                   "x=a=b\r\n"
                                   "[first]\r\n"
                                   "a=other case\r\n"
                                   "[First]\r\n"
                                   "a=again");
    const TIniFile ini(path);
    const std::vector<TIniEntry> expected = {
        {"First", "b", "two words"}, {"First", "a", "1"},           {"First", "empty", ""},
        {"Second", "x", "a=b"},      {"first", "a", "other case"}, {"First", "a", "again"},
    };
    EXPECT_EQ(ini.Entries(), expected);
}

TEST_F(IniFileTest, LooksUpTheFirstOccurrenceWithExactNames)
{
    const TIniFile ini(Write("a.ini", "[S]\nk=1\nk=2\n[s]\nK=3\n[S]\nj=4\n"));
    EXPECT_EQ(ini.ReadString("S", "k", "def"), "1");
    EXPECT_EQ(ini.ReadString("S", "j", "def"), "4");
    EXPECT_EQ(ini.ReadString("S", "K", "def"), "def");
    EXPECT_EQ(ini.ReadString("s", "K", "def"), "3");
    EXPECT_EQ(ini.ReadString("T", "k", "def"), "def");
}

TEST_F(IniFileTest, ReadsIntegersAndBooleans)
{
    const TIniFile ini(Write("a.ini", "[S]\nhex=$FF\nbad=12x\nzero=0\nseven=7\nempty=\n"));
    EXPECT_EQ(ini.ReadInteger("S", "hex", -1), 255);
    EXPECT_EQ(ini.ReadInteger("S", "bad", -1), -1);
    EXPECT_EQ(ini.ReadInteger("S", "empty", -1), -1);
    EXPECT_EQ(ini.ReadInteger("S", "missing", -1), -1);
    EXPECT_FALSE(ini.ReadBool("S", "zero", true));
    EXPECT_TRUE(ini.ReadBool("S", "seven", false));
    EXPECT_TRUE(ini.ReadBool("S", "bad", true));
    EXPECT_FALSE(ini.ReadBool("S", "bad", false));
}

TEST_F(IniFileTest, MissingDamagedOrHugeFilesGiveAnEmptyDocument)
{
    EXPECT_TRUE(TIniFile(PathOf("missing.ini")).Entries().empty());
    EXPECT_TRUE(TIniFile(Dir.path().toStdString()).Entries().empty());

    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += char((i * 131 + 7) % 256);
    const TIniFile damaged(Write("junk.ini", junk));
    EXPECT_EQ(damaged.ReadString("Common", "FonColor", "def"), "def");

    const std::string huge = Write("huge.ini", "[S]\nk=1\n");
    QFile file(QString::fromStdString(huge));
    ASSERT_TRUE(file.resize(17 * 1024 * 1024));
    EXPECT_TRUE(TIniFile(huge).Entries().empty());
}

TEST_F(IniFileTest, WritingChangesOnlyTheKeysLines)
{
    const std::string path = Write("a.ini",
                                   "; settings\r\n"
                                   "[Common]\r\n"
                                   "Other=kept\r\n"
                                   "Size = 1 \r\n"
                                   "\r\n"
                                   "[Export]\r\n"
                                   "Format=2\r\n");
    TIniFile ini(path);
    ini.WriteInteger("Common", "Size", 5);
    ini.WriteString("Common", "Name", "new");
    ini.WriteBool("Export", "Flag", true);
    ini.WriteString("Added", "Key", "");
    ini.UpdateFile();
    EXPECT_EQ(Read(path),
              "; settings\r\n"
              "[Common]\r\n"
              "Other=kept\r\n"
              "Size=5\r\n"
              "Name=new\r\n"
              "\r\n"
              "[Export]\r\n"
              "Format=2\r\n"
              "Flag=1\r\n"
              "\r\n"
              "[Added]\r\n"
              "Key=\r\n");
    EXPECT_EQ(TIniFile(path).ReadInteger("Common", "Size", 0), 5);
}

TEST_F(IniFileTest, ANewFileTakesPlainLineBreaks)
{
    const std::string path = PathOf("new.ini");
    TIniFile ini(path);
    ini.WriteString("A", "x", "1");
    ini.WriteString("B", "y", "2");
    ini.WriteString("A", "z", "3");
    ini.UpdateFile();
    EXPECT_EQ(Read(path), "[A]\nx=1\nz=3\n\n[B]\ny=2\n");
}

TEST_F(IniFileTest, AFailedWriteNamesTheFileAndLeavesItAlone)
{
    const std::string path = PathOf("no such folder/a.ini");
    TIniFile ini(path);
    ini.WriteString("A", "x", "1");
    try {
        ini.UpdateFile();
        FAIL() << "no exception";
    } catch (const EIniFileException &e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }

    const std::string existing = Write("a.ini", "[A]\nx=old\n");
    TIniFile other(existing);
    EXPECT_THROW(other.WriteString("A", "x", "two\nlines"), EIniFileException);
    EXPECT_THROW(other.WriteString("A", "x", "cr\rtoo"), EIniFileException);
    other.UpdateFile();
    EXPECT_EQ(Read(existing), "[A]\nx=old\n");
}

TEST_F(IniFileTest, Utf8FilesAreReadIntoTheCodePageAndWrittenBackAsUtf8)
{
    // "Привет" in UTF-8 and in Windows-1251.
    const std::string utf8 = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";
    const std::string ansi = "\xCF\xF0\xE8\xE2\xE5\xF2";
    const std::string path = Write("u.ini", "\xEF\xBB\xBF[S]\nk=" + utf8 + "\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("S", "k", ""), ansi);
    ini.WriteString("S", "j", ansi);
    ini.UpdateFile();
    EXPECT_EQ(Read(path), "\xEF\xBB\xBF[S]\nk=" + utf8 + "\nj=" + utf8 + "\n");

    const std::string plain = Write("p.ini", "[S]\nk=" + ansi + "\n");
    EXPECT_EQ(TIniFile(plain).ReadString("S", "k", ""), ansi);
}

}  // namespace
