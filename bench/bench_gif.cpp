// GIF export of a 250 by 250 true-colour button image: colour reduction,
// LZW encoding, the whole export into a file, its bytes and its file write
// apart, and decoding, beside giflib's
// encoder and decoder on the same indexed pixels when that library is
// installed; and reading a file of many tiny frames.
#include "BmpImage.h"
#include "ColorReduction.h"
#include "FileSystem.h"
#include "GIFExport.h"
#include "KitGIF.h"
#include "LZWEncoder.h"
#include "Streams.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstring>

#ifdef BL_HAVE_GIFLIB
#include <gif_lib.h>
#endif

namespace {

constexpr int kSize = 250;

// A lit, rounded button on a flat background: smooth shading with a
// highlight and a caption-like band, as the renderer produces.
QImage ButtonImage()
{
    QImage image(kSize, kSize, QImage::Format_RGB888);
    for (int y = 0; y < kSize; ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < kSize; ++x) {
            const double dx = (x - 125) / 110.0, dy = (y - 125) / 60.0;
            const double r2 = dx * dx + dy * dy;
            uchar *p = line + 3 * x;
            if (r2 > 1.0) {
                p[0] = p[1] = p[2] = 0xC0;
                continue;
            }
            const double shade = std::sqrt(1.0 - r2);
            const double light = std::pow(std::max(0.0, shade - 0.3 * dx - 0.4 * dy), 8.0);
            const bool caption = y > 115 && y < 135 && (x / 6) % 3 != 0 && std::abs(x - 125) < 70;
            const double base = caption ? 0.15 : 0.55 * shade;
            p[0] = static_cast<uchar>(std::min(255.0, 255 * (base * 0.4 + light)));
            p[1] = static_cast<uchar>(std::min(255.0, 255 * (base * 0.7 + light)));
            p[2] = static_cast<uchar>(std::min(255.0, 255 * (base * 1.0 + light)));
        }
    }
    return image;
}

struct Indexed {
    std::vector<uint8_t> bmp;
    TBmpLayout layout;
};

const Indexed &ReducedButton()
{
    static const Indexed indexed = [] {
        Indexed i;
        i.bmp = BitmapToReducedStream(ButtonImage(), TPixelFormat::pf8bit, rmPopularity);
        i.layout = ParseBmp(i.bmp);
        return i;
    }();
    return indexed;
}

const QByteArray &ExportedButton()
{
    static const QByteArray file = ExportGIF(ButtonImage(), 0xC0C0C0);
    return file;
}

void BM_Reduce(benchmark::State &state)
{
    const QImage image = ButtonImage();
    for (auto _ : state)
        benchmark::DoNotOptimize(BitmapToReducedStream(image, TPixelFormat::pf8bit, rmPopularity));
}
BENCHMARK(BM_Reduce)->Unit(benchmark::kMicrosecond);

