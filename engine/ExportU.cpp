#include "ExportU.h"

#include "BmpWriter.h"
#include "ColorU.h"
#include "EmfWriter.h"
#include "Exceptions.h"
#include "GIFExport.h"
#include "IconWriter.h"
#include "JpegWriter.h"
#include "ProjU.h"
#include "Streams.h"
#include "WmfWriter.h"

namespace {

constexpr int EdgeSize = 2;

void RequireSize(int size, int needed)
{
    if (size < needed)
        throw EInvalidGraphicOperation("The image is too small to be split into a button and its edge");
}

}  // namespace

QImage CropPicture(const QImage &picture, int32_t cropMode)
{
    const int width = picture.width();
    const int height = picture.height();
    switch (cropMode) {
    case cmCutRight:
        RequireSize(width, EdgeSize + 1);
        return picture.copy(0, 0, width - EdgeSize, height);
    case cmCutBottom:
        RequireSize(height, EdgeSize + 1);
        return picture.copy(0, 0, width, height - EdgeSize);
    case cmRightEdge:
        RequireSize(width, EdgeSize);
        return picture.copy(width - EdgeSize, 0, EdgeSize, height);
    case cmBottomEdge:
        RequireSize(height, EdgeSize);
        return picture.copy(0, height - EdgeSize, width, EdgeSize);
    default:
        return picture;
    }
}

// Of the JPEG settings only the quality changes the file: the pixel format,
// smoothing and performance switches are kept in the settings but describe
// how a picture is shown, not how it is encoded.
QByteArray EncodePicture(TImageFormat format, const QImage &picture, uint32_t transparent, const TParam &param)
{
    switch (format) {
    case TImageFormat::Bmp: return WriteBmp(picture, param.BmpPixelFormat);
    case TImageFormat::Jpeg: return WriteJpeg(picture, param.JpgCompressionQuality);
    case TImageFormat::Icon: return WriteIcon(picture, transparent);
    case TImageFormat::Wmf: return WriteWmf(picture, transparent);
    case TImageFormat::Emf: return WriteEmf(picture, transparent);
    case TImageFormat::Gif: break;
    }
    return ExportGIF(picture, TColor(transparent));
}

void ExportImage(TProj &proj, const std::string &fileName, int32_t cropMode)
{
    TItem *state = proj.CurrentState();
    if (!state)
        return;
    if (state->Draft) {
        state->SetDraft(false);
        proj.RenderCurrent();
    }
    const uint32_t transparent = uint32_t(RGBAToColor(state->Background));
    const QImage picture = CropPicture(state->GetBitmap(), cropMode);
    const QByteArray bytes = EncodePicture(ImageFormatOf(fileName), picture, transparent, AppParam());
    ReplaceFileWith(fileName, bytes.constData(), bytes.size());
}
