#include "ButtonTemplate.h"

#include "BitmapCopy.h"
#include "ButtonStream.h"
#include "FileSystem.h"
#include "UtilsU.h"

namespace {

constexpr int ThumbnailWidth = 80;
constexpr int ThumbnailHeight = 20;
constexpr int ThumbnailFontSize = 8;

// The meaningful lower-left block of a picture, row by row from the bottom.
void WritePicture(TStream &stream, const TBitsmap &picture, const TItem &state)
{
    const int rowBytes = state.ImageWidth() * 4;
    for (int row = 0; row < state.ImageHeight(); ++row)
        stream.WriteBuffer(picture.Pixel(0, row), rowBytes);
}

// The state's size was checked when its record was read, so the rows fit.
void ReadPicture(TStream &stream, TBitsmap &picture, const TItem &state)
{
    const int rowBytes = state.ImageWidth() * 4;
    for (int row = 0; row < state.ImageHeight(); ++row)
        stream.ReadBuffer(picture.Pixel(0, row), rowBytes);
}

}  // namespace

namespace TemplateU {

TButtonItem::TButtonItem(TProj *owner) : Button(std::make_unique<TButtons>(owner)) {}

QImage TButtonItem::GetThumbnail(int index) const
{
    if (index < 0 || index >= StateCount)
        return QImage();
    const TItem &state = Button->States[size_t(index)];
    return BitsmapToImage(Thumbnails[size_t(index)], state.ImageWidth(), state.ImageHeight());
}

}  // namespace TemplateU

std::string TemplateNameOf(const std::string &path)
{
    const std::string extension = ".btn";
    const std::string name = ExtractFileName(path);
    if (!EndsWithExtension(name, extension, true))
        return name;
    return name.substr(0, name.size() - extension.size());
}

void TButtonTemplate::AddButton(const TButtons &button, const std::string &name)
{
    auto item = std::make_unique<TemplateU::TButtonItem>(FOwner);
    // A copy exactly as a project file would keep it.
    TMemoryStream stream;
    SaveToStream(stream, button);
    stream.SetPosition(0);
    LoadFromStream(stream, *item->Button);
    item->Name = name;
    for (int k = 0; k < StateCount; ++k) {
        TItem &state = item->Button->States[size_t(k)];
        state.Width = ThumbnailWidth;
        state.Height = ThumbnailHeight;
        state.TextItem.Size = ThumbnailFontSize;
        state.Dirty = 1;
        state.Render();
        item->Thumbnails[size_t(k)] = RenderBuffer();
    }
    Append(std::move(item));
    Modified = true;
}

std::string TButtonTemplate::LoadFromFile(const std::string &fileName)
{
    return LoadEntries(TemplatesDir + fileName, [this](TStream &stream) { ReadFrom(stream); });
}

void TButtonTemplate::ReadFrom(TStream &stream)
{
    const int32_t count = ReadInt32(stream);
    for (int32_t i = 0; i < count; ++i) {
        auto item = std::make_unique<TemplateU::TButtonItem>(FOwner);
        LoadFromStream(stream, *item->Button);
        for (int k = 0; k < StateCount; ++k)
            ReadPicture(stream, item->Thumbnails[size_t(k)], item->Button->States[size_t(k)]);
        item->ReadName(stream);
        Append(std::move(item));
    }
}

void TButtonTemplate::WriteTo(TStream &stream) const
{
    WriteInt32(stream, Count());
    for (int i = 0; i < Count(); ++i) {
        const TemplateU::TButtonItem &item = GetItem(i);
        SaveToStream(stream, *item.Button);
        for (int k = 0; k < StateCount; ++k)
            WritePicture(stream, item.Thumbnails[size_t(k)], item.Button->States[size_t(k)]);
        item.WriteName(stream);
    }
}

void TButtonTemplate::SaveToFile(const std::string &fileName)
{
    SaveEntries(TemplatesDir + fileName, [this](TStream &stream) { WriteTo(stream); });
    Modified = false;
}
