// Edit-to-preview latency through the state panel's own handlers: from a
// control's change to the preview image taken from the render buffer. A
// draft edit (a step of the text's top margin), an edit rendered at full
// quality (a step of the text shadow's offset), and the timer's render that
// ends draft mode (with its rebuild of the full mesh); the draft edit with
// the fast preview off. Every iteration makes a real edit: a run whose
// iterations did not all draw their previews is reported as failed.
#include "BenchMain.h"
#include "FileSystem.h"
#include "HostU.h"
#include "KitSpin.h"
#include "ParamU.h"
#include "ProjU.h"
#include "SceneU.h"
#include "StatePanel.h"
#include "UtilsU.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdint>

namespace {

// Takes the state's image as the preview does after every render.
class TPreviewHost : public THost {
public:
    void DrawPreview() override
    {
        Preview = Proj->CurrentState()->GetBitmap();
        ++Drawn;
    }
    QImage Preview;
    int64_t Drawn = 0;
};

// A project of one button whose normal state has its drop shadow and text
// shadow on, selected and shown in the state panel.
struct TEditBench {
    TEditBench()
    {
        InitAppFolders(FilePathBytes(folder.path()));
        AppParam().UseAccelerator = false;
        AppParam().UsePreview = true;
        SetHost(&host);
        Proj = &proj;
        proj.NewProject();
        proj.AddButton("Bench");
        TItem &state = *proj.CurrentState();
        state.ButtonItem.Shadow.Enabled = 1;
        state.TextItem.TextShadow = 1;
        panel.LoadFromState();
    }
    ~TEditBench()
    {
        panel.EndDraft();
        Proj = nullptr;
        SetHost(nullptr);
    }
    TKitSpinEdit &Spin(const char *name) { return *panel.findChild<TKitSpinEdit *>(QLatin1String(name)); }

    QTemporaryDir folder;
    TPreviewHost host;
    TProj proj;
    TPropFr1 panel;
};

// Steps a spin edit up and down in turn, so that every step changes it.
class TToAndFro {
public:
    explicit TToAndFro(TKitSpinEdit &edit) : FEdit(edit) {}
    void Step()
    {
        FUp ? FEdit.UpClick() : FEdit.DownClick();
        FUp = !FUp;
    }

private:
    TKitSpinEdit &FEdit;
    bool FUp = true;
};

// Fails the run unless every iteration drew as many previews as its edit
// should: an iteration that edited nothing draws none.
void CheckEveryIterationEdited(benchmark::State &run, const TPreviewHost &host, int64_t drawnBefore,
                               int64_t perIteration)
{
    if (host.Drawn - drawnBefore != perIteration * int64_t(run.iterations()))
        run.SkipWithError("an iteration made no edit");
}

// One edit an iteration.
void StepEdits(benchmark::State &run, TEditBench &bench, const char *spin)
{
    TToAndFro edit(bench.Spin(spin));
    edit.Step();  // the first edit may rebuild the mesh
    const int64_t drawn = bench.host.Drawn;
    for (auto _ : run)
        edit.Step();
    CheckEveryIterationEdited(run, bench.host, drawn, 1);
}

void BM_DraftEdit(benchmark::State &run)
{
    TEditBench bench;
    StepEdits(run, bench, "SpinEdit4");
}
BENCHMARK(BM_DraftEdit)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The same edit with the fast preview off: rendered at full quality.
void BM_DraftEditWithoutFastPreview(benchmark::State &run)
{
    TEditBench bench;
    AppParam().UsePreview = false;
    StepEdits(run, bench, "SpinEdit4");
}
BENCHMARK(BM_DraftEditWithoutFastPreview)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_FullEdit(benchmark::State &run)
{
    TEditBench bench;
    StepEdits(run, bench, "SpinEdit20");
}
BENCHMARK(BM_FullEdit)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Each iteration makes an untimed draft edit, which draws a preview, and
// times the timer's full render, which draws another.
void BM_TimerFullRender(benchmark::State &run)
{
    TEditBench bench;
    TToAndFro margin(bench.Spin("SpinEdit4"));
    const int64_t drawn = bench.host.Drawn;
    for (auto _ : run) {
        run.PauseTiming();
        margin.Step();  // a draft edit starts the timer
        run.ResumeTiming();
        bench.panel.Timer1Timer();
    }
    CheckEveryIterationEdited(run, bench.host, drawn, 2);
}
BENCHMARK(BM_TimerFullRender)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char **argv) { return RunBenchmarksIn<QApplication>(argc, argv); }
