// Speed of the project file: saving (through a temporary file renamed over
// the old one) and opening a project of 20 buttons, and duplicating one
// button through the record stream.
#include "ButtonStream.h"
#include "FileSystem.h"
#include "ProjU.h"
#include "UtilsU.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int ButtonCount = 20;

struct TBenchProject {
    TBenchProject()
    {
        InitAppFolders(FilePathBytes(dir.path()));
        Proj = &project;
        project.NewProject();
        for (int i = 0; i < ButtonCount; ++i)
            project.AddButton("Menu - " + std::to_string(i + 1));
        fileName = ProjectsDir + "bench.prj";
        if (!project.SaveProjectAs(fileName))
            std::abort();
    }
    ~TBenchProject() { Proj = nullptr; }

    QTemporaryDir dir;
    TProj project;
    std::string fileName;
};

void BM_SaveProject(benchmark::State &run)
{
    TBenchProject bench;
    for (auto _ : run)
        if (!bench.project.SaveProject())
            run.SkipWithError("save failed");
    run.SetBytesProcessed(int64_t(run.iterations()) * int64_t(QFileInfo(QtFilePath(bench.fileName)).size()));
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);

void BM_OpenProject(benchmark::State &run)
{
    TBenchProject bench;
    bench.project.CloseProject();
    for (auto _ : run) {
        bench.project.OpenProject(bench.fileName);
        if (bench.project.ButtonCount() != ButtonCount)
            run.SkipWithError("open failed");
        bench.project.CloseProject();
    }
    run.SetBytesProcessed(int64_t(run.iterations()) * int64_t(QFileInfo(QtFilePath(bench.fileName)).size()));
}
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond);

void BM_DuplicateButton(benchmark::State &run)
{
    TButtons source(nullptr);
    for (auto _ : run) {
        TMemoryStream stream;
        SaveToStream(stream, source);
        stream.SetPosition(0);
        TButtons copy(nullptr);
        LoadFromStream(stream, copy);
        benchmark::DoNotOptimize(copy.Name);
    }
}
BENCHMARK(BM_DuplicateButton)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
