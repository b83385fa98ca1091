// Exchanging a TGIFImage through the clipboard's data.
#include "KitGIF.h"

#include "LittleEndian.h"

#include <QBuffer>
#include <QMimeData>
#include <algorithm>

void TGIFImage::SaveToClipboardFormat(QMimeData &data)
{
    if (Frames.empty())
        return;
    data.setImageData(Frames.front()->GetBitmap());
    const bool allEncoded = std::all_of(Frames.begin(), Frames.end(), [](const auto &frame) {
        return frame->Item->ImageData && !frame->Item->ImageData->empty();
    });
    if (!allEncoded)
        return;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteData(buffer);
    data.setData(kGIFClipboardFormat, buffer.data());
}

void TGIFImage::LoadFromClipboardFormat(const QMimeData &data)
{
    if (!data.hasFormat(kGIFClipboardFormat)) {
        Assign(qvariant_cast<QImage>(data.imageData()));
        return;
    }
    QByteArray bytes = data.data(kGIFClipboardFormat);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray size = buffer.read(4);
    // Without a whole length the read runs past the data and fails as a
    // stream read error.
    const int64_t length =
        size.size() == 4 ? GetLE32(reinterpret_cast<const uint8_t *>(size.constData())) : bytes.size() + 1;
    ReadStream(length, buffer, false);
    if (!Frames.empty() && data.hasImage())
        Frames.front()->Bitmap = qvariant_cast<QImage>(data.imageData());
}