void BM_EncodeLZW(benchmark::State &state)
{
    const Indexed &i = ReducedButton();
    std::vector<uint8_t> out;
    for (auto _ : state) {
        out.clear();
        GIFEncodeLZW(out, kSize, kSize, 8, &i.bmp[i.layout.pixelOffset], {});
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["bytes"] = static_cast<double>(out.size());
}
BENCHMARK(BM_EncodeLZW)->Unit(benchmark::kMicrosecond);

// The whole file from the indexed pixels: the same work giflib does below.
void BM_EncodeIndexedFile(benchmark::State &state)
{
    const Indexed &i = ReducedButton();
    for (auto _ : state) {
        TGIFImage gif;
        gif.AddFrame(QImage());
        gif.Frames[0]->EncodeDIBStream(i.bmp);
        benchmark::DoNotOptimize(gif.BuildFile());
    }
}
BENCHMARK(BM_EncodeIndexedFile)->Unit(benchmark::kMicrosecond);

// The export as the user gets it: reduction, encoding and the file written.
void BM_ExportButton(benchmark::State &state)
{
    const QImage image = ButtonImage();
    const QTemporaryDir dir;
    const QString file = dir.filePath("button.gif");
    for (auto _ : state)
        ExportGIFToFile(image, 0xC0C0C0, file);
    state.counters["bytes"] = static_cast<double>(ExportedButton().size());
}
BENCHMARK(BM_ExportButton)->Unit(benchmark::kMicrosecond);

// The two halves of that export: the file's bytes made in memory, and the
// safe replacement of the file by them (a temporary file synced to the disk,
// then renamed over the old one).
void BM_ExportButtonBytes(benchmark::State &state)
{
    const QImage image = ButtonImage();
    for (auto _ : state)
        benchmark::DoNotOptimize(ExportGIF(image, 0xC0C0C0));
}
BENCHMARK(BM_ExportButtonBytes)->Unit(benchmark::kMicrosecond);

void BM_WriteExportedFile(benchmark::State &state)
{
    const QByteArray &bytes = ExportedButton();
    const QTemporaryDir dir;
    const std::string file = FilePathBytes(dir.filePath("button.gif"));
    for (auto _ : state)
        ReplaceFileWith(file, bytes.constData(), bytes.size());
}
BENCHMARK(BM_WriteExportedFile)->Unit(benchmark::kMicrosecond);

void BM_Decode(benchmark::State &state)
{
    const QByteArray &file = ExportedButton();
    for (auto _ : state) {
        TGIFImage gif;
        gif.ReadBytes(reinterpret_cast<const uint8_t *>(file.constData()), static_cast<size_t>(file.size()), true);
        benchmark::DoNotOptimize(gif.Frames[0]->Bitmap.constBits());
    }
}
BENCHMARK(BM_Decode)->Unit(benchmark::kMicrosecond);

// A file of many 1 x 1 frames of 17 bytes each, every frame then drawn:
// the time grows with the frame count, not with its square.
QByteArray ManyFrames(int count)
{
    QByteArray file("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13);
    file.append(6, '\0');  // the global table of two entries
    // A descriptor of 1 x 1, then the codes Clear, 1, End at 9 bits.
    const QByteArray frame("\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x08\x04\x00\x03\x04\x04\x00", 17);
    for (int i = 0; i < count; ++i)
        file.append(frame);
    return file.append(';');
}

void BM_ReadAndDrawManyFrames(benchmark::State &state)
{
    const QByteArray file = ManyFrames(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TGIFImage gif;
        gif.ReadBytes(reinterpret_cast<const uint8_t *>(file.constData()), static_cast<size_t>(file.size()), true);
        for (const auto &frame : gif.Frames)
            benchmark::DoNotOptimize(frame->GetBitmap().constBits());
    }
    state.SetComplexityN(state.range(0));
    state.counters["bytes"] = static_cast<double>(file.size());
}
BENCHMARK(BM_ReadAndDrawManyFrames)
    ->Arg(25000)
    ->Arg(50000)
    ->Arg(100000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

#ifdef BL_HAVE_GIFLIB

int WriteToVector(GifFileType *gif, const GifByteType *bytes, int count)
{
    auto *out = static_cast<std::vector<uint8_t> *>(gif->UserData);
    out->insert(out->end(), bytes, bytes + count);
    return count;
}

struct TMemoryInput {
    const uint8_t *data;
    size_t size;
    size_t pos;
};

int ReadFromMemory(GifFileType *gif, GifByteType *bytes, int count)
{
    auto *in = static_cast<TMemoryInput *>(gif->UserData);
    const size_t n = std::min(static_cast<size_t>(count), in->size - in->pos);
    std::memcpy(bytes, in->data + in->pos, n);
    in->pos += n;
    return static_cast<int>(n);
}

void BM_GiflibEncodeIndexedFile(benchmark::State &state)
{
    const Indexed &i = ReducedButton();
    GifColorType colors[256];
    for (int c = 0; c < 256; ++c) {
        const uint8_t *e = &i.bmp[i.layout.paletteOffset + 4 * c];
        colors[c] = {e[2], e[1], e[0]};
    }
    std::vector<GifPixelType> row(kSize);
    std::vector<uint8_t> out;
    for (auto _ : state) {
        out.clear();
        int error = 0;
        GifFileType *gif = EGifOpen(&out, WriteToVector, &error);
        ColorMapObject *map = GifMakeMapObject(256, colors);
        EGifPutScreenDesc(gif, kSize, kSize, 8, 0, map);
        EGifPutImageDesc(gif, 0, 0, kSize, kSize, false, nullptr);
        for (int y = 0; y < kSize; ++y) {
            const uint8_t *stored = &i.bmp[i.layout.pixelOffset + (kSize - 1 - y) * i.layout.stride];
            std::copy(stored, stored + kSize, row.begin());
            EGifPutLine(gif, row.data(), kSize);
        }
        EGifCloseFile(gif, &error);
        GifFreeMapObject(map);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["bytes"] = static_cast<double>(out.size());
}
BENCHMARK(BM_GiflibEncodeIndexedFile)->Unit(benchmark::kMicrosecond);

void BM_GiflibDecode(benchmark::State &state)
{
    const QByteArray &file = ExportedButton();
    for (auto _ : state) {
        TMemoryInput input{reinterpret_cast<const uint8_t *>(file.constData()), static_cast<size_t>(file.size()), 0};
        int error = 0;
        GifFileType *gif = DGifOpen(&input, ReadFromMemory, &error);
        DGifSlurp(gif);
        benchmark::DoNotOptimize(gif->SavedImages[0].RasterBits);
        DGifCloseFile(gif, &error);
    }
}
BENCHMARK(BM_GiflibDecode)->Unit(benchmark::kMicrosecond);

#endif

}  // namespace

BENCHMARK_MAIN();
