#include "Exceptions.h"
#include "FailingStream.h"
#include "FileSystem.h"
#include "Streams.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> values)
{
    return std::vector<uint8_t>(values.begin(), values.end());
}

std::string ReadAll(const std::string &fileName)
{
    QFile file(QtFilePath(fileName));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll().toStdString();
}

void WriteAll(const std::string &fileName, const std::string &text)
{
    QFile file(QtFilePath(fileName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), qint64(text.size()));
}

class TempFolder : public ::testing::Test {
protected:
    std::string Path(const char *name) const { return FilePathBytes(FDir.filePath(name)); }
    QTemporaryDir FDir;
};

}  // namespace

TEST(MemoryStream, NumbersAreLittleEndian)
{
    TMemoryStream stream;
    WriteInt32(stream, 0x01020304);
    WriteInt32(stream, -2);
    WriteSingle(stream, 1.0f);
    WriteByte(stream, 0xAB);
    WriteUInt32(stream, 0xC0C0C0);
    EXPECT_EQ(stream.Bytes(), Bytes({4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0x80, 0x3F, 0xAB,
                                     0xC0, 0xC0, 0xC0, 0}));

    stream.SetPosition(0);
    EXPECT_EQ(ReadInt32(stream), 0x01020304);
    EXPECT_EQ(ReadInt32(stream), -2);
    EXPECT_EQ(ReadSingle(stream), 1.0f);
    EXPECT_EQ(ReadByte(stream), 0xAB);
    EXPECT_EQ(ReadUInt32(stream), 0xC0C0C0u);
    EXPECT_EQ(stream.Remaining(), 0);
}

TEST(MemoryStream, ShortReadRaisesAndStaysInside)
{
    TMemoryStream stream(Bytes({1, 2, 3}));
    uint8_t buffer[8] = {};
    EXPECT_THROW(stream.ReadBuffer(buffer, 4), EReadError);
    stream.SetPosition(0);
    EXPECT_THROW(ReadInt32(stream), EReadError);
    stream.SetPosition(1);
    EXPECT_NO_THROW(stream.ReadBuffer(buffer, 2));
    EXPECT_EQ(buffer[0], 2);
    EXPECT_EQ(buffer[1], 3);
    EXPECT_THROW(ReadByte(stream), EReadError);
    EXPECT_THROW(stream.ReadBuffer(buffer, -1), EReadError);
    EXPECT_NO_THROW(stream.ReadBuffer(buffer, 0));
}

TEST(MemoryStream, PositionIsClampedAndWritesOverwriteOrGrow)
{
    TMemoryStream stream(Bytes({1, 2, 3}));
    stream.SetPosition(99);
    EXPECT_EQ(stream.Position(), 3);
    stream.SetPosition(-4);
    EXPECT_EQ(stream.Position(), 0);
    stream.SetPosition(2);
    WriteByte(stream, 9);
    WriteByte(stream, 8);
    EXPECT_EQ(stream.Bytes(), Bytes({1, 2, 9, 8}));
    EXPECT_EQ(stream.Remaining(), 0);
}

TEST(FailingStream, ShortWriteRaises)
{
    TFailingStream stream(6);
    WriteInt32(stream, 1);
    EXPECT_THROW(WriteInt32(stream, 2), EWriteError);
}

TEST_F(TempFolder, FileStreamWritesAndReadsBack)
{
    const std::string name = Path("a.bin");
    {
        TFileStream out(name, TFileStream::fmCreate);
        WriteInt32(out, 7);
        WriteByte(out, 1);
    }
    TFileStream in(name, TFileStream::fmOpenRead);
    EXPECT_EQ(in.Size(), 5);
    EXPECT_EQ(ReadInt32(in), 7);
    EXPECT_EQ(in.Remaining(), 1);
    EXPECT_EQ(ReadByte(in), 1);
    EXPECT_THROW(ReadByte(in), EReadError);
}

