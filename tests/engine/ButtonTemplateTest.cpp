#include "ButtonStream.h"
#include "ProjectFixture.h"
#include "StreamBytes.h"

#include <QDir>
#include <QFileInfo>
#include <numeric>

namespace {

class ButtonTemplates : public ProjectTest {
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        P().NewProject();
        P().AddButton("Home");
        P().AddButton("News");
        // Whatever the renders leave in the buffer becomes the pictures.
        std::iota(RenderBuffer().Data.begin(), RenderBuffer().Data.end(), uint8_t(0));
    }

    std::string TemplatePath(const char *name) const { return TemplatesDir + name; }

    // A template "Blue" holding the given number of entries.
    void MakeTemplate(int entries)
    {
        ASSERT_TRUE(P().NewButtonTemplate("Blue"));
        for (int i = 0; i < entries; ++i)
            P().AddButtonToTemplate("Entry " + std::to_string(i));
    }
};

std::vector<uint8_t> RecordOf(const TButtons &button)
{
    return BytesWrittenBy([&](TStream &s) { SaveToStream(s, button); });
}

}  // namespace

TEST_F(ButtonTemplates, NewTemplateIsAnEmptyFileInTheTemplatesFolder)
{
    ASSERT_TRUE(P().NewButtonTemplate(AppDir + "elsewhere/Blue.set.btn"));
    EXPECT_EQ(P().TemplateFileName, "Blue.set.btn");
    EXPECT_EQ(FileBytes(TemplatePath("Blue.set.btn")), std::vector<uint8_t>(4, 0));

    // An existing template is never emptied by making a new one of its name.
    P().AddButtonToTemplate("Kept");
    const std::vector<uint8_t> before = FileBytes(TemplatePath("Blue.set.btn"));
    EXPECT_FALSE(P().NewButtonTemplate("Blue.set.btn"));
    EXPECT_EQ(FileBytes(TemplatePath("Blue.set.btn")), before);
    EXPECT_EQ(P().ButtonTemplate.Count(), 1);
    EXPECT_FALSE(P().NewButtonTemplate(".btn"));
}

TEST_F(ButtonTemplates, EntryLayoutAndCounters)
{
    P().Buttons[0]->States[0].Width = 120;
    P().Buttons[0]->States[0].Height = 40;
    P().Buttons[0]->States[0].TextItem.Size = 14;
    P().Select(0, 0);
    MakeTemplate(1);
    const TemplateU::TButtonItem &entry = P().ButtonTemplate.GetItem(0);
    for (const TItem &state : entry.Button->States) {
        EXPECT_EQ(state.Width, 80);
        EXPECT_EQ(state.Height, 20);
        EXPECT_EQ(state.TextItem.Size, 8);
    }
    EXPECT_EQ(P().Buttons[0]->States[0].Width, 120);  // the source is unchanged
    EXPECT_FALSE(P().ButtonTemplate.Modified);  // saved at once

    const std::vector<uint8_t> file = FileBytes(TemplatePath("Blue.btn"));
    const std::vector<uint8_t> record = RecordOf(*entry.Button);
    ASSERT_EQ(file.size(), 4 + record.size() + 3 * 6400 + 4 + 7);
    EXPECT_EQ(Int32At(file, 0), 1);
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 4, file.begin() + 4 + long(record.size())), record);
    // The first picture's second row starts with pixel (0, 1) of its thumbnail.
    const size_t picture = 4 + record.size();
    EXPECT_EQ(file[picture + 320], entry.Thumbnails[0].Pixel(0, 1)[0]);
    EXPECT_EQ(TextAt(file, file.size() - 7, 7), "Entry 0");
}

