#include "PropertyLibraries.h"

#include "ButtonStream.h"
#include "UtilsU.h"

template <typename Item, typename Block, Block Item::*Field>
void TBlockLibrary<Item, Block, Field>::Add(const Block &block, const std::string &name)
{
    auto item = std::make_unique<Item>();
    item.get()->*Field = block;
    item->Name = name;
    Append(std::move(item));
    Modified = true;
}

template <typename Item, typename Block, Block Item::*Field>
std::string TBlockLibrary<Item, Block, Field>::FileName() const
{
    return TemplatesDir + FFileName;
}

template <typename Item, typename Block, Block Item::*Field>
void TBlockLibrary<Item, Block, Field>::LoadFromFile()
{
    LoadEntries(FileName(), [this](TStream &stream) {
        const int32_t count = ReadInt32(stream);
        // Each entry is appended only once it was read whole, so a count
        // beyond the data ends at the first missing byte.
        for (int32_t i = 0; i < count; ++i) {
            auto item = std::make_unique<Item>();
            ReadBlock(stream, item.get()->*Field);
            item->ReadName(stream);
            Append(std::move(item));
        }
    });
    FFileEntries = Entries();
}

template <typename Item, typename Block, Block Item::*Field>
std::vector<uint8_t> TBlockLibrary<Item, Block, Field>::Entries() const
{
    TMemoryStream stream;
    WriteInt32(stream, Count());
    for (int i = 0; i < Count(); ++i) {
        WriteBlock(stream, GetBlock(i));
        GetItem(i).WriteName(stream);
    }
    return stream.Bytes();
}

template <typename Item, typename Block, Block Item::*Field>
void TBlockLibrary<Item, Block, Field>::SaveToFile()
{
    std::vector<uint8_t> entries = Entries();
    SaveEntries(FileName(),
                [&entries](TStream &stream) { stream.WriteBuffer(entries.data(), int64_t(entries.size())); });
    FFileEntries = std::move(entries);
    Modified = false;
}

template class TBlockLibrary<TTextureItem, TTextureBlock, &TTextureItem::Texture>;
template class TBlockLibrary<TMaterialItem, TMaterialBlock, &TMaterialItem::Material>;
template class TBlockLibrary<TShapeItem, TShapeBlock, &TShapeItem::Shape>;
template class TBlockLibrary<TDeformationItem, TDeformationBlock, &TDeformationItem::Deformation>;
