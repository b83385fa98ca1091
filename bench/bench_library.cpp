// What the template library dialog computes besides the render: the picture
// redrawn after every shape or deformation change, the thumbnail of each
// library list item it paints, and a texture made from a bitmap file.
#include "BmpWriter.h"
#include "FileSystem.h"
#include "GeometryPictures.h"
#include "LibraryThumbnails.h"
#include "TextureFile.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr QRgb Background = qRgb(192, 192, 192);

TShapeBlock RoundedShape()
{
    TShapeBlock shape;
    shape.A0 = -30, shape.A1 = 75, shape.A2 = 105, shape.A3 = 165;
    shape.A4 = 195, shape.A5 = 255, shape.A6 = 285, shape.A7 = 330;
    return shape;
}

void BM_ShapePicture(benchmark::State &run)
{
    for (auto _ : run)
        benchmark::DoNotOptimize(ShapePicture(RoundedShape(), Background, true));
}
BENCHMARK(BM_ShapePicture)->Unit(benchmark::kMicrosecond);

void BM_DeformationPicture(benchmark::State &run)
{
    for (auto _ : run)
        benchmark::DoNotOptimize(DeformationPicture(TDeformationBlock(), Background, true));
}
BENCHMARK(BM_DeformationPicture)->Unit(benchmark::kMicrosecond);

void BM_Thumbnails(benchmark::State &run)
{
    TTextureBlock texture;
    for (auto _ : run) {
        benchmark::DoNotOptimize(ShapeThumbnail(RoundedShape(), Background));
        benchmark::DoNotOptimize(DeformationThumbnail(TDeformationBlock(), Background));
        benchmark::DoNotOptimize(TextureThumbnail(texture));
    }
}
BENCHMARK(BM_Thumbnails)->Unit(benchmark::kMicrosecond);

// A photo-sized 24-bit bitmap file made into a texture.
void BM_TextureFromFile(benchmark::State &run)
{
    QTemporaryDir dir;
    QImage picture(1024, 768, QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x & 255, y & 255, (x ^ y) & 255));
    const QByteArray bmp = WriteBmp(picture, 6);
    const std::string name = FilePathBytes(dir.filePath("picture.bmp"));
    QFile file(QtFilePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(bmp);
    file.close();
    TTextureBlock texture;
    for (auto _ : run)
        LoadTextureFromFile(texture, name);
}
BENCHMARK(BM_TextureFromFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