TEST_F(ButtonTemplates, OpeningCountsTheEntries)
{
    MakeTemplate(5);
    P().TemplateButtonIndex = 3;
    P().OpenButtonTemplate("Blue");
    EXPECT_EQ(P().ButtonTemplate.Count(), 5);
    EXPECT_EQ(P().NextTemplateButtonNo, 6);
    EXPECT_EQ(P().TemplateButtonIndex, -1);
    P().AddButtonToTemplate("Sixth");
    EXPECT_EQ(P().NextTemplateButtonNo, 7);

    P().OpenButtonTemplate("Missing");
    EXPECT_EQ(P().ButtonTemplate.Count(), 0);
    EXPECT_EQ(P().TemplateFileName, "Missing.btn");
    EXPECT_EQ(P().NextTemplateButtonNo, 1);
}

TEST_F(ButtonTemplates, RoundTripKeepsRecordsAndPictures)
{
    P().Buttons[1]->States[2].ButtonItem.Shape.A0 = 20;
    P().Select(1, 2);
    MakeTemplate(2);
    const std::vector<uint8_t> file = FileBytes(TemplatePath("Blue.btn"));
    const std::vector<uint8_t> record = RecordOf(*P().ButtonTemplate.GetItem(1).Button);
    const TBitsmap picture = P().ButtonTemplate.GetItem(1).Thumbnails[2];

    P().OpenButtonTemplate("Blue.btn");
    ASSERT_EQ(P().ButtonTemplate.Count(), 2);
    const TemplateU::TButtonItem &loaded = P().ButtonTemplate.GetItem(1);
    EXPECT_EQ(loaded.Name, "Entry 1");
    EXPECT_EQ(RecordOf(*loaded.Button), record);
    for (int row = 0; row < 20; ++row)
        for (int x = 0; x < 80 * 4; ++x)
            ASSERT_EQ(loaded.Thumbnails[2].Pixel(0, row)[x], picture.Pixel(0, row)[x]);
    EXPECT_EQ(loaded.Thumbnails[2].Pixel(80, 0)[0], 0);  // beyond the state: never read
    ASSERT_TRUE(P().ButtonTemplate.SaveToFile(P().TemplateFileName));
    EXPECT_EQ(FileBytes(TemplatePath("Blue.btn")), file);
}

TEST_F(ButtonTemplates, ThumbnailIsUpright)
{
    P().Select(0, 0);
    MakeTemplate(1);
    const TemplateU::TButtonItem &entry = P().ButtonTemplate.GetItem(0);
    const QImage image = entry.GetThumbnail(1);
    ASSERT_EQ(image.width(), 80);
    ASSERT_EQ(image.height(), 20);
    EXPECT_EQ(image.format(), QImage::Format_RGB888);
    const uint8_t *top = entry.Thumbnails[1].Pixel(5, 19);
    EXPECT_EQ(image.pixel(5, 0), qRgb(top[0], top[1], top[2]));
    EXPECT_TRUE(entry.GetThumbnail(3).isNull());
}

TEST_F(ButtonTemplates, AddingMarksTheCurrentStateDirty)
{
    P().Select(0, 1);
    P().RenderCurrent();
    ASSERT_EQ(P().CurrentState()->Dirty, 0);
    MakeTemplate(1);
    EXPECT_EQ(P().CurrentState()->Dirty, 1);
}

TEST_F(ButtonTemplates, MovesAtTheEndsWriteNothing)
{
    P().Select(0, 0);
    MakeTemplate(3);
    ASSERT_TRUE(DeleteFileAt(TemplatePath("Blue.btn")));
    P().TemplateButtonIndex = 2;
    P().MoveTemplateButtonDown();
    P().TemplateButtonIndex = 0;
    P().MoveTemplateButtonUp();
    P().TemplateButtonIndex = -1;
    P().DeleteTemplateButton();
    P().TemplateButtonIndex = 7;
    P().RenameTemplateButton("Nobody");
    P().DeleteTemplateButton();
    EXPECT_EQ(P().TemplateButtonIndex, -1);
    EXPECT_FALSE(FileExists(TemplatePath("Blue.btn")));

    P().TemplateButtonIndex = 0;
    P().MoveTemplateButtonDown();
    EXPECT_EQ(P().TemplateButtonIndex, 0);
    EXPECT_EQ(P().ButtonTemplate.GetItem(1).Name, "Entry 0");
    P().OpenButtonTemplate("Blue");
    EXPECT_EQ(P().ButtonTemplate.GetItem(0).Name, "Entry 1");
}

