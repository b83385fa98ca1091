#include "ButtonStream.h"
#include "ErrorOf.h"
#include "ProjectFixture.h"

#include <QDir>
#include <QFileInfo>
#include <cstring>

namespace {

class ButtonTemplates : public ProjectTest {
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        P().NewProject();
        P().AddButton("Home");
        P().AddButton("News");
        P().Select(0, 0);
    }

    std::string TemplatePath(const char *name) const { return TemplatesDir + name; }

    // A template "Blue" holding the given number of entries.
    void MakeTemplate(int entries)
    {
        ASSERT_TRUE(P().NewButtonTemplate("Blue"));
        for (int i = 0; i < entries; ++i)
            P().AddButtonToTemplate("Entry " + std::to_string(i));
    }
    std::vector<std::string> EntryNames(const char *file)
    {
        TButtonTemplate read(&P());
        read.LoadFromFile(file);
        std::vector<std::string> names;
        for (int i = 0; i < read.Count(); ++i)
            names.push_back(read.GetItem(i).Name);
        return names;
    }
};

std::vector<uint8_t> RecordOf(const TButtons &button)
{
    return BytesWrittenBy([&](TStream &s) { SaveToStream(s, button); });
}

TEST_F(ButtonTemplates, ANewTemplateIsAnEmptyFileAndNeverReplacesAnother)
{
    ASSERT_TRUE(P().NewButtonTemplate(AppDir + "elsewhere/Blue.set.btn"));
    EXPECT_EQ(P().TemplateFileName, "Blue.set.btn");
    EXPECT_EQ(FileBytes(TemplatePath("Blue.set.btn")), std::vector<uint8_t>(4, 0));
    P().AddButtonToTemplate("Kept");
    const std::vector<uint8_t> before = FileBytes(TemplatePath("Blue.set.btn"));
    EXPECT_FALSE(P().NewButtonTemplate("Blue.set.btn"));
    EXPECT_FALSE(P().NewButtonTemplate(".btn"));
    EXPECT_EQ(FileBytes(TemplatePath("Blue.set.btn")), before);
    EXPECT_EQ(P().ButtonTemplate.Count(), 1);
}

// An entry: the button's record made 80 x 20 with 8-point captions, the
// three pictures of 80 x 20 RGBA pixels, bottom row first, then its name.
TEST_F(ButtonTemplates, EntriesAreSmallCopiesWithTheirRenderedPictures)
{
    TItem &source = P().Buttons[0]->States[0];
    source.Width = 120;
    source.TextItem.Size = 14;
    P().Buttons[0]->States[1].ButtonItem.Material.Diffuse = {1.0f, 0.0f, 0.0f, 1.0f};
    P().RenderCurrent();
    ASSERT_EQ(source.Dirty, 0);
    MakeTemplate(2);
    EXPECT_EQ(source.Dirty, 1) << "the shared mesh now holds the template's geometry";
    EXPECT_EQ(source.Width, 120);
    EXPECT_FALSE(P().ButtonTemplate.Modified);  // saved at once
    EXPECT_EQ(P().NextTemplateButtonNo, 3);

    const TemplateU::TButtonItem &entry = P().ButtonTemplate.GetItem(1);
    const std::vector<uint8_t> file = FileBytes(TemplatePath("Blue.btn"));
    const std::vector<uint8_t> record = RecordOf(*entry.Button);
    const size_t second = 4 + record.size() + 3 * 6400 + 4 + 7;
    ASSERT_EQ(file.size(), second + record.size() + 3 * 6400 + 4 + 7);
    EXPECT_EQ(Int32At(file, 0), 2);
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + long(second), file.begin() + long(second + record.size())), record);
    EXPECT_EQ(TextAt(file, file.size() - 7, 7), "Entry 1");
    for (int k = 0; k < 3; ++k) {
        TItem &state = entry.Button->States[k];
        EXPECT_EQ(QSize(state.Width, state.Height), QSize(80, 20));
        EXPECT_EQ(state.TextItem.Size, 8);
        // The picture is the render of the stored state, as stored in the file.
        state.Dirty = 1;
        state.Render();
        for (int row = 0; row < 20; ++row) {
            ASSERT_TRUE(std::equal(entry.Thumbnails[k].Pixel(0, row), entry.Thumbnails[k].Pixel(80, row),
                                   RenderBuffer().Pixel(0, row)));
            ASSERT_TRUE(std::equal(entry.Thumbnails[k].Pixel(0, row), entry.Thumbnails[k].Pixel(80, row),
                                   file.begin() + long(second + record.size() + 6400 * k + 320 * row)));
        }
    }
    // The over state's red body shows in its picture, not in the others.
    EXPECT_NE(std::vector<uint8_t>(entry.Thumbnails[1].Pixel(40, 10), entry.Thumbnails[1].Pixel(40, 10) + 3),
              std::vector<uint8_t>(entry.Thumbnails[0].Pixel(40, 10), entry.Thumbnails[0].Pixel(40, 10) + 3));
    const QImage upright = entry.GetThumbnail(1);
    ASSERT_EQ(upright.size(), QSize(80, 20));
    const uint8_t *top = entry.Thumbnails[1].Pixel(5, 19);
    EXPECT_EQ(upright.pixel(5, 0), qRgb(top[0], top[1], top[2]));
    EXPECT_TRUE(entry.GetThumbnail(3).isNull());

    P().TemplateButtonIndex = 1;
    P().OpenButtonTemplate("Blue");
    ASSERT_EQ(P().ButtonTemplate.Count(), 2);
    EXPECT_EQ(P().TemplateButtonIndex, -1);
    EXPECT_EQ(P().NextTemplateButtonNo, 3);
    EXPECT_EQ(RecordOf(*P().ButtonTemplate.GetItem(1).Button), record);
    P().ButtonTemplate.SaveToFile(P().TemplateFileName);
    EXPECT_EQ(FileBytes(TemplatePath("Blue.btn")), file);
    P().OpenButtonTemplate("Missing");
    EXPECT_EQ(P().ButtonTemplate.Count(), 0);
    EXPECT_EQ(P().NextTemplateButtonNo, 1);
}

