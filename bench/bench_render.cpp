// Rendering speed of a button state with the software rasteriser: a full
// render (supersampled, full mesh, drop shadow, text shadow, caption) of the
// default size and of the largest, each also with its shadow drawn anew; a
// draft render; a mesh rebuild with its upload into the rendering context;
// and the reduction of the supersampled picture. The CPU time counts the
// rasteriser's threads too.
#include "BenchMain.h"
#include "ParamU.h"
#include "ReSample.h"
#include "RenderContext.h"
#include "SceneU.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The normal state of a new button with its drop shadow and text shadow on.
struct TBenchButton {
    TBenchButton()
    {
        AppParam().UseAccelerator = false;
        AppParam().UsePreview = true;
        state.ButtonItem.Shadow.Enabled = 1;
        state.TextItem.TextShadow = 1;
    }
    TButtons button{nullptr};
    TItem &state = button.States[stNormal];
};

void FullRender(benchmark::State &run, int width, int height)
{
    TBenchButton bench;
    bench.state.Width = width;
    bench.state.Height = height;
    bench.state.SetDraft(false);
    bench.state.Render();  // builds the mesh once
    for (auto _ : run)
        bench.state.Render();
}

void BM_FullRender(benchmark::State &run) { FullRender(run, 100, 30); }
BENCHMARK(BM_FullRender)->Unit(benchmark::kMillisecond)->MinTime(1.0)->MeasureProcessCPUTime();

void BM_FullRender250(benchmark::State &run) { FullRender(run, 250, 250); }
BENCHMARK(BM_FullRender250)->Unit(benchmark::kMillisecond)->MinTime(1.0)->MeasureProcessCPUTime();

// As above, but every render follows a change of the shadow's colour, so
// that its pass is drawn anew instead of copied from the render before: what
// an edit of the shape, size, shadow or background costs.
void FullRenderWithNewShadow(benchmark::State &run, int width, int height)
{
    TBenchButton bench;
    bench.state.Width = width;
    bench.state.Height = height;
    bench.state.SetDraft(false);
    bench.state.Render();
    TColor colour = 0;
    for (auto _ : run) {
        bench.state.ButtonItem.Shadow.Color = ++colour;
        bench.state.Render();
    }
}

void BM_FullRenderWithNewShadow(benchmark::State &run) { FullRenderWithNewShadow(run, 100, 30); }
BENCHMARK(BM_FullRenderWithNewShadow)->Unit(benchmark::kMillisecond)->MinTime(1.0)->MeasureProcessCPUTime();

void BM_FullRender250WithNewShadow(benchmark::State &run) { FullRenderWithNewShadow(run, 250, 250); }
BENCHMARK(BM_FullRender250WithNewShadow)->Unit(benchmark::kMillisecond)->MinTime(1.0)->MeasureProcessCPUTime();

void BM_DraftRender(benchmark::State &run)
{
    TBenchButton bench;
    bench.state.SetDraft(true);
    bench.state.Render();
    for (auto _ : run)
        bench.state.Render();
    bench.state.SetDraft(false);
}
BENCHMARK(BM_DraftRender)->Unit(benchmark::kMillisecond)->MinTime(1.0)->MeasureProcessCPUTime();

void BM_MeshRebuild(benchmark::State &run)
{
    TBenchButton bench;
    bench.state.SetDraft(false);
    const TRenderScope scope;
    for (auto _ : run) {
        bench.state.ButtonItem.BuildMesh();
        UploadMesh();
    }
}
BENCHMARK(BM_MeshRebuild)->Unit(benchmark::kMillisecond)->MinTime(1.0)->MeasureProcessCPUTime();

// The reduction of a 500 x 500 supersampled picture to the 250 x 250 image.
void BM_SupersampleReduction(benchmark::State &run)
{
    auto big = std::make_unique<TBigBitsmap>();
    uint32_t seed = 1;
    for (uint8_t &b : big->Data)
        b = uint8_t((seed = seed * 1103515245u + 12345u) >> 16);
    auto reduced = std::make_unique<TBitsmap>();
    for (auto _ : run)
        StretchBitsmap(*reduced, *big, HermiteFilter, 1.0f, 250, 250);
}
BENCHMARK(BM_SupersampleReduction)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

}  // namespace

// Captions need a GUI application for their fonts.
int main(int argc, char **argv) { return RunBenchmarksIn<QGuiApplication>(argc, argv); }
