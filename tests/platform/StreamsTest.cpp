#include "ErrorOf.h"
#include "FullDisk.h"
#include "StreamBytes.h"

#include <QDir>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>
#include <new>

namespace {

TEST(MemoryStream, NumbersAreLittleEndianAndReadsNeverPassTheEnd)
{
    TMemoryStream stream;
    WriteInt32(stream, 0x01020304);
    WriteSingle(stream, 1.0f);
    WriteByte(stream, 0xAB);
    WriteUInt32(stream, 0xFFFFFFFE);
    EXPECT_EQ(stream.Bytes(), std::vector<uint8_t>({4, 3, 2, 1, 0, 0, 0x80, 0x3F, 0xAB, 0xFE, 0xFF, 0xFF, 0xFF}));
    stream.SetPosition(0);
    EXPECT_EQ(ReadInt32(stream), 0x01020304);
    EXPECT_EQ(ReadSingle(stream), 1.0f);
    EXPECT_EQ(ReadByte(stream), 0xAB);
    EXPECT_EQ(ReadInt32(stream), -2);
    EXPECT_EQ(ErrorOf<EReadError>([&] { ReadByte(stream); }), "Stream read error");

    uint8_t buffer[4];
    stream.SetPosition(11);
    EXPECT_THROW(stream.ReadBuffer(buffer, 3), EReadError);
    EXPECT_THROW(stream.ReadBuffer(buffer, -1), EReadError);
    stream.SetPosition(11);
    EXPECT_NO_THROW(stream.ReadBuffer(buffer, 2));

    // The position stays inside; a write there overwrites, then grows.
    stream.SetPosition(99);
    EXPECT_EQ(stream.Position(), 13);
    stream.SetPosition(-4);
    EXPECT_EQ(stream.Position(), 0);
    stream.SetPosition(12);
    WriteInt32(stream, 0x09080706);
    EXPECT_EQ(stream.Size(), 16);
    EXPECT_EQ(stream.Bytes()[12], 6);
}

TEST(FileStream, WritesReadsAndRefusesWhatCannotBeOpened)
{
    TTempFolder dir;
    {
        TFileStream out(dir.Path("a.bin"), TFileStream::fmCreate);
        WriteInt32(out, 7);
    }
    TFileStream in(dir.Path("a.bin"), TFileStream::fmOpenRead);
    EXPECT_EQ(in.Size(), 4);
    EXPECT_EQ(ReadInt32(in), 7);
    EXPECT_THROW(ReadByte(in), EReadError);
    EXPECT_THROW(TFileStream(dir.Path("missing.bin"), TFileStream::fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(dir.Path("no/such/a.bin"), TFileStream::fmCreate), EFOpenError);
    if (QFile::exists("/dev/full")) {
        TFileStream full("/dev/full", TFileStream::fmCreate);
        EXPECT_THROW(WriteInt32(full, 1), EWriteError);
    }
}

// The old file is replaced only by a whole new one, through a symbolic link
// too, and no temporary file is left beside it.
TEST(SafeSaving, TheOldFileStaysUntilTheNewOneIsWhole)
{
    TTempFolder dir;
    const std::string name = dir.Write("p.prj", "old");
    {
        TSafeFileStream out(name);
        WriteInt32(out, 0x41414141);
        EXPECT_EQ(FileText(name), "old");
        out.Commit();
    }
    EXPECT_EQ(FileText(name), "AAAA");
    {
        TSafeFileStream dropped(name);
        WriteInt32(dropped, 0x42424242);
    }
    EXPECT_THROW(SaveFile(name,
                          [](TStream &stream) {
                              WriteInt32(stream, 1);
                              throw EWriteError(SWriteError);
                          }),
                 EWriteError);
    EXPECT_EQ(FileText(name), "AAAA");

    ReplaceFileWith(name, "new", 3);
    EXPECT_EQ(FileText(name), "new");

    ASSERT_TRUE(QFile::link(QtFilePath(name), QtFilePath(dir.Path("link.prj"))));
    SaveFile(dir.Path("link.prj"), [](TStream &stream) { WriteByte(stream, 'n'); });
    EXPECT_TRUE(QFileInfo(QtFilePath(dir.Path("link.prj"))).isSymLink());
    EXPECT_EQ(FileText(name), "n");
    EXPECT_EQ(QDir(QtFilePath(dir.Path())).entryList(QDir::Files | QDir::Hidden), QStringList({"link.prj", "p.prj"}));

    MoveFileOver(dir.Write("next.prj", "next"), name);
    EXPECT_EQ(FileText(name), "next");
    EXPECT_FALSE(FileExists(dir.Path("next.prj")));
}

// Whatever stops a save, it raises one text that names the file and gives
// the system's reason, or the writer's when the system has none; the old
// file stays as it was.
TEST(SafeSaving, AFailedSaveNamesTheFileAndTheReason)
{
    TTempFolder dir;
    const std::string name = dir.Write("p.prj", "old");
    const std::string missing = dir.Path("no/such/button.gif");
    const std::string folder = dir.Path("folder.gif");
    ASSERT_TRUE(CreateFolder(folder));
    const auto writing = [&](const std::function<void(TStream &)> &write) { return [=] { SaveFile(name, write); }; };
    const struct {
        const char *what;
        std::function<void()> save;
        std::string file;
        const char *reason;
    } cases[] = {
        {"no such folder", [&] { ReplaceFileWith(missing, "x", 1); }, missing, "No such file or directory"},
        {"a folder of that name", [&] { ReplaceFileWith(folder, "x", 1); }, folder, "Filename refers to a directory"},
        {"every write refused",
         [&] {
             TFileSizeLimit limit(0);
             ReplaceFileWith(name, "new", 3);
         },
         name, "File too large"},
        {"refused past the first block",
         [&] {
             TFileSizeLimit limit(4096);
             const std::string bytes(100000, 'x');
             ReplaceFileWith(name, bytes.data(), int64_t(bytes.size()));
         },
         name, "File too large"},
        {"the writer's own error", writing([](TStream &) { throw EWriteError(SWriteError); }), name,
         "Stream write error"},
        {"out of memory", writing([](TStream &) { throw std::bad_alloc(); }), name, "Out of memory"},
        {"a move from nowhere", [&] { MoveFileOver(dir.Path("gone.prj"), name); }, name, "No such file or directory"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ErrorOf<EWriteError>(c.save), CannotSaveFile(c.file, c.reason).what()) << c.what;
        EXPECT_EQ(FileText(name), "old") << c.what;
    }
    EXPECT_EQ(QDir(QtFilePath(dir.Path())).entryList(QDir::Files | QDir::Hidden), QStringList({"p.prj"}));
}

TEST(FileSystem, FoldersRenamesAndPathPieces)
{
    TTempFolder dir;
    EXPECT_TRUE(CreateFolder(dir.Path("sub")));
    EXPECT_FALSE(CreateFolder(dir.Path("sub")));
    EXPECT_FALSE(FileExists(""));
    const std::string a = dir.Write("a.btn", "A"), b = dir.Write("b.btn", "B");
    EXPECT_FALSE(RenameFileTo(a, b));  // never replaces
    EXPECT_EQ(FileText(b), "B");
    EXPECT_TRUE(RenameFileTo(a, dir.Path("c.btn")));
    EXPECT_TRUE(DeleteFileAt(b));
    EXPECT_FALSE(DeleteFileAt(b));
    EXPECT_FALSE(FileExists(a));

    const std::pair<const char *, std::pair<const char *, const char *>> pieces[] = {
        {"/x/y/site.prj", {"/x/y/", "site.prj"}}, {"site.prj", {"", "site.prj"}}, {"/x/", {"/x/", ""}}};
    for (const auto &[path, expected] : pieces) {
        EXPECT_EQ(ExtractFilePath(path), expected.first) << path;
        EXPECT_EQ(ExtractFileName(path), expected.second) << path;
    }
}

}  // namespace