// Every command saves the template at once; one that cannot act on its
// entry changes nothing.
TEST_F(ButtonTemplates, EntryCommandsSaveAtOnceAndRefuseWhatTheyCannotDo)
{
    MakeTemplate(3);
    ASSERT_TRUE(DeleteFileAt(TemplatePath("Blue.btn")));
    const std::pair<int, void (TProj::*)()> refused[] = {{2, &TProj::MoveTemplateButtonDown},
                                                          {0, &TProj::MoveTemplateButtonUp},
                                                          {-1, &TProj::DeleteTemplateButton},
                                                          {7, &TProj::DeleteTemplateButton}};
    for (const auto &[index, command] : refused) {
        P().TemplateButtonIndex = index;
        (P().*command)();
    }
    P().RenameTemplateButton("Nobody");
    EXPECT_FALSE(FileExists(TemplatePath("Blue.btn")));

    P().TemplateButtonIndex = 0;
    P().MoveTemplateButtonDown();
    EXPECT_EQ(EntryNames("Blue.btn"), (std::vector<std::string>{"Entry 1", "Entry 0", "Entry 2"}));
    P().TemplateButtonIndex = 2;
    P().RenameTemplateButton("Renamed");
    P().TemplateButtonIndex = 0;
    P().DeleteTemplateButton();
    EXPECT_EQ(P().TemplateButtonIndex, -1);
    EXPECT_EQ(EntryNames("Blue.btn"), (std::vector<std::string>{"Entry 0", "Renamed"}));
    P().DeleteAllTemplateButtons();
    EXPECT_EQ(FileBytes(TemplatePath("Blue.btn")), std::vector<uint8_t>(4, 0));
    P().RemoveButtonTemplate();
    EXPECT_FALSE(FileExists(TemplatePath("Blue.btn")));

    // Without an open template there is no file to write.
    P().TemplateFileName.clear();
    P().AddButtonToTemplate("Nowhere");
    P().DeleteAllTemplateButtons();
    P().RemoveButtonTemplate();
    EXPECT_EQ(P().ButtonTemplate.Count(), 0);
    EXPECT_TRUE(QDir(QtFilePath(TemplatesDir)).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(ButtonTemplates, RenameNeverReplacesAnotherTemplate)
{
    ASSERT_TRUE(P().NewButtonTemplate("Red"));
    P().AddButtonToTemplate("Red entry");
    const std::vector<uint8_t> red = FileBytes(TemplatePath("Red.btn"));
    MakeTemplate(1);
    const std::vector<uint8_t> blue = FileBytes(TemplatePath("Blue.btn"));
    EXPECT_FALSE(P().RenameButtonTemplate("Red"));
    EXPECT_EQ(P().TemplateFileName, "Blue.btn");
    EXPECT_EQ(FileBytes(TemplatePath("Red.btn")), red);
    EXPECT_TRUE(P().RenameButtonTemplate(AppDir + "x/Green.btn"));
    EXPECT_EQ(P().TemplateFileName, "Green.btn");
    EXPECT_EQ(FileBytes(TemplatePath("Green.btn")), blue);
    EXPECT_FALSE(FileExists(TemplatePath("Blue.btn")));
    ASSERT_TRUE(DeleteFileAt(TemplatePath("Green.btn")));  // gone behind our back
    EXPECT_EQ(ErrorOf([this] { P().RenameButtonTemplate("Yellow"); }),
              "Cannot rename file \"" + TemplatePath("Green.btn") + "\". " + std::strerror(ENOENT));
    EXPECT_EQ(P().TemplateFileName, "Green.btn");
}

TEST_F(ButtonTemplates, DamagedFilesKeepTheEntriesReadBefore)
{
    MakeTemplate(2);
    const std::vector<uint8_t> good = FileBytes(TemplatePath("Blue.btn"));
    const size_t entry = (good.size() - 4) / 2;  // both entries have equal sizes
    const size_t firstWidth = 4 + 4 * 4 + 4 + 1 + 7 + 5 + 4 + 6 + 16;
    ASSERT_EQ(Int32At(good, firstWidth), 80);
    const auto patched = [&](size_t offset, int32_t value) {
        std::vector<uint8_t> bytes = good;
        std::memcpy(bytes.data() + offset, &value, 4);
        return bytes;
    };
    const auto cut = [&](size_t size) { return std::vector<uint8_t>(good.begin(), good.begin() + long(size)); };
    const std::tuple<const char *, std::vector<uint8_t>, size_t> cases[] = {
        {"negative count", patched(0, -3), 0},
        {"huge count", patched(0, 0x7FFFFFFF), 2},
        {"no count", cut(2), 0},
        {"first width 0", patched(firstWidth, 0), 0},
        {"second width 251", patched(4 + entry + firstWidth - 4, 251), 1},
        {"second picture cut", cut(4 + entry + entry - 100), 1},
        {"second name too long", patched(good.size() - 11, 0x7FFFFFFF), 1}};
    for (const auto &[what, bytes, expected] : cases) {
        WriteFile(TemplatePath("Bad.btn"), bytes);
        const std::vector<std::string> names = EntryNames("Bad.btn");
        EXPECT_EQ(names.size(), expected) << what;
        if (expected > 0) {
            EXPECT_EQ(names[0], "Entry 0") << what;
        }
    }
}

// A change that cannot be written is reported by its save error and
// dropped, even where the file can no longer be read back: the template
// keeps the entries it showed.
TEST_F(ButtonTemplates, AnUnwrittenChangeKeepsTheEntriesShown)
{
    const struct {
        const char *what;
        std::function<void()> spoil;
        const char *reason;
    } cases[] = {
        {"file now a folder",
         [&] {
             DeleteFileAt(TemplatePath("Blue.btn"));
             QDir().mkpath(QtFilePath(TemplatePath("Blue.btn")));
         },
         "Filename refers to a directory"},
        {"templates folder gone", [&] { QDir(QtFilePath(TemplatesDir)).removeRecursively(); },
         "No such file or directory"},
    };
    for (const auto &c : cases) {
        QDir().mkpath(QtFilePath(TemplatesDir));
        MakeTemplate(2);
        c.spoil();
        for (const auto &change : {std::function<void()>([&] { P().AddButtonToTemplate("Third"); }),
                                   std::function<void()>([&] { P().DeleteAllTemplateButtons(); })}) {
            try {
                change();
                ADD_FAILURE() << c.what << ": saved";
            } catch (const EWriteError &e) {
                EXPECT_EQ(e.what(), std::string(CannotSaveFile(TemplatePath("Blue.btn"), c.reason).what())) << c.what;
            }
            ASSERT_EQ(P().ButtonTemplate.Count(), 2) << c.what;
            EXPECT_EQ(P().ButtonTemplate.GetItem(1).Name, "Entry 1") << c.what;
        }
        QDir(QtFilePath(TemplatePath("Blue.btn"))).removeRecursively();
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
    EXPECT_EQ(QSize(normal.Width, normal.Height), QSize(200, 30));
    EXPECT_EQ(normal.TextItem.Size, 20);
    EXPECT_EQ(normal.TextItem.Text, "Home");
    EXPECT_EQ(normal.Name, "Normal");
    EXPECT_EQ(normal.Background.R, 0.5f);
    EXPECT_EQ(normal.Dirty, 1);
    EXPECT_EQ(target.States[2].Lights[4].Enabled, 1);
}

}  // namespace
