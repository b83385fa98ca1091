#include "FileSystem.h"
#include "PropertyLibraries.h"
#include "StreamBytes.h"
#include "UtilsU.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Libraries : public ::testing::Test {
protected:
    void SetUp() override { InitAppFolders(FilePathBytes(FDir.path())); }

    QTemporaryDir FDir;
};

TMaterialBlock UnusualMaterial()
{
    TMaterialBlock m;
    m.Ambient = {0.1f, 0.2f, 0.3f, 0.4f};
    m.Shininess = 17;
    m.Emission.G = 0.5f;
    return m;
}

}  // namespace

TEST_F(Libraries, MissingFilesGiveEmptyLibrariesAndSavingCreatesThem)
{
    TTextureTemplate textures;
    TMaterialTemplate materials;
    TShapeTemplate shapes;
    TDeformationTemplate deformations;
    textures.LoadFromFile();
    materials.LoadFromFile();
    shapes.LoadFromFile();
    deformations.LoadFromFile();
    EXPECT_EQ(textures.Count() + materials.Count() + shapes.Count() + deformations.Count(), 0);
    EXPECT_TRUE(textures.SaveToFile());
    EXPECT_TRUE(materials.SaveToFile());
    EXPECT_TRUE(shapes.SaveToFile());
    EXPECT_TRUE(deformations.SaveToFile());
    for (const char *name : {"Template.txr", "Template.mtr", "Template.shp", "Template.dfr"})
        EXPECT_EQ(FileBytes(TemplatesDir + name), std::vector<uint8_t>(4, 0)) << name;
}

TEST_F(Libraries, MaterialFileLayoutAndRoundTrip)
{
    TMaterialTemplate materials;
    materials.Add(UnusualMaterial(), "Gold");
    materials.Add(TMaterialBlock(), "");
    EXPECT_TRUE(materials.Modified);
    ASSERT_TRUE(materials.SaveToFile());
    EXPECT_FALSE(materials.Modified);

    const std::vector<uint8_t> file = FileBytes(TemplatesDir + "Template.mtr");
    ASSERT_EQ(file.size(), 4u + 68 + 4 + 4 + 68 + 4);
    EXPECT_EQ(Int32At(file, 0), 2);
    EXPECT_EQ(SingleAt(file, 4 + 4), 0.2f);
    EXPECT_EQ(Int32At(file, 4 + 48), 17);
    EXPECT_EQ(Int32At(file, 4 + 68), 4);
    EXPECT_EQ(TextAt(file, 4 + 72, 4), "Gold");
    EXPECT_EQ(Int32At(file, 4 + 76 + 68), 0);

    TMaterialTemplate loaded;
    loaded.LoadFromFile();
    ASSERT_EQ(loaded.Count(), 2);
    EXPECT_FALSE(loaded.Modified);
    EXPECT_EQ(loaded.GetItem(0).Name, "Gold");
    EXPECT_EQ(loaded.GetItem(0).Material.Shininess, 17);
    ASSERT_TRUE(loaded.SaveToFile());
    EXPECT_EQ(FileBytes(TemplatesDir + "Template.mtr"), file);
}

TEST_F(Libraries, TextureShapeAndDeformationKeepTheirBytes)
{
    TTextureBlock texture;
    texture.Enabled = 1;
    texture.Texels[0] = 1;
    texture.Texels[TextureBytes - 1] = 255;
    TShapeBlock shape;
    shape.A0 = -5;
    shape.Derived[3] = 9.5f;
    TDeformationBlock deformation;
    deformation.ScaleX = 0.25f;
    {
        TTextureTemplate textures;
        TShapeTemplate shapes;
        TDeformationTemplate deformations;
        textures.Add(texture, "");
        shapes.Add(shape, "");
        deformations.Add(deformation, "x");
        ASSERT_TRUE(textures.SaveToFile() && shapes.SaveToFile() && deformations.SaveToFile());
    }
    EXPECT_EQ(FileBytes(TemplatesDir + "Template.txr").size(), 4u + 12289 + 4);
    EXPECT_EQ(FileBytes(TemplatesDir + "Template.shp").size(), 4u + 64 + 4);
    EXPECT_EQ(FileBytes(TemplatesDir + "Template.dfr").size(), 4u + 44 + 5);
    TTextureTemplate textures;
    TShapeTemplate shapes;
    TDeformationTemplate deformations;
    textures.LoadFromFile();
    shapes.LoadFromFile();
    deformations.LoadFromFile();
    ASSERT_EQ(textures.Count(), 1);
    EXPECT_EQ(textures.GetItem(0).Texture.Enabled, 1);
    EXPECT_EQ(textures.GetItem(0).Texture.Texels[TextureBytes - 1], 255);
    EXPECT_EQ(shapes.GetItem(0).Shape.A0, -5);
    EXPECT_EQ(shapes.GetItem(0).Shape.Derived[3], 9.5f);
    EXPECT_EQ(deformations.GetItem(0).Deformation.ScaleX, 0.25f);
    EXPECT_EQ(deformations.GetItem(0).Name, "x");
}