TEST_F(TempFolder, FileStreamRefusesMissingFilesAndFolders)
{
    EXPECT_THROW(TFileStream(Path("missing.bin"), TFileStream::fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(Path("no/such/a.bin"), TFileStream::fmCreate), EFOpenError);
}

TEST(FileStream, WriteToFullDeviceRaises)
{
    if (!QFile::exists("/dev/full"))
        GTEST_SKIP() << "skipped: /dev/full is not available";
    TFileStream out("/dev/full", TFileStream::fmCreate);
    EXPECT_THROW(WriteInt32(out, 1), EWriteError);
}

TEST_F(TempFolder, SafeFileStreamKeepsTheOldFileUntilCommit)
{
    const std::string name = Path("p.prj");
    WriteAll(name, "old");
    {
        TSafeFileStream out(name);
        WriteInt32(out, 0x41414141);
        EXPECT_EQ(ReadAll(name), "old");
        out.Commit();
    }
    EXPECT_EQ(ReadAll(name), "AAAA");
    {
        TSafeFileStream out(name);
        WriteInt32(out, 0x42424242);
        // Dropped without Commit: the write is thrown away.
    }
    EXPECT_EQ(ReadAll(name), "AAAA");
    EXPECT_EQ(QDir(FDir.path()).entryList(QDir::Files), QStringList{"p.prj"});
}

TEST_F(TempFolder, ReplaceFileWithWritesTheWholeFileOrRaises)
{
    const std::string name = Path("button.gif");
    WriteAll(name, "old file");
    ReplaceFileWith(name, "new", 3);
    EXPECT_EQ(ReadAll(name), "new");
    try {
        ReplaceFileWith(Path("no/such/button.gif"), "new", 3);
        FAIL() << "no exception";
    } catch (const EFOpenError &e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + Path("no/such/button.gif") + "\". ", 0), 0u);
    }
    EXPECT_EQ(QDir(FDir.path()).entryList(QDir::Files), QStringList{"button.gif"});
}

TEST_F(TempFolder, SaveFileSafelyReportsFailureAndKeepsTheOldFile)
{
    const std::string name = Path("lib.mtr");
    WriteAll(name, "old");
    EXPECT_FALSE(SaveFileSafely(name, [](TStream &stream) {
        WriteInt32(stream, 1);
        throw EWriteError("Stream write error");
    }));
    EXPECT_EQ(ReadAll(name), "old");
    EXPECT_FALSE(SaveFileSafely(Path("no/such/lib.mtr"), [](TStream &) {}));
    EXPECT_TRUE(SaveFileSafely(name, [](TStream &stream) { WriteInt32(stream, 0); }));
    EXPECT_EQ(ReadAll(name), std::string(4, '\0'));
    EXPECT_EQ(QDir(FDir.path()).entryList(QDir::Files), QStringList{"lib.mtr"});
}

TEST_F(TempFolder, FileSystemHelpers)
{
    const std::string folder = Path("sub");
    EXPECT_TRUE(CreateFolder(folder));
    EXPECT_FALSE(CreateFolder(folder));
    EXPECT_TRUE(FileExists(folder));
    EXPECT_FALSE(FileExists(""));

    const std::string a = Path("a.btn"), b = Path("b.btn");
    WriteAll(a, "A");
    WriteAll(b, "B");
    EXPECT_FALSE(RenameFileTo(a, b));  // never replaces
    EXPECT_EQ(ReadAll(b), "B");
    EXPECT_TRUE(RenameFileTo(a, Path("c.btn")));
    EXPECT_FALSE(FileExists(a));
    EXPECT_TRUE(DeleteFileAt(b));
    EXPECT_FALSE(DeleteFileAt(b));

    EXPECT_EQ(ExtractFilePath("/x/y/site.prj"), "/x/y/");
    EXPECT_EQ(ExtractFileName("/x/y/site.prj"), "site.prj");
    EXPECT_EQ(ExtractFilePath("site.prj"), "");
    EXPECT_EQ(ExtractFileName("/x/"), "");
}

TEST_F(TempFolder, SafeFileStreamWritesThroughASymbolicLink)
{
    const std::string target = Path("real.prj"), link = Path("link.prj");
    WriteAll(target, "old");
    ASSERT_TRUE(QFile::link(QtFilePath(target), QtFilePath(link)));
    ASSERT_TRUE(SaveFileSafely(link, [](TStream &stream) { WriteByte(stream, 'n'); }));
    EXPECT_TRUE(QFileInfo(QtFilePath(link)).isSymLink());
    EXPECT_EQ(ReadAll(target), "n");
}
