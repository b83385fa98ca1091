#include "ErrorOf.h"
#include "PropertyLibraries.h"
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

TEST_F(Libraries, DamagedFilesKeepTheEntriesReadBefore)
{
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
    const std::tuple<const char *, std::vector<uint8_t>, int> cases[] = {
        {"empty file", {}, 0},
        {"count cut", {2, 0}, 0},
        {"negative count", patched(3, 0x80), 0},
        {"huge count", patched(3, 0x7F), 2},
        {"second name cut", std::vector<uint8_t>(good.begin(), good.end() - 2), 1},
        {"first name claims 2 GB", patched(4 + 68 + 3, 0x7F), 0}};
    for (const auto &[what, bytes, expected] : cases) {
        ASSERT_TRUE(WriteFileBytes(materials.FileName(), bytes));
        TMaterialTemplate loaded;
        loaded.LoadFromFile();
        EXPECT_EQ(loaded.Count(), expected) << what;
        if (expected > 0) {
            EXPECT_EQ(loaded.GetItem(0).Name, "One") << what;
        }
    }
}

}  // namespace
