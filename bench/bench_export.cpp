// Speed of the exports: the GIF image set of a 20-button project (60 renders
// and files), and one JPEG export of a rendered state.
#include "ExportU.h"
#include "FileSystem.h"
#include "ImageSets.h"
#include "ParamU.h"
#include "ProjU.h"
#include "UtilsU.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int ButtonCount = 20;

// A project of 20 default buttons in a temporary program folder.
class TBenchProject {
public:
    TBenchProject()
    {
        InitAppFolders(FilePathBytes(FDir.path()));
        FProj = std::make_unique<TProj>();
        Proj = FProj.get();
        FProj->NewProject();
        for (int i = 0; i < ButtonCount; ++i)
            FProj->AddButton("Button " + std::to_string(i + 1));
    }
    ~TBenchProject() { Proj = nullptr; }
    TProj &P() { return *FProj; }
    std::string Folder() const { return FilePathBytes(FDir.path()) + "/"; }

private:
    QTemporaryDir FDir;
    std::unique_ptr<TProj> FProj;
};

void BM_GifImageSetOf20Buttons(benchmark::State &state)
{
    TBenchProject project;
    AppParam().BatchExp = 0;
    for (auto _ : state)
        BatchExportImages(project.P(), project.Folder());
    state.counters["images"] = 3 * ButtonCount;
}
BENCHMARK(BM_GifImageSetOf20Buttons)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_JpegExportOfOneState(benchmark::State &state)
{
    TBenchProject project;
    project.P().Select(0, 0);
    project.P().RenderCurrent();
    const std::string file = project.Folder() + "button.jpg";
    for (auto _ : state)
        ExportImage(project.P(), file, cmWhole);
}
BENCHMARK(BM_JpegExportOfOneState)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
