// The four property libraries: named textures, materials, shapes and
// deformations that a state copies its blocks from. Each lives in one file
// of the Templates folder: a 32-bit count, then per entry the block's raw
// bytes followed by the entry's name as a length-counted string.
#pragma once

#include "BaseTemplate.h"
#include "SceneBlocks.h"

class TTextureItem : public TBaseItem {
public:
    TTextureBlock Texture;
};

class TMaterialItem : public TBaseItem {
public:
    TMaterialBlock Material;
};

class TShapeItem : public TBaseItem {
public:
    TShapeBlock Shape;
};

class TDeformationItem : public TBaseItem {
public:
    TDeformationBlock Deformation;
};

// A library of one kind of block, kept in TemplatesDir + fileName.
template <typename Item, typename Block, Block Item::*Field>
class TBlockLibrary : public TBaseTemplate {
public:
    explicit TBlockLibrary(const char *fileName) : FFileName(fileName) {}

    Item &GetItem(int index) const { return static_cast<Item &>(TBaseTemplate::GetItem(index)); }
    const Block &GetBlock(int index) const { return GetItem(index).*Field; }

    // Appends a copy of block under name and sets Modified.
    void Add(const Block &block, const std::string &name);

    // Appends the entries of the library file. A missing or damaged file
    // ends the load quietly; the entries read before the damage stay
    // (LoadEntries).
    void LoadFromFile();

    // Replaces the library file by all entries and clears Modified; a
    // damaged file is kept aside first (SaveEntries). A failed save leaves
    // the old file and Modified as they were and raises the file's save
    // error.
    void SaveToFile();

    // Whether the entries, their order and their bytes included, differ
    // from what the file gave at the last load or took at the last save:
    // an unchanged library is not written over what another writer may
    // have put into the file since.
    bool DiffersFromFile() const { return Entries() != FFileEntries; }

    std::string FileName() const;

private:
    // The file's bytes for the entries as they are.
    std::vector<uint8_t> Entries() const;

    const char *FFileName;
    std::vector<uint8_t> FFileEntries;  // none before the first load or save
};

class TTextureTemplate : public TBlockLibrary<TTextureItem, TTextureBlock, &TTextureItem::Texture> {
public:
    TTextureTemplate() : TBlockLibrary("Template.txr") {}
};

class TMaterialTemplate
    : public TBlockLibrary<TMaterialItem, TMaterialBlock, &TMaterialItem::Material> {
public:
    TMaterialTemplate() : TBlockLibrary("Template.mtr") {}
};

class TShapeTemplate : public TBlockLibrary<TShapeItem, TShapeBlock, &TShapeItem::Shape> {
public:
    TShapeTemplate() : TBlockLibrary("Template.shp") {}
};

class TDeformationTemplate
    : public TBlockLibrary<TDeformationItem, TDeformationBlock, &TDeformationItem::Deformation> {
public:
    TDeformationTemplate() : TBlockLibrary("Template.dfr") {}
};