TEST_F(ButtonTemplates, RenameDeleteAndRemove)
{
    P().Select(0, 0);
    MakeTemplate(2);
    P().TemplateButtonIndex = 1;
    P().RenameTemplateButton("Renamed");
    P().TemplateButtonIndex = 0;
    P().DeleteTemplateButton();
    EXPECT_EQ(P().TemplateButtonIndex, -1);
    P().OpenButtonTemplate("Blue");
    ASSERT_EQ(P().ButtonTemplate.Count(), 1);
    EXPECT_EQ(P().ButtonTemplate.GetItem(0).Name, "Renamed");

    P().DeleteAllTemplateButtons();
    EXPECT_EQ(FileBytes(TemplatePath("Blue.btn")), std::vector<uint8_t>(4, 0));

    P().TemplateButtonIndex = 0;
    P().RemoveButtonTemplate();
    EXPECT_FALSE(FileExists(TemplatePath("Blue.btn")));
    EXPECT_EQ(P().TemplateFileName, "Blue.btn");
    EXPECT_EQ(P().TemplateButtonIndex, -1);
}

TEST_F(ButtonTemplates, RenameNeverReplacesAnotherTemplate)
{
    P().Select(0, 0);
    ASSERT_TRUE(P().NewButtonTemplate("Red"));
    P().AddButtonToTemplate("Red entry");
    const std::vector<uint8_t> red = FileBytes(TemplatePath("Red.btn"));
    MakeTemplate(1);
    const std::vector<uint8_t> blue = FileBytes(TemplatePath("Blue.btn"));

    EXPECT_FALSE(P().RenameButtonTemplate("Red"));
    EXPECT_EQ(P().TemplateFileName, "Blue.btn");
    EXPECT_EQ(FileBytes(TemplatePath("Red.btn")), red);
    EXPECT_EQ(FileBytes(TemplatePath("Blue.btn")), blue);

    EXPECT_TRUE(P().RenameButtonTemplate(AppDir + "x/Green.btn"));
    EXPECT_EQ(P().TemplateFileName, "Green.btn");
    EXPECT_EQ(FileBytes(TemplatePath("Green.btn")), blue);
    EXPECT_FALSE(FileExists(TemplatePath("Blue.btn")));

    // The file went away behind our back: the rename fails and changes nothing.
    ASSERT_TRUE(DeleteFileAt(TemplatePath("Green.btn")));
    EXPECT_FALSE(P().RenameButtonTemplate("Yellow"));
    EXPECT_EQ(P().TemplateFileName, "Green.btn");
}

TEST_F(ButtonTemplates, DamagedFilesKeepTheEntriesReadBefore)
{
    P().Select(0, 0);
    MakeTemplate(2);
    const std::vector<uint8_t> good = FileBytes(TemplatePath("Blue.btn"));
    const size_t entry = (good.size() - 4) / 2;  // both entries have equal sizes
    const size_t firstWidth = 4 + 4 * 4 + 4 + 1 + 7 + 5 + 4 + 6 + 16;
    ASSERT_EQ(Int32At(good, firstWidth), 80);

    auto patched = [&](size_t offset, int32_t value) {
        std::vector<uint8_t> bytes = good;
        std::memcpy(bytes.data() + offset, &value, 4);
        return bytes;
    };
    auto cut = [&](size_t size) { return std::vector<uint8_t>(good.begin(), good.begin() + long(size)); };
    struct Case {
        const char *what;
        std::vector<uint8_t> bytes;
        int expected;
    };
    const std::vector<Case> cases = {
        {"negative count", patched(0, -3), 0},
        {"huge count", patched(0, 0x7FFFFFFF), 2},
        {"no count", cut(2), 0},
        {"first width 0", patched(firstWidth, 0), 0},
        {"second width 251", patched(4 + entry + firstWidth - 4, 251), 1},
        {"second picture cut", cut(4 + entry + entry - 100), 1},
        {"second name too long", patched(good.size() - 11, 0x7FFFFFFF), 1},
    };
    for (const Case &c : cases) {
        WriteFile(TemplatePath("Bad.btn"), c.bytes);
        P().OpenButtonTemplate("Bad");
        EXPECT_EQ(P().ButtonTemplate.Count(), c.expected) << c.what;
        if (c.expected > 0) {
            EXPECT_EQ(P().ButtonTemplate.GetItem(0).Name, "Entry 0") << c.what;
        }
    }
}

