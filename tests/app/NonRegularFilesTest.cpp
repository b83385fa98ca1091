// Every file the program reads is opened at once, whatever its name names: a
// FIFO (whose plain open waits for a writer), a socket, a link to a FIFO, a
// device that never ends and a folder each get the refusal a file that
// cannot be read gets, and nothing waits on the FIFO.
#include "EverySave.h"
#include "FifoWatchdog.h"
#include "GIFErrors.h"
#include "LangSupU.h"
#include "MainWindowFixture.h"
#include "PublishDialog.h"
#include "TextureFile.h"

#include <sys/stat.h>

namespace {

// A file the program reads, how it reads it, and the outcome when it refuses
// the file for that reason.
struct TRead {
    const char *what;
    std::string file;  // in the program's folder unless absolute
    std::function<std::string(const std::string &path)> read;
    std::function<std::string(const std::string &path, const std::string &reason)> refused;
};

// What stands at a file's name instead of a regular file: it makes it and
// gives the FIFO to watch, if any.
struct TNonRegular {
    const char *what;
    std::function<std::string(const std::string &path)> make;
    std::string reason;
};

std::string MadeFifo(const std::string &path)
{
    // Open to every user, so that a test acting as another one still unblocks it.
    return ::mkfifo(path.c_str(), 0666) == 0 && ::chmod(path.c_str(), 0666) == 0 ? path : std::string();
}

std::string MadeLink(const std::string &target, const std::string &path)
{
    return ::symlink(target.c_str(), path.c_str()) == 0 ? target : std::string();
}

}  // namespace

TEST_F(MainWindowTest, WhatIsNoRegularFileIsRefusedAtOnceAsEachKindOfFile)
{
    const std::string root = FilePathBytes(FDir.path()) + "/";
    const auto cannotOpen = [](const std::string &path, const std::string &reason) {
        return std::string(CannotOpenFile(path, reason).what());
    };
    const auto always = [](const std::string &outcome) {
        return [outcome](const std::string &, const std::string &) { return outcome; };
    };
    const auto lastBox = [this] { return FBoxes.Shown().empty() ? std::string("none") : FBoxes.Shown().back().Text; };
    const TRead reads[] = {
        {"project", "Projects/a.prj",
         [](const std::string &path) {
             Proj->OpenProject(path);
             return Proj->Opened ? std::string("opened") : Proj->LastError.Bytes();
         }, cannotOpen},
        {"project on the command line", "Projects/b.prj",
         [&](const std::string &path) {
             Main().CommandLine = {"brightlane", path};
             FBoxes.Answer(idOK);
             Main().FormShow();
             return lastBox();
         }, cannotOpen},
        {"project typed into the Open dialog", "Projects/c.prj",
         [&](const std::string &path) {
             FDialogs.AnswerFile(QtFilePath(path));
             FBoxes.Answer(idOK);
             Run("OpenProject");
             return lastBox();
         }, cannotOpen},
        {"settings", "b.ini", [](const std::string &path) { return std::to_string(LoadSettings(path).FonColor); },
         always(std::to_string(TParam().FonColor))},
        {"language", "Languages/b.lng",
         [](const std::string &path) {
             TLanguage language;
             language.SetBuiltIn(false);
             language.LoadFromFile(path);
             return language.FindText("Interface", 9).value_or("none");
         }, always("none")},
        {"texture", "c.bmp",
         [](const std::string &path) {
             TTextureBlock texture;
             return Raised([&] { LoadTextureFromFile(texture, path); });
         }, always(kBitmapNotValid)},
        {"button template", "Templates/b.btn",
         [](const std::string &path) {
             TButtonTemplate loaded(Proj);
             loaded.LoadFromFile(ExtractFileName(path));
             return std::to_string(loaded.Count());
         }, always("0")},
        {"property library", TTextureTemplate().FileName(),
         [](const std::string &) {
             TTextureTemplate library;
             library.LoadFromFile();
             return std::to_string(library.Count());
         }, always("0")},
        {"page", "HtmlPages/b.html", [](const std::string &path) { return Raised([&] { ReadPageText(path); }); },
         cannotOpen},
        {"page in the publish dialog", root + "b.html",
         [](const std::string &path) {
             TPublishingF publishing;
             return Raised([&] { publishing.LoadPage(QtFilePath(path)); });
         }, cannotOpen},
    };
    const TNonRegular nonRegulars[] = {
        {"FIFO", MadeFifo, SNotRegularFile},
        {"socket", [](const std::string &path) { return ::mknod(path.c_str(), S_IFSOCK | 0666, 0) ? "" : path; },
         SNotRegularFile},
        {"link to a FIFO",
         [](const std::string &path) { return MadeLink(MadeFifo(path + ".fifo"), path); }, SNotRegularFile},
        {"link to a device", [](const std::string &path) { return MadeLink("/dev/zero", path); }, SNotRegularFile},
        {"folder", [](const std::string &path) { return CreateFolder(path) ? path : std::string(); }, "Is a directory"},
    };
    for (const TRead &read : reads) {
        const std::string path = AbsoluteFilePath(read.file, root);
        for (const TNonRegular &nonRegular : nonRegulars) {
            SCOPED_TRACE(std::string(read.what) + " as a " + nonRegular.what);
            const std::string watched = nonRegular.make(path);
            ASSERT_FALSE(watched.empty());
            {
                const TFifoWatchdog watchdog(watched);
                EXPECT_EQ(read.read(path), read.refused(path, nonRegular.reason));
                EXPECT_FALSE(watchdog.Fired()) << "waited on the FIFO";
            }
            RemoveFolderTree(path);
            RemoveFolderTree(path + ".fifo");
        }
    }
}
