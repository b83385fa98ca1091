// One frame of a GIF image: its picture, its extension blocks and copying
// frames between images.
#include "KitGIF.h"

#include "BmpImage.h"
#include "TransparentDraw.h"

#include <QPainter>
#include <algorithm>

bool GIFAcceptCorrupt = true;

TGIFFrame::TGIFFrame(TGIFImage *owner) : Owner(owner) { NewImage(); }

void TGIFFrame::NewImage()
{
    Item = std::make_shared<TGIFItem>();
    GrayScale = false;
    Corrupted = false;
    TransparentColor = clNone;
    Left = Top = 0;
    Interlaced = false;
    AnimateInterval = 0;
    Disposal = 0;
    LocalColors = false;
}

void TGIFFrame::ReplaceBitmap() { Bitmap = QImage(); }

QImage TGIFFrame::GetBitmap()
{
    if (!Bitmap.isNull())
        return Bitmap;
    ReplaceBitmap();
    if (Item->ImageData)
        Bitmap = BmpToImage(SaveToBitmapStream());
    return Bitmap;
}

int32_t TGIFFrame::GetWidth()
{
    if (Bitmap.isNull() && !Item->ImageData)
        return 0;
    return GetBitmap().width();
}

int32_t TGIFFrame::GetHeight()
{
    if (Bitmap.isNull() && !Item->ImageData)
        return 0;
    return GetBitmap().height();
}

int32_t TGIFFrame::ExtentWidth() const { return Bitmap.isNull() ? Item->Width : Bitmap.width(); }
int32_t TGIFFrame::ExtentHeight() const { return Bitmap.isNull() ? Item->Height : Bitmap.height(); }

void TGIFFrame::SetTransparentColor(TColor value)
{
    if (value == TransparentColor)
        return;
    TransparentColor = value;
    if (Owner) {
        if (value != clNone)
            Owner->Version = gv89a;
        Owner->Changed();
    }
}

const TStrings *TGIFFrame::FindComment() const
{
    for (const TExtension &e : Extensions)
        if (e.ExtType == etComment)
            return &e.Data;
    return nullptr;
}

TStrings &TGIFFrame::GetComment()
{
    for (TExtension &e : Extensions)
        if (e.ExtType == etComment)
            return e.Data;
    TExtension comment;
    comment.ExtType = etComment;
    Extensions.push_back(comment);
    return Extensions.back().Data;
}

void TGIFFrame::SetComment(const TStrings &lines) { GetComment() = lines; }

namespace {

TExtension NewGraphicControl()
{
    TExtension e;
    e.ExtType = etGraphicControl;
    e.Header[0] = 4;
    return e;
}

// The table entry to mark transparent: the one the block names already while
// it still holds the colour (a table may repeat a colour, and only that entry's
// pixels were see-through), else the first entry equal to it; -1 for none.
int TransparentIndex(const TGIFColorTable &table, TColor color, uint8_t current)
{
    if (table.EntryEquals(current, color))
        return current;
    return table.FindColorIndex(color);
}

}  // namespace

void TGIFFrame::UpdateExtensions()
{
    auto control = std::find_if(Extensions.rbegin(), Extensions.rend(),
                                [](const TExtension &e) { return e.ExtType == etGraphicControl; });
    TExtension *graphicControl = control == Extensions.rend() ? nullptr : &*control;
    if (!graphicControl && (AnimateInterval > 0 || TransparentColor != clNone || Disposal != 0)) {
        Extensions.push_back(NewGraphicControl());
        graphicControl = &Extensions.back();
    }
    if (graphicControl) {
        uint8_t *h = graphicControl->Header.data();
        const uint16_t delay = AnimateInterval / 10;
        h[2] = static_cast<uint8_t>(delay);
        h[3] = static_cast<uint8_t>(delay >> 8);
        const int index = TransparentIndex(Item->ColorMap, TransparentColor, h[4]);
        if (index >= 0) {
            h[4] = static_cast<uint8_t>(index);
            h[1] |= 1;
        } else {
            h[1] &= ~1;
        }
        h[1] = static_cast<uint8_t>((h[1] & 0xE3) | ((Disposal * 4) & 0xFF));
    }
    Extensions.erase(std::remove_if(Extensions.begin(), Extensions.end(),
                                    [](const TExtension &e) { return e.ExtType == etComment && e.Data.empty(); }),
                     Extensions.end());
    if (!Extensions.empty() && Owner)
        Owner->Version = gv89a;
}

void TGIFFrame::Draw(QPainter &canvas, const QRect &rect, bool transparent)
{
    const QImage bitmap = GetBitmap();
    if (TransparentColor != clNone && transparent)
        DrawBitmapTransparent(canvas, rect.x(), rect.y(), rect.width(), rect.height(),
                              bitmap.rect(), bitmap, TransparentColor);
    else
        canvas.drawImage(rect, bitmap);
}

void TGIFFrame::Assign(const TGIFFrame &source)
{
    if (&source == this)
        return;
    Item = source.Item;
    LocalColors = source.Owner == Owner ? source.LocalColors : true;
    Left = source.Left;
    Top = source.Top;
    Interlaced = source.Interlaced;
    if (!source.Bitmap.isNull())
        Bitmap = source.Bitmap;
    TransparentColor = source.TransparentColor;
    AnimateInterval = source.AnimateInterval;
    Disposal = source.Disposal;
    GrayScale = source.GrayScale;
    Corrupted = source.Corrupted;
    if (const TStrings *comment = source.FindComment(); comment && !comment->empty())
        SetComment(*comment);
    if (Owner)
        Owner->UpdateScreenSize();
}

void TGIFFrame::Assign(TGIFImage &source)
{
    if (source.Frames.empty()) {
        AssignNil();
        return;
    }
    Assign(source.GetFrame(std::max(source.FrameIndex, 0)));
}

void TGIFFrame::Assign(const QImage &graphic, TColor transparentColor)
{
    if (graphic.isNull()) {
        AssignNil();
        return;
    }
    NewImage();
    Bitmap = graphic;
    if (transparentColor != clNone)
        TransparentColor = transparentColor;
    if (Owner)
        Owner->UpdateScreenSize();
}

void TGIFFrame::AssignNil()
{
    NewImage();
    Bitmap = QImage();
    if (Owner)
        Owner->UpdateScreenSize();
}
