#include "GIFExport.h"

#include "Exceptions.h"
#include "GIFErrors.h"
#include "KitGIF.h"

namespace {

void BuildExportImage(TGIFImage &gif, const QImage &bitmap, TColor backgroundColor)
{
    if (bitmap.isNull())
        throw EInvalidGraphic(kBitmapNotValid);
    gif.AddFrame(bitmap, backgroundColor);
    // Only the encoded data is written: the frame keeps its true-colour
    // bitmap instead of having an indexed one made that nothing reads.
    gif.EncodeFrames(false);
    GIFDefaultReductionMethod = rmPopularity;
    if (backgroundColor != gif.GetBackgroundColor())
        gif.SetBackgroundColor(backgroundColor);
    gif.Transparent = true;
    if (backgroundColor != gif.Frames.front()->TransparentColor)
        gif.Frames.front()->SetTransparentColor(backgroundColor);
}

}  // namespace

QByteArray ExportGIF(const QImage &bitmap, TColor backgroundColor)
{
    TGIFImage gif;
    BuildExportImage(gif, bitmap, backgroundColor);
    const std::vector<uint8_t> file = gif.BuildFile();
    return QByteArray(reinterpret_cast<const char *>(file.data()), static_cast<qsizetype>(file.size()));
}

void ExportGIFToFile(const QImage &bitmap, TColor backgroundColor, const QString &fileName)
{
    TGIFImage gif;
    BuildExportImage(gif, bitmap, backgroundColor);
    gif.SaveToFile(fileName);
}