TEST_F(ButtonTemplates, CopyPropFromTemplateKeepsTheStatesOwnFields)
{
    TButtons &source = *P().Buttons[1];
    source.States[0].ButtonItem.Shape.A0 = 30;
    source.States[0].TextItem.FontName = "Verdana";
    source.States[2].Lights[4].Enabled = 1;
    P().Select(1, 0);
    MakeTemplate(1);

    TButtons &target = *P().Buttons[0];
    target.States[0].Width = 200;
    target.States[0].TextItem.Size = 20;
    target.States[0].Background = {0.5f, 0.5f, 0.5f, 1.0f};
    P().Select(0, 0);
    P().TemplateButtonIndex = -1;
    P().CopyPropFromTemplate();  // nothing chosen
    EXPECT_EQ(target.States[0].ButtonItem.Shape.A0, 45);

    P().Modified = false;
    P().TemplateButtonIndex = 0;
    P().CopyPropFromTemplate();
    EXPECT_TRUE(P().Modified);
    const TItem &normal = target.States[0];
    EXPECT_EQ(normal.ButtonItem.Shape.A0, 30);
    EXPECT_EQ(normal.TextItem.FontName, "Verdana");
    EXPECT_EQ(normal.Width, 200);
    EXPECT_EQ(normal.Height, 30);
    EXPECT_EQ(normal.TextItem.Size, 20);
    EXPECT_EQ(normal.TextItem.Text, "Home");
    EXPECT_EQ(normal.Name, "Normal");
    EXPECT_EQ(normal.Background.R, 0.5f);
    EXPECT_EQ(normal.Dirty, 1);
    EXPECT_EQ(target.States[2].Lights[4].Enabled, 1);
    EXPECT_EQ(target.States[2].Name, "Pushed");
}

TEST_F(ButtonTemplates, PicturesAreTheRendersOfTheStoredStates)
{
    P().Buttons[0]->States[1].ButtonItem.Material.Diffuse = {1.0f, 0.0f, 0.0f, 1.0f};
    P().Select(0, 0);
    MakeTemplate(1);
    const TemplateU::TButtonItem &entry = P().ButtonTemplate.GetItem(0);
    for (int k = 0; k < 3; ++k) {
        TItem &state = entry.Button->States[k];
        state.Dirty = 1;
        state.Render();
        for (int row = 0; row < 20; ++row)
            ASSERT_TRUE(std::equal(entry.Thumbnails[k].Pixel(0, row), entry.Thumbnails[k].Pixel(80, row),
                                   RenderBuffer().Pixel(0, row)))
                << "state " << k << " row " << row;
    }
    // The over state's red body shows in its picture, not in the others.
    const uint8_t *overCentre = entry.Thumbnails[1].Pixel(40, 10);
    const uint8_t *normalCentre = entry.Thumbnails[0].Pixel(40, 10);
    EXPECT_NE(std::vector<uint8_t>(overCentre, overCentre + 3),
              std::vector<uint8_t>(normalCentre, normalCentre + 3));
}

// Without an open template the template commands have no file to write.
TEST_F(ButtonTemplates, NoOpenTemplateWritesNoFile)
{
    P().Select(0, 0);
    P().DeleteAllTemplateButtons();
    P().AddButtonToTemplate("Nowhere");
    P().RemoveButtonTemplate();
    EXPECT_EQ(P().ButtonTemplate.Count(), 0);
    EXPECT_TRUE(QDir(QtFilePath(TemplatesDir)).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_TRUE(QFileInfo(QtFilePath(TemplatesDir)).isDir());
}
