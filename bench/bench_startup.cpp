// Start-up: from starting the program to its main window shown with the
// browser on the preview page, every image of the page loaded. The program
// runs on an X server of its own; the browser is asked through its DevTools
// port every few milliseconds, which the figure includes.
#include "FakeHost.h"
#include "FileSystem.h"
#include "ProgramDriver.h"
#include "ProjU.h"
#include "UtilsU.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A copy of the program in a folder of its own, so its settings and
// folders land there; with a project of two buttons beside it.
struct TInstalledProgram {
    TInstalledProgram()
    {
        program = dir.path() + "/brightlane";
        if (!QFile::copy(QStringLiteral(BL_PROGRAM), program))
            std::abort();
        TFakeHost host;
        InitAppFolders(FilePathBytes(dir.path()));
        TProj project;
        Proj = &project;
        project.NewProject();
        project.AddButton("Home");
        project.AddButton("Contact");
        if (!project.SaveProjectAs(ProjectsDir + "Site.prj"))
            std::abort();
        Proj = nullptr;
        projectFile = QtFilePath(ProjectsDir + "Site.prj");
    }

    QTemporaryDir dir;
    QString program;
    QString projectFile;
};

// Starts the program, with the project on its command line when asked, and
// waits for its page.
void RunToPage(benchmark::State &run, bool withProject)
{
    static TXvfb server;
    static TInstalledProgram installed;
    if (server.Display().isEmpty()) {
        run.SkipWithError("skipped: Xvfb did not start");
        return;
    }
    const QStringList arguments = withProject ? QStringList{installed.projectFile} : QStringList{};
    const QUrl page = QUrl::fromLocalFile(installed.dir.path() +
                                          (withProject ? "/Projects/Site/index.html" : "/Projects/index.html"));
    for (auto _ : run) {
        QElapsedTimer clock;
        clock.start();
        TRunningProgram program(installed.program, arguments, server.Display());
        const std::optional<TPageState> shown = program.WaitForPage(page, 60000);
        run.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (!shown || shown->Url != page || !shown->LoadedWhole())
            run.SkipWithError("the page was not shown");
        if (program.Terminate(20000) != 0)
            run.SkipWithError("the program did not end cleanly");
    }
}

void BM_StartToPreviewPage(benchmark::State &run) { RunToPage(run, false); }
void BM_StartWithProjectToItsPage(benchmark::State &run) { RunToPage(run, true); }

}  // namespace

BENCHMARK(BM_StartToPreviewPage)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StartWithProjectToItsPage)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
