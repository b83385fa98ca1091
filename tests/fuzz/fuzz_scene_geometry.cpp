// Outline, profile, mesh and caption placement of a state whose blocks come
// from a damaged file: any angles, scales, offsets, sizes and margins build
// a mesh without NaN normals and merge a caption inside the render buffer.
//
// Input: the raw shape (64 bytes), deformation (44), shadow (16), size group
// (28) and text-shadow group (16) blocks, then the mesh size (a byte each for
// columns and rows), the caption's alignments, margins and font size (4 bytes
// each), its style and charset (a byte each), its colour (4 bytes) and
// smoothing (a byte); the rest is the caption text. Missing bytes keep
// defaults.
#include "GuiApplication.h"
#include "Mesh.h"
#include "ParamU.h"
#include "SceneU.h"

#include <sanitizer/lsan_interface.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int MaxFuzzedCols = 64;
constexpr int MaxFuzzedRows = 32;
constexpr int MaxFuzzedWidth = 128;
constexpr int MaxFuzzedHeight = 48;

class TInput {
public:
    TInput(const uint8_t *data, size_t size) : data(data), left(size) {}

    template <typename T>
    void Read(T &value)
    {
        if (left < sizeof(T))
            return;
        std::memcpy(&value, data, sizeof(T));
        data += sizeof(T);
        left -= sizeof(T);
    }

    std::string Rest() const { return std::string(reinterpret_cast<const char *>(data), std::min<size_t>(left, 64)); }

private:
    const uint8_t *data;
    size_t left;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    StartGuiApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TItem item(nullptr);
    TInput input(data, size);
    input.Read(item.ButtonItem.Shape);
    input.Read(item.ButtonItem.Deformation);
    input.Read(item.ButtonItem.Shadow);
    input.Read(item.SizeGroup());
    // Captions are merged pixel by pixel over the whole state: states of up
    // to 127 x 47 pixels (any sign) keep that cheap; the clamp to the render
    // buffer is the same for every size.
    item.Width %= MaxFuzzedWidth;
    item.Height %= MaxFuzzedHeight;
    input.Read(item.TextItem.ShadowGroup());
    // Small meshes only: every size takes the same paths, and a full one of
    // 360 x 180 points would make each input cost a tenth of a second.
    uint8_t cols = 50, rows = 30;
    input.Read(cols);
    input.Read(rows);
    AppParam().MeshCols = 1 + cols % MaxFuzzedCols;
    AppParam().MeshRows = 1 + rows % MaxFuzzedRows;
    TTextItem &text = item.TextItem;
    input.Read(text.VAlign);
    input.Read(text.HAlign);
    input.Read(text.TopMargin);
    input.Read(text.LeftMargin);
    input.Read(text.Size);
    input.Read(text.Style);
    input.Read(text.Charset);
    input.Read(text.Color);
    input.Read(text.Smooth);
    text.Text = input.Rest();

    item.ButtonItem.BuildMesh();
    const TMeshSize built = BuiltMeshSize();
    for (int r = 0; r < built.Rows; ++r)
        for (int i = 0; i < built.Cols; ++i) {
            const TVector3 &n = MeshNormals[size_t(r) * MeshRingStride + size_t(i)];
            if (std::isnan(n.X) || std::isnan(n.Y) || std::isnan(n.Z))
                std::abort();
        }

    // Qt keeps what fontconfig gives it for each new font in caches that
    // the leak checker cannot follow.
    __lsan_disable();
    text.Draw(RenderBuffer());
    item.Draft = 1;
    text.Draw(RenderBuffer());
    __lsan_enable();
    return 0;
}
