// Every kind of file the program saves, as a table of saves that each give
// their outcome as one text, and the files of a folder with their bytes, for
// the tests that check what every save does in one place or another.
#pragma once

#include "Exceptions.h"
#include "ExportU.h"
#include "FileSystem.h"
#include "ImageSets.h"
#include "KitGIF.h"
#include "MenuView.h"
#include "PageFiles.h"
#include "ParamU.h"
#include "ProjU.h"
#include "PropertyLibraries.h"
#include "PublishSession.h"
#include "SettingsFile.h"
#include "StreamBytes.h"
#include "UtilsU.h"

#include <QDirIterator>
#include <functional>
#include <map>
#include <string>
#include <vector>

// The outcome of a save as one text: "saved", or the message of the error
// raised.
inline std::string Raised(const std::function<void()> &save)
{
    try {
        save();
        return "saved";
    } catch (const Exception &e) {
        return e.what();
    }
}

// A save and the file its failure names.
struct TSave {
    const char *what;
    std::function<std::string()> save;
    std::string file;
};

// The save of a property library of one entry.
template <typename Library, typename Block>
TSave LibrarySave(const char *what)
{
    const auto save = [] {
        Library library;
        library.Add(Block(), "Entry");
        return Raised([&] { library.SaveToFile(); });
    };
    return {what, save, Library().FileName()};
}

using TFiles = std::map<std::string, std::vector<uint8_t>>;

// Every file under a folder with its bytes.
inline TFiles FilesUnder(const std::string &folder)
{
    TFiles files;
    QDirIterator it(QtFilePath(folder), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const std::string name = FilePathBytes(it.next());
        files[name] = FileBytes(name);
    }
    return files;
}

// The files that were added, removed or changed.
inline std::vector<std::string> Changes(const TFiles &before, const TFiles &after)
{
    std::vector<std::string> changed;
    for (const auto &[name, bytes] : before) {
        const auto now = after.find(name);
        if (now == after.end() || now->second != bytes)
            changed.push_back(name);
    }
    for (const auto &[name, bytes] : after)
        if (!before.count(name))
            changed.push_back(name);
    return changed;
}

// Every save of the program, each into the program's folders as they are
// now; the project's have proj save.
inline std::vector<TSave> EverySave(TProj &proj)
{
    std::vector<TSave> saves;
    const std::string project = ProjectsDir + "site.prj";
    saves.push_back({"project", [=, &proj] { return proj.SaveProjectAs(project) ? "saved" : proj.LastError.Bytes(); }, project});
    for (const char *name : {"b.gif", "b.bmp", "b.jpg", "b.ico", "b.wmf", "b.emf"}) {
        const std::string file = AppDir + name;
        saves.push_back({name, [=, &proj] { return Raised([&] { ExportImage(proj, file, cmWhole); }); }, file});
    }
    const std::string gifFile = AppDir + "file.gif";
    saves.push_back({"GIF file", [=, &proj] {
                         QImage picture(4, 4, QImage::Format_RGB32);
                         picture.fill(Qt::red);
                         TGIFImage gif;
                         gif.AddFrame(picture);
                         return Raised([&] { gif.SaveToFile(QtFilePath(gifFile)); });
                     },
                     gifFile});
    saves.push_back(LibrarySave<TTextureTemplate, TTextureBlock>("texture library"));
    saves.push_back(LibrarySave<TMaterialTemplate, TMaterialBlock>("material library"));
    saves.push_back(LibrarySave<TShapeTemplate, TShapeBlock>("shape library"));
    saves.push_back(LibrarySave<TDeformationTemplate, TDeformationBlock>("deformation library"));
    saves.push_back({"button template", [&proj] {
                         proj.ButtonTemplate.AddButton(*proj.Buttons[0], "Round");
                         return Raised([&] { proj.ButtonTemplate.SaveToFile("Blue.btn"); });
                     },
                     TemplatesDir + "Blue.btn"});
    const std::string page = HtmlPagesDir + "page.html";
    saves.push_back({"new page", [=, &proj] { return Raised([&] { SaveNewPage(proj, page, true); }); }, page});
    const std::string published = HtmlPagesDir + "published.html";
    saves.push_back({"published page", [=, &proj] {
                         TPublishSession session;
                         session.Opened(published);
                         TLines lines = {"<html>", "</html>"};
                         session.Insert(lines, 1, 0, MenuViewOf(proj));
                         return Raised([&] { session.Save(lines, proj, MainGauge()); });
                     },
                     published});
    const std::string images = AppDir + "set/";
    saves.push_back({"image set", [=, &proj] { return Raised([&] { BatchExportImages(proj, images); }); },
                     images + "imgn0" + GetImageExt()});
    const std::string pageFolder = AppDir + "pub";
    saves.push_back({"published image set",
                     [=, &proj] { return Raised([&] { ExportPublishImages(MainGauge(), proj, pageFolder, "blimg", 0); }); },
                     pageFolder + "/blimg/imgn0" + GetImageExt()});
    // The project saved as site.prj keeps its preview page in "site".
    saves.push_back({"preview page", [&proj] { return Raised([&] { WritePreviewPage(proj); }); },
                     ProjectsDir + "site/blimg/imgn0" + GetImageExt()});
    const std::string settings = AppDir + "Brightlane.ini";
    saves.push_back({"settings", [=] { return Raised([&] { SaveSettings(AppParam(), settings); }); }, settings});
    return saves;
}
