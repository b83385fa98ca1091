// Damaged project and button-template files: opened without a crash, an
// overrun or an allocation beyond the file, and saved again when they open.
//
// The first input byte chooses what is read. Bit 0: a button template
// instead of a project. Bit 1: the rest of the input, as it is, is the file;
// otherwise it patches a valid file of two buttons (a record is about 40 KB,
// more than a fuzzer's inputs grow to): a 3-byte length to cut the file to,
// then 4-byte patches of a 3-byte offset and a byte value.
#include "FileSystem.h"
#include "ProjU.h"
#include "UtilsU.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <sanitizer/lsan_interface.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// Adding a button to a template renders its captions, which needs fonts.
// The application lives to the end of the process: Qt's own clean-up at exit
// must not run after it.
void StartGuiApplication()
{
    static int argc = 1;
    static char name[] = "fuzz_project_reader";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication *application = new QGuiApplication(argc, argv);
    (void)application;
}

struct TFuzzWorld {
    TFuzzWorld()
    {
        StartGuiApplication();
        InitAppFolders(FilePathBytes(Dir.path()));
        Proj = &Project;
        Project.NewProject();
        Project.AddButton("Home");
        Project.AddButton("News");
        Project.Buttons[1]->States[1].TextItem.Text = "Longer caption";
        Project.SaveProjectAs(ProjectFile());
        Project.NewButtonTemplate("valid");
        Project.AddButtonToTemplate("Entry");
        ValidProject = ReadFile(ProjectFile());
        ValidTemplate = ReadFile(TemplatesDir + "valid.btn");
        Project.CloseProject();
    }

    std::string ProjectFile() const { return ProjectsDir + "fuzz.prj"; }

    static std::vector<uint8_t> ReadFile(const std::string &name)
    {
        QFile file(QtFilePath(name));
        if (!file.open(QIODevice::ReadOnly))
            std::abort();
        const QByteArray bytes = file.readAll();
        return std::vector<uint8_t>(bytes.begin(), bytes.end());
    }

    static void WriteFile(const std::string &name, const std::vector<uint8_t> &bytes)
    {
        QFile file(QtFilePath(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size())) !=
                qint64(bytes.size()))
            std::abort();
    }

    QTemporaryDir Dir;
    TProj Project;
    std::vector<uint8_t> ValidProject;
    std::vector<uint8_t> ValidTemplate;
};

uint32_t Read24(const uint8_t *p) { return p[0] | p[1] << 8 | uint32_t(p[2]) << 16; }

std::vector<uint8_t> Patched(std::vector<uint8_t> file, const uint8_t *data, size_t size)
{
    if (size >= 3) {
        const size_t length = Read24(data);
        if (length < file.size())
            file.resize(length);
        data += 3;
        size -= 3;
    }
    for (; size >= 4 && !file.empty(); data += 4, size -= 4)
        file[Read24(data) % file.size()] = data[3];
    return file;
}

void OpenProject(TFuzzWorld &world, const std::vector<uint8_t> &bytes)
{
    TFuzzWorld::WriteFile(world.ProjectFile(), bytes);
    world.Project.OpenProject(world.ProjectFile());
    if (world.Project.Opened && !world.Project.SaveProjectAs(ProjectsDir + "saved.prj"))
        std::abort();
    world.Project.CloseProject();
    if (world.Project.ButtonCount() != 0)
        std::abort();
}

void OpenTemplate(TFuzzWorld &world, const std::vector<uint8_t> &bytes)
{
    TFuzzWorld::WriteFile(TemplatesDir + "fuzz.btn", bytes);
    world.Project.OpenButtonTemplate("fuzz");
    for (int i = 0; i < world.Project.ButtonTemplate.Count(); ++i)
        for (int k = 0; k < StateCount; ++k)
            if (world.Project.ButtonTemplate.GetItem(i).GetThumbnail(k).isNull())
                std::abort();
    if (!world.Project.ButtonTemplate.SaveToFile("saved.btn"))
        std::abort();
}

// The set-up renders once: what the font and OpenGL libraries keep for the
// rest of the process is theirs, not a leak of the readers under test.
TFuzzWorld &World()
{
    __lsan_disable();
    static TFuzzWorld world;
    __lsan_enable();
    return world;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TFuzzWorld &world = World();
    if (size == 0)
        return 0;
    const bool isTemplate = data[0] & 1;
    const bool raw = data[0] & 2;
    const std::vector<uint8_t> &valid = isTemplate ? world.ValidTemplate : world.ValidProject;
    const std::vector<uint8_t> bytes =
        raw ? std::vector<uint8_t>(data + 1, data + size) : Patched(valid, data + 1, size - 1);
    if (isTemplate)
        OpenTemplate(world, bytes);
    else
        OpenProject(world, bytes);
    return 0;
}
