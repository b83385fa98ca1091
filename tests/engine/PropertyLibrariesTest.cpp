#include "ErrorOf.h"
#include "FileSystem.h"
#include "PropertyLibraries.h"
#include "ScriptedMessageBoxes.h"
#include "StreamBytes.h"
#include "UtilsU.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

class Libraries : public ::testing::Test {
protected:
    void SetUp() override { InitAppFolders(FFolder.Path()); }
    TTempFolder FFolder;
};

// What each library command writes, byte for byte, is checked through the
// library dialog (LibraryDialogTest); here every kind reads back what it
// wrote, and a library that cannot be saved stays modified.
TEST_F(Libraries, EveryKindReadsBackWhatItWrote)
{
    TTextureTemplate textures;
    TMaterialTemplate materials;
    TShapeTemplate shapes;
    TDeformationTemplate deformations;
    TTextureBlock texture;
    texture.Texels[TextureBytes - 1] = 255;
    textures.Add(texture, "Grain");
    TMaterialBlock material;
    material.Shininess = 17;
    materials.Add(material, "Gold");
    TShapeBlock shape;
    shape.Derived[3] = 9.5f;
    shapes.Add(shape, "");
    TDeformationBlock deformation;
    deformation.ScaleX = 0.25f;
    deformations.Add(deformation, "Flat");
    textures.SaveToFile();
    materials.SaveToFile();
    shapes.SaveToFile();
    deformations.SaveToFile();
    TTextureTemplate t;
    TMaterialTemplate m;
    TShapeTemplate s;
    TDeformationTemplate d;
    t.LoadFromFile(), m.LoadFromFile(), s.LoadFromFile(), d.LoadFromFile();
    ASSERT_EQ(t.Count() + m.Count() + s.Count() + d.Count(), 4);
    EXPECT_FALSE(t.Modified || m.Modified || s.Modified || d.Modified);
    EXPECT_EQ(t.GetBlock(0).Texels[TextureBytes - 1], 255);
    EXPECT_EQ(m.GetItem(0).Name, "Gold");
    EXPECT_EQ(m.GetBlock(0).Shininess, 17);
    EXPECT_EQ(s.GetBlock(0).Derived[3], 9.5f);
    EXPECT_EQ(d.GetBlock(0).ScaleX, 0.25f);

    ASSERT_TRUE(QDir().rename(QtFilePath(TemplatesDir), QtFilePath(AppDir + "Moved")));  // nowhere to save
    m.Add(material, "lost");
    EXPECT_EQ(ErrorOf<EWriteError>([&] { m.SaveToFile(); }), CannotSaveFile(m.FileName(), "No such file or directory").what());
    EXPECT_TRUE(m.Modified);
}

// Adding and deleting mark a library modified; an index outside the list,
// one past the end too, deletes nothing, and swapping entries is no change
// to save.
TEST_F(Libraries, OnlyAddingAndDeletingMarkTheLibraryModified)
{
    TShapeTemplate shapes;
    TShapeBlock a, b;
    a.A0 = 1;
    b.A0 = 2;
    shapes.Add(a, "a");
    shapes.Add(b, "b");
    EXPECT_TRUE(shapes.Modified);
    shapes.Modified = false;
    for (const int outside : {2, -1, 100})
        shapes.Delete(outside);
    shapes.Exchange(0, 1);
    EXPECT_FALSE(shapes.Modified);
    ASSERT_EQ(shapes.Count(), 2);
    EXPECT_EQ(shapes.GetItem(0).Name, "b");
    shapes.Delete(0);
    EXPECT_TRUE(shapes.Modified);
    ASSERT_EQ(shapes.Count(), 1);
    EXPECT_EQ(shapes.GetItem(0).Name, "a");
}

// A file not read whole, bytes after its last entry too, keeps the entries
// read before the damage; its first save keeps it aside and says so. A file
// read whole saves as it was read.
TEST_F(Libraries, DamagedFilesKeepTheEntriesReadBefore)
{
    TScriptedMessageBoxes boxes;
    TMaterialTemplate materials;
    materials.Add(TMaterialBlock(), "One");
    materials.Add(TMaterialBlock(), "Two");
    materials.SaveToFile();
    const std::vector<uint8_t> good = FileBytes(materials.FileName());
    const auto patched = [&](size_t offset, uint8_t value) {
        std::vector<uint8_t> bytes = good;
        bytes[offset] = value;
        return bytes;
    };
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    const std::tuple<const char *, std::vector<uint8_t>, int, bool> cases[] = {
        {"whole file", good, 2, false},
        {"empty file", {}, 0, true},
        {"count cut", {2, 0}, 0, true},
        {"negative count", patched(3, 0x80), 0, true},
        {"huge count", patched(3, 0x7F), 2, true},
        {"second name cut", std::vector<uint8_t>(good.begin(), good.end() - 2), 1, true},
        {"first name claims 2 GB", patched(4 + 68 + 3, 0x7F), 0, true},
        {"a byte after the last entry", longer, 2, true}};
    const std::string copy = materials.FileName() + ".damaged";
    for (const auto &[what, bytes, expected, kept] : cases) {
        ASSERT_TRUE(WriteFileBytes(materials.FileName(), bytes));
        TMaterialTemplate loaded;
        loaded.LoadFromFile();
        EXPECT_EQ(loaded.Count(), expected) << what;
        if (expected > 0) {
            EXPECT_EQ(loaded.GetItem(0).Name, "One") << what;
        }
        if (kept)
            boxes.Answer(idOK);
        const size_t shown = boxes.Shown().size();
        loaded.SaveToFile();
        EXPECT_EQ(boxes.Shown().size() - shown, kept ? 1u : 0u) << what;
        EXPECT_EQ(FileExists(copy), kept) << what;
        EXPECT_EQ(FileBytes(kept ? copy : materials.FileName()), bytes) << what;
        DeleteFileAt(copy);
    }
    // A damaged file removed before the save leaves nothing to keep.
    ASSERT_TRUE(WriteFileBytes(materials.FileName(), {2, 0}));
    TMaterialTemplate removed;
    removed.LoadFromFile();
    ASSERT_TRUE(DeleteFileAt(removed.FileName()));
    removed.SaveToFile();
    EXPECT_EQ(FileBytes(removed.FileName()).size(), 4u);
    EXPECT_FALSE(FileExists(copy));
}

}  // namespace