TEST_F(Libraries, DeleteExchangeClearAndModified)
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
    EXPECT_EQ(shapes.Count(), 2);
    EXPECT_FALSE(shapes.Modified);
    shapes.Exchange(0, 1);
    EXPECT_FALSE(shapes.Modified);
    EXPECT_EQ(shapes.GetItem(0).Name, "b");
    // Reordered only: still saved.
    ASSERT_TRUE(shapes.SaveToFile());
    TShapeTemplate loaded;
    loaded.LoadFromFile();
    EXPECT_EQ(loaded.GetItem(0).Shape.A0, 2);
    shapes.Delete(0);
    EXPECT_TRUE(shapes.Modified);
    EXPECT_EQ(shapes.GetItem(0).Name, "a");
    shapes.Modified = false;
    shapes.Clear();
    EXPECT_EQ(shapes.Count(), 0);
    EXPECT_FALSE(shapes.Modified);
}

TEST_F(Libraries, DamagedFilesKeepTheEntriesReadBefore)
{
    TMaterialTemplate materials;
    materials.Add(UnusualMaterial(), "One");
    materials.Add(UnusualMaterial(), "Two");
    ASSERT_TRUE(materials.SaveToFile());
    const std::string name = TemplatesDir + "Template.mtr";
    const std::vector<uint8_t> good = FileBytes(name);

    struct Case {
        const char *what;
        std::vector<uint8_t> bytes;
        int expected;
    };
    std::vector<Case> cases;
    cases.push_back({"empty file", {}, 0});
    cases.push_back({"count cut", {2, 0}, 0});
    std::vector<uint8_t> negative = good;
    negative[3] = 0x80;  // count below zero
    cases.push_back({"negative count", negative, 0});
    std::vector<uint8_t> huge = good;
    huge[3] = 0x7F;  // count far beyond the data
    cases.push_back({"huge count", huge, 2});
    std::vector<uint8_t> cut = good;
    cut.resize(good.size() - 2);  // second name cut
    cases.push_back({"second name cut", cut, 1});
    std::vector<uint8_t> longName = good;
    longName[4 + 68 + 3] = 0x7F;  // first name claims 2 GB
    cases.push_back({"first name too long", longName, 0});

    for (const Case &c : cases) {
        ASSERT_TRUE(WriteFileBytes(name, c.bytes));
        TMaterialTemplate loaded;
        loaded.LoadFromFile();
        EXPECT_EQ(loaded.Count(), c.expected) << c.what;
        if (c.expected > 0) {
            EXPECT_EQ(loaded.GetItem(0).Name, "One") << c.what;
        }
    }
}

TEST_F(Libraries, FailedSaveKeepsTheOldFileAndModified)
{
    TDeformationTemplate deformations;
    deformations.Add(TDeformationBlock(), "kept");
    ASSERT_TRUE(deformations.SaveToFile());
    const std::vector<uint8_t> before = FileBytes(TemplatesDir + "Template.dfr");
    deformations.Add(TDeformationBlock(), "lost");
    ASSERT_TRUE(QFile::rename(QtFilePath(AppDir + "Templates"), QtFilePath(AppDir + "Moved")));
    EXPECT_FALSE(deformations.SaveToFile());
    EXPECT_TRUE(deformations.Modified);
    ASSERT_TRUE(QFile::rename(QtFilePath(AppDir + "Moved"), QtFilePath(AppDir + "Templates")));
    EXPECT_EQ(FileBytes(TemplatesDir + "Template.dfr"), before);
}
