// File names and the system's reasons in a message box read as the file
// system names them (as the window title shows a project's name), whatever
// their script; the program's own text stays in its code page.
#include "DialogMessageBoxes.h"
#include "FullDisk.h"
#include "MainWindowFixture.h"
#include "RemovedFolder.h"
#include "Screens.h"

#include <QFile>
#include <QMessageBox>
#include <cerrno>
#include <cstring>

namespace {

// The box that the scripted one stood for.
std::unique_ptr<QMessageBox> BoxFor(const TShownMessageBox &shown)
{
    return TDialogMessageBoxes::MakeBox(shown.Message, shown.Title, shown.Buttons, shown.Icon);
}

QString NamedText(const char *action, const std::string &file, const QString &reason)
{
    return QStringLiteral("Cannot %1 file \"%2\". %3").arg(QLatin1String(action), QFile::decodeName(file.c_str()), reason);
}

}  // namespace

TEST_F(MainWindowTest, NamesInMessagesReadAsTheFileSystemNamesThem)
{
    const std::string root = FilePathBytes(FDir.path()) + "/", disk = root + "disk/";
    ASSERT_TRUE(CreateFolder(disk));
    TSmallFileSystem small(disk, 256);
    if (!small.Mounted())
        GTEST_SKIP() << "skipped: cannot mount a small tmpfs (" << small.Failure() << "); the test needs root";
    const QString noSuchFile = QString::fromLocal8Bit(std::strerror(ENOENT));
    const QString diskFull = QString::fromLocal8Bit(std::strerror(ENOSPC));

    // "café", "Меню" and a Latin-1 "café", whose byte 0xE9 is not UTF-8.
    for (const std::string name : {"caf\xC3\xA9", "\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E", "caf\xE9"}) {
        SCOPED_TRACE(name);
        const std::string folder = root + name + "/", full = disk + name + "/";
        const TRemovedFolder removed{folder};
        ASSERT_TRUE(CreateFolder(folder));
        ASSERT_TRUE(CreateFolder(full));
        const bool text = ExactQtFilePath(name).has_value();

        FBoxes.Answer(idOK);
        Main().CommandLine = {"brightlane", folder + "missing.prj"};
        Main().FormShow();
        EXPECT_EQ(BoxFor(FBoxes.Shown().back())->text(), NamedText("open", folder + "missing.prj", noSuchFile));

        ASSERT_TRUE(small.Fill());
        for (const auto &[file, reason] : {std::pair{folder + "no/site.prj", text ? noSuchFile : QString(SNameNotUtf8)},
                                           std::pair{full + "site.prj", text ? diskFull : QString(SNameNotUtf8)}}) {
            Run("NewProject");
            Proj->FileName = file;
            Proj->Untitled = false;
            FBoxes.Answer(idOK);
            Run("SaveProject");
            EXPECT_EQ(BoxFor(FBoxes.Shown().back())->text(), NamedText("save", file, reason));
            if (name == "\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E") {
                const auto box = BoxFor(FBoxes.Shown().back());
                box->show();
                SaveScreen(*box, "MessageBox-cyrillic-name");
            }
            Proj->Modified = false;
            Run("CloseProject");
        }
        DeleteFileAt(disk + "filler");
    }
    // The program's own text, such as a language file gives it.
    EXPECT_EQ(TDialogMessageBoxes::MakeBox("\xCC\xE5\xED\xFE", "", TMsgButtons::OK, TMsgIcon::Error)->text(),
              QString::fromUtf8("Меню"));
}
