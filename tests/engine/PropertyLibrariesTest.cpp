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

template <typename Block>
std::string BytesOf(const Block &block)
{
    return std::string(reinterpret_cast<const char *>(&block), sizeof block);
}

// A library file is the count, then each block's raw bytes and its name; a
// missing file is an empty library, and what is read is saved back unchanged.
template <typename Library, typename Block>
void ExpectFileLayoutAndRoundTrip(const Block &block, size_t blockBytes)
{
    Library empty;
    empty.LoadFromFile();
    ASSERT_EQ(empty.Count(), 0);
    Library library;
    library.Add(block, "Gold");
    library.Add(Block(), "");
    EXPECT_TRUE(library.Modified);
    ASSERT_TRUE(library.SaveToFile());
    EXPECT_FALSE(library.Modified);
    const std::string file = FileText(library.FileName());
    EXPECT_EQ(sizeof(Block), blockBytes);
    EXPECT_EQ(file, std::string("\2\0\0\0", 4) + BytesOf(block) + std::string("\4\0\0\0Gold", 8) + BytesOf(Block()) +
                        std::string(4, '\0'));
    Library loaded;
    loaded.LoadFromFile();
    ASSERT_EQ(loaded.Count(), 2);
    EXPECT_FALSE(loaded.Modified);
    EXPECT_EQ(loaded.GetItem(0).Name, "Gold");
    EXPECT_EQ(BytesOf(loaded.GetBlock(0)), BytesOf(block));
    ASSERT_TRUE(loaded.SaveToFile());
    EXPECT_EQ(FileText(library.FileName()), file);
}

TEST_F(Libraries, EveryKindKeepsItsBlocksBytesAndNames)
{
    TTextureBlock texture;
    texture.Enabled = 1;
    texture.Texels[TextureBytes - 1] = 255;
    TMaterialBlock material;
    material.Ambient = {0.1f, 0.2f, 0.3f, 0.4f};
    material.Shininess = 17;
    TShapeBlock shape;
    shape.A0 = -5;
    shape.Derived[3] = 9.5f;
    TDeformationBlock deformation;
    deformation.ScaleX = 0.25f;
    ExpectFileLayoutAndRoundTrip<TTextureTemplate>(texture, 12289);
    ExpectFileLayoutAndRoundTrip<TMaterialTemplate>(material, 68);
    ExpectFileLayoutAndRoundTrip<TShapeTemplate>(shape, 64);
    ExpectFileLayoutAndRoundTrip<TDeformationTemplate>(deformation, 44);
    EXPECT_EQ(FileText(TemplatesDir + "Template.mtr").substr(4 + 4, 4), std::string("\xCD\xCC\x4C\x3E", 4));  // 0.2
}

TEST_F(Libraries, OnlyAddingAndDeletingMarkTheLibraryModified)
{
    TShapeTemplate shapes;
    TShapeBlock a, b;
    a.A0 = 1;
    b.A0 = 2;
    shapes.Add(a, "a");
    shapes.Add(b, "b");
    shapes.Modified = false;
    shapes.Delete(2);
    shapes.Delete(-1);
    shapes.Exchange(0, 1);
    EXPECT_FALSE(shapes.Modified);
    EXPECT_EQ(shapes.Count(), 2);
    EXPECT_EQ(shapes.GetItem(0).Name, "b");
    shapes.Delete(0);
    EXPECT_TRUE(shapes.Modified);
    EXPECT_EQ(shapes.GetItem(0).Name, "a");
    shapes.Modified = false;
    shapes.Clear();
    EXPECT_EQ(shapes.Count(), 0);
    EXPECT_FALSE(shapes.Modified);

    ASSERT_TRUE(QDir().rename(QtFilePath(TemplatesDir), QtFilePath(AppDir + "Moved")));  // nowhere to save
    shapes.Add(a, "lost");
    EXPECT_FALSE(shapes.SaveToFile());
    EXPECT_TRUE(shapes.Modified);
}

TEST_F(Libraries, DamagedFilesKeepTheEntriesReadBefore)
{
    TMaterialTemplate materials;
    materials.Add(TMaterialBlock(), "One");
    materials.Add(TMaterialBlock(), "Two");
    ASSERT_TRUE(materials.SaveToFile());
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
