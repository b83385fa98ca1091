// The GIF image as a list of frames: adding, encoding and choosing frames, the
// screen size and copying whole images.
#include "KitGIF.h"

#include "BmpImage.h"
#include "Exceptions.h"
#include "GIFErrors.h"

#include <QPainter>
#include <algorithm>
#include <cstdio>

TGIFImage::TGIFImage() { Clear(); }

void TGIFImage::Clear()
{
    Data = std::make_shared<TGIFData>();
    Frames.clear();
    FrameIndex = -1;
    BackgroundColor = clNone;
    RepeatCount = 1;
    Looping = false;
    Version = gvNone;
    DecodedPixels = 0;
}

void TGIFImage::Changed()
{
    if (OnChange)
        OnChange();
}

int TGIFImage::AddFrame(const QImage &graphic, TColor transparentColor)
{
    Frames.push_back(std::make_unique<TGIFFrame>(this));
    FrameIndex = GetCount() - 1;
    Frames.back()->Assign(graphic, transparentColor);
    if (Version == gvNone)
        Version = gv87a;
    if (Frames.size() > 1)
        Version = gv89a;
    return FrameIndex;
}

void TGIFImage::EncodeAllFrames() { EncodeFrames(true); }

void TGIFImage::EncodeFrames(bool replaceBitmaps)
{
    for (const auto &frame : Frames) {
        if (frame->Item->ImageData && !frame->Item->ImageData->empty()) {
            frame->UpdateExtensions();
            continue;
        }
        frame->Item->ImageData.reset();
        const std::vector<uint8_t> encoded = frame->EncodeBitmap();
        // The reduced indexes and their table are the picture that decoding
        // the new data would give, so the bitmap is made from them directly.
        if (replaceBitmaps && !HasColorTable(frame->Bitmap))
            frame->Bitmap = BmpToImage(encoded);
        frame->UpdateExtensions();
    }
}

void TGIFImage::SetBackgroundColor(TColor value)
{
    if (value == BackgroundColor)
        return;
    BackgroundColor = value;
    Changed();
}

const TGIFFrame &TGIFImage::FrameAt(int index) const
{
    if (index < 0 || index >= GetCount()) {
        char message[64];
        std::snprintf(message, sizeof message, kListIndex, index);
        throw EInvalidGraphicOperation(message);
    }
    return *Frames[static_cast<size_t>(index)];
}

TGIFFrame &TGIFImage::GetFrame(int index) { return const_cast<TGIFFrame &>(FrameAt(index)); }

QImage TGIFImage::GetBitmap()
{
    if (Frames.empty()) {
        Assign(QImage());
        return Frames.front()->GetBitmap();
    }
    if (FrameIndex >= 0 && FrameIndex < GetCount())
        return Frames[static_cast<size_t>(FrameIndex)]->GetBitmap();
    return Frames.front()->GetBitmap();
}

void TGIFImage::UpdateScreenSize()
{
    int32_t width = 0, height = 0;
    for (const auto &frame : Frames) {
        width = std::max(width, frame->ExtentWidth() + frame->Left);
        height = std::max(height, frame->ExtentHeight() + frame->Top);
    }
    ScreenWidth = static_cast<uint16_t>(width);
    ScreenHeight = static_cast<uint16_t>(height);
}

int32_t TGIFImage::GetWidth()
{
    if (FrameIndex < 0 || FrameIndex >= GetCount() || GetEmpty())
        return 0;
    return Frames[static_cast<size_t>(FrameIndex)]->GetBitmap().width();
}

int32_t TGIFImage::GetHeight()
{
    if (FrameIndex < 0 || FrameIndex >= GetCount() || GetEmpty())
        return 0;
    return Frames[static_cast<size_t>(FrameIndex)]->GetBitmap().height();
}

bool TGIFImage::GetEmpty() const
{
    if (Frames.empty())
        return true;
    const TGIFFrame &frame = FrameAt(std::max(FrameIndex, 0));
    if (!frame.Bitmap.isNull())
        return false;
    return !frame.Item->ImageData || frame.Item->ImageData->empty();
}

bool TGIFImage::GetTransparent() const
{
    return Transparent && std::any_of(Frames.begin(), Frames.end(), [](const auto &frame) {
               return frame->TransparentColor != clNone;
           });
}

void TGIFImage::SetWidth(int32_t) { throw EInvalidGraphicOperation(kCannotResize); }
void TGIFImage::SetHeight(int32_t) { throw EInvalidGraphicOperation(kCannotResize); }

void TGIFImage::Draw(QPainter &canvas, const QRect &rect)
{
    if (FrameIndex >= 0 && FrameIndex < GetCount())
        Frames[static_cast<size_t>(FrameIndex)]->Draw(canvas, rect, GetTransparent());
}

void TGIFImage::Assign(const TGIFImage &source)
{
    if (&source == this)
        return;
    Data = source.Data;
    Version = source.Version;
    BackgroundColor = source.BackgroundColor;
    RepeatCount = source.RepeatCount;
    Looping = source.Looping;
    // The copies share the source's pictures, and what they decode later
    // counts on from there.
    DecodedPixels = source.DecodedPixels;
    Frames.clear();
    for (const auto &sourceFrame : source.Frames) {
        auto frame = std::make_unique<TGIFFrame>(this);
        frame->Assign(*sourceFrame);
        frame->LocalColors = sourceFrame->LocalColors;
        Frames.push_back(std::move(frame));
    }
    ScreenWidth = source.ScreenWidth;
    ScreenHeight = source.ScreenHeight;
    FrameIndex = source.FrameIndex;
    Changed();
}

void TGIFImage::Assign(const TGIFFrame &source)
{
    const std::shared_ptr<TGIFData> sourceData = source.Owner ? source.Owner->Data : nullptr;
    Clear();
    if (sourceData) {
        Data->AspectRatio = sourceData->AspectRatio;
        Data->BitsPerPixel = sourceData->BitsPerPixel;
        Data->ColorResBits = sourceData->ColorResBits;
        Data->ColorMap = sourceData->ColorMap;
    }
    Frames.push_back(std::make_unique<TGIFFrame>(this));
    FrameIndex = GetCount() - 1;
    Frames.back()->Assign(source);
    if (Version == gvNone)
        Version = gv87a;
    Changed();
}

void TGIFImage::Assign(const QImage &bitmap, TColor transparentColor)
{
    Clear();
    AddFrame(bitmap, transparentColor);
    Changed();
}

void TGIFImage::AssignNil()
{
    Clear();
    Changed();
}
