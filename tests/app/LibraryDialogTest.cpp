#include "BmpWriter.h"
#include "LibraryDialog.h"
#include "LanguageSwitch.h"
#include "LittleEndian.h"
#include "ListBox.h"
#include "MessageBoxes.h"
#include "Outline.h"
#include "ParamU.h"
#include "ProjectFixture.h"
#include "Screens.h"
#include "ScriptedCommonDialogs.h"
#include "ScriptedMessageBoxes.h"
#include "ShapeEditors.h"
#include "TextureFile.h"
#include "WheelCheck.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <cstring>
#include <functional>
#include <map>

namespace {

// An entry as the library file stores it: the block's bytes, then the name.
struct TEntry {
    std::vector<uint8_t> Block;
    std::string Name;
};

template <typename Block>
std::vector<uint8_t> BytesOf(const Block &block)
{
    std::vector<uint8_t> bytes(sizeof block);
    std::memcpy(bytes.data(), &block, sizeof block);
    return bytes;
}

// The whole file of a library holding these entries.
std::vector<uint8_t> LibraryFile(const std::vector<TEntry> &entries)
{
    std::vector<uint8_t> file;
    AppendLE32(file, uint32_t(entries.size()));
    for (const TEntry &e : entries) {
        file.insert(file.end(), e.Block.begin(), e.Block.end());
        AppendLE32(file, uint32_t(e.Name.size()));
        file.insert(file.end(), e.Name.begin(), e.Name.end());
    }
    return file;
}

class LibraryDialog : public ProjectTest {
public:
    void SetUp() override
    {
        ProjectTest::SetUp();
        FSaved = AppParam();
        AppParam().UsePreview = true;
        FDialog = std::make_unique<TTempSelF>();
    }
    void TearDown() override
    {
        FDialog.reset();
        AppParam() = FSaved;
        ProjectTest::TearDown();
    }

    // Opens the dialog as its openers do, runs the script on it and closes
    // it with "Ok" or, without ok, "Cancel".
    int Open(bool applyToState, const std::function<void()> &script, bool ok = true)
    {
        FDialogs.AnswerForm([&](QDialog &) {
            script();
            Click(ok ? "BitBtn1" : "BitBtn2");
        });
        FDialog->SetApplyToState(applyToState);
        return CommonDialogs().Exec(*FDialog);
    }

    template <typename Control = QWidget>
    Control &Child(const char *name)
    {
        auto *child = FDialog->findChild<Control *>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return *child;
    }

    void Click(const char *button) { QTest::mouseClick(&Child<QAbstractButton>(button), Qt::LeftButton); }

    void ClickEntry(TListBox &list, int row)
    {
        list.scrollToItem(list.item(row));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
    }

    void Step(const char *control, int count)
    {
        for (int i = 0; i < std::abs(count); ++i)
            QTest::keyClick(&Child(control), count > 0 ? Qt::Key_Up : Qt::Key_Down);
    }

    // A 10 x 10 picture of one colour in the temporary folder.
    QString Picture(int k)
    {
        QImage picture(10, 10, QImage::Format_RGB888);
        picture.fill(QColor(40 * k, 255 - 40 * k, 7));
        const QString name = FDir.filePath(QString("picture%1.bmp").arg(k));
        EXPECT_TRUE(WriteFileBytes(FilePathBytes(name), [&] {
            const QByteArray bmp = WriteBmp(picture, 6);
            return std::vector<uint8_t>(bmp.begin(), bmp.end());
        }()));
        return name;
    }

    // The project with one button whose normal state is current.
    TItem &CurrentState()
    {
        P().NewProject();
        P().AddButton("Menu");
        P().Select(0, 0);
        return *P().CurrentState();
    }

    TParam FSaved;
    TScriptedCommonDialogs FDialogs;
    TScriptedMessageBoxes FBoxes;
    std::unique_ptr<TTempSelF> FDialog;
};

// What each library's commands need: how to make the edit copy the k-th
// variant (before "Add" or "Change") and the entry that variant stores.
struct TLibraryCase {
    const char *Name;
    TTempSelF::TPage Page;
    const char *File, *List, *Add, *Delete, *Change, *DeleteAll, *Up, *Down;
    std::function<TEntry(LibraryDialog &, int)> Prepare;
};

}  // namespace

class LibraryCommands : public LibraryDialog, public ::testing::WithParamInterface<int> {
public:
    static std::vector<TLibraryCase> Cases();
};

std::vector<TLibraryCase> LibraryCommands::Cases()
{
    return {
        {"Textures", TTempSelF::TexturePage, "Template.txr", "TextListBox1", "Button5", "Button6", "Button8", "Button7",
         "SpeedButton8", "SpeedButton7",
         [](LibraryDialog &t, int k) {
             const QString file = t.Picture(k);
             t.FDialogs.AnswerFile(file);
             TTextureBlock texture;
             LoadTextureFromFile(texture, FilePathBytes(file));
             return TEntry{BytesOf(texture), ""};
         }},
        {"Materials", TTempSelF::MaterialPage, "Template.mtr", "TextListBox2", "Button1", "Button2", "Button3",
         "Button4", "SpeedButton6", "SpeedButton5",
         [](LibraryDialog &t, int k) {
             t.Child<QSpinBox>("SpinEdit1").setValue(10 * k);
             t.Child<QLineEdit>("Edit2").setText(QString(" Metal %1\t").arg(k));
             TMaterialBlock material;
             material.Shininess = 10 * k;
             return TEntry{BytesOf(material), "Metal " + std::to_string(k)};
         }},
        {"Shapes", TTempSelF::ShapePage, "Template.shp", "TextListBox3", "Button9", "Button10", "Button12",
         "Button11", "SpeedButton4", "SpeedButton3",
         [](LibraryDialog &t, int k) {
             auto &a1 = t.Child<QSpinBox>("SpinEdit7");
             t.Step("SpinEdit7", (90 + 3 * k - a1.value()) / 3);
             TShapeBlock shape;
             shape.A1 = shape.A2 = 90 + 3 * k;
             PrepareShape(shape);
             return TEntry{BytesOf(shape), ""};
         }},
        {"Deformations", TTempSelF::DeformationPage, "Template.dfr", "TextListBox4", "Button13", "Button14",
         "Button16", "Button15", "SpeedButton1", "SpeedButton2",
         [](LibraryDialog &t, int k) {
             auto &d0 = t.Child<QSpinBox>("SpinEdit14");
             t.Step("SpinEdit14", (36 - 3 * k - d0.value()) / 3);
             TDeformationBlock deformation;
             deformation.D0 = 36 - 3 * k;
             PrepareDeformation(deformation);
             return TEntry{BytesOf(deformation), ""};
         }},
    };
}

// One sequence of commands for every library; the dialog is closed after
// each, which writes the file, and the file must then hold exactly the
// entries the commands left.
TEST_P(LibraryCommands, EveryCommandLeavesTheLibraryFileAsExpected)
{
    const TLibraryCase c = Cases()[size_t(GetParam())];
    TListBox *list = nullptr;
    auto click = [&](const char *button) { Click(button); };
    std::map<int, TEntry> made;
    auto prepare = [&](int k) { made[k] = c.Prepare(*this, k); };
    const struct {
        const char *Name;
        std::function<void()> Do;
        std::vector<int> Answers;  // to the message boxes the step shows
        std::vector<int> Entries;  // the variants the file then holds
        int Selected;
    } steps[] = {
        {"add one", [&] { prepare(1), click(c.Add); }, {}, {1}, 0},
        {"add two", [&] { prepare(2), click(c.Add); }, {}, {1, 2}, 1},
        {"change without selection", [&] { click(c.Change); }, {idOK}, {1, 2}, -1},
        {"change the first", [&] { ClickEntry(*list, 0), prepare(3), click(c.Change); }, {}, {3, 2}, 0},
        {"first down", [&] { ClickEntry(*list, 0), click(c.Down); }, {}, {2, 3}, 1},
        {"first up: nothing", [&] { ClickEntry(*list, 0), click(c.Up); }, {}, {2, 3}, 0},
        {"last down: nothing", [&] { ClickEntry(*list, 1), click(c.Down); }, {}, {2, 3}, 1},
        {"last up", [&] { ClickEntry(*list, 1), click(c.Up); }, {}, {3, 2}, 0},
        {"delete without selection", [&] { click(c.Delete); }, {idOK}, {3, 2}, -1},
        {"delete the second", [&] { ClickEntry(*list, 1), click(c.Delete); }, {}, {3}, 0},
        {"delete the first", [&] { ClickEntry(*list, 0), click(c.Delete); }, {}, {}, -1},
        {"add again", [&] { prepare(4), click(c.Add); }, {}, {4}, 0},
        {"delete all, No", [&] { click(c.DeleteAll); }, {idNo}, {4}, -1},
        {"delete all, Yes", [&] { click(c.DeleteAll); }, {idYes}, {}, -1},
    };
    FDialog->SetPage(c.Page);
    list = &Child<TListBox>(c.List);
    for (const auto &step : steps) {
        for (int answer : step.Answers)
            FBoxes.Answer(answer);
        const size_t boxes = FBoxes.Shown().size();
        int selected = -2;
        Open(false, [&] {
            step.Do();
            selected = list->ItemIndex();
        });
        std::vector<TEntry> entries;
        for (int k : step.Entries)
            entries.push_back(made[k]);
        EXPECT_EQ(FileBytes(TemplatesDir + c.File), LibraryFile(entries)) << step.Name;
        EXPECT_EQ(list->count(), int(entries.size())) << step.Name;
        EXPECT_EQ(selected, step.Selected) << step.Name;
        EXPECT_EQ(FBoxes.Shown().size() - boxes, step.Answers.size()) << step.Name;
    }
    EXPECT_TRUE(FDialogs.AllAnswered());
    // The other three libraries, unchanged, were not written.
    for (const char *file : {"Template.txr", "Template.mtr", "Template.shp", "Template.dfr"})
        EXPECT_EQ(FileExists(TemplatesDir + file), file == std::string(c.File)) << file;
}

INSTANTIATE_TEST_SUITE_P(EachLibrary, LibraryCommands, ::testing::Range(0, 4),
                         [](const ::testing::TestParamInfo<int> &info) {
                             return std::string(LibraryCommands::Cases()[size_t(info.param)].Name);
                         });

// An entry made from the editors holds the derived values that its angles
// give: for the plain square tan 45, tan 315, cot 90, cot 90, tan 45,
// tan -45, cot -90, cot -90; for the default profile tan 36, cot 66, cot 66
// and the height times cot 90.
TEST_F(LibraryDialog, EntriesMadeHoldTheDerivedValuesOfTheirAngles)
{
    Open(false, [&] {
        FDialog->SetPage(TTempSelF::ShapePage);
        Click("Button9");  // "Add"
        FDialog->SetPage(TTempSelF::DeformationPage);
        Click("Button13");
    });
    const struct {
        const char *Name;
        const float *Stored;
        std::vector<float> Expected;
    } cases[] = {
        {"shape", P().Shapes.GetBlock(0).Derived, {1, -1, 0, 0, 1, -1, 0, 0}},
        {"deformation", P().Deformations.GetBlock(0).Derived, {0.72654f, 0.44523f, 0.44523f, 0}},
    };
    for (const auto &c : cases)
        for (size_t i = 0; i < c.Expected.size(); ++i)
            EXPECT_NEAR(c.Stored[i], c.Expected[i], 1e-5) << c.Name << " " << i;
}

namespace {

std::vector<uint8_t> LookOf(const TItem &state)
{
    const TButtonItem &look = state.ButtonItem;
    std::vector<uint8_t> bytes = BytesOf(look.Texture);
    for (const auto &block : {BytesOf(look.Material), BytesOf(look.Shape), BytesOf(look.Deformation)})
        bytes.insert(bytes.end(), block.begin(), block.end());
    return bytes;
}

}  // namespace

// Entries tried on a state go live at once; "Ok" keeps them and marks the
// project changed, anything else gives the state back byte for byte.
TEST_F(LibraryDialog, EntriesTriedOnAStateStayOnlyWithOk)
{
    TItem &state = CurrentState();
    TTextureBlock texture;
    std::fill(std::begin(texture.Texels), std::end(texture.Texels), uint8_t(200));
    P().Textures.Add(texture, "");
    TMaterialBlock material;
    material.Shininess = 5;
    P().Materials.Add(material, "Dull");
    TShapeBlock shape;
    shape.A1 = shape.A2 = 105;
    P().Shapes.Add(shape, "");
    P().Deformations.Add(TDeformationBlock(), "");
    const struct {
        const char *Name;
        bool ApplyToState, Ok, Kept;
    } cases[] = {
        {"Ok keeps what was tried", true, true, true},
        {"Cancel gives the state back", true, false, false},
        {"opened for the project: nothing is tried", false, true, false},
    };
    for (const auto &c : cases) {
        P().RenderCurrent();
        P().Modified = false;
        const std::vector<uint8_t> before = LookOf(state);
        const int previews = FHost.PreviewsDrawn;
        Open(c.ApplyToState, [&] {
            for (TTempSelF::TPage page : {TTempSelF::TexturePage, TTempSelF::MaterialPage, TTempSelF::ShapePage})
                ClickEntry(Child<TListBox>(page == TTempSelF::TexturePage    ? "TextListBox1"
                                           : page == TTempSelF::MaterialPage ? "TextListBox2"
                                                                             : "TextListBox3"),
                           0);
            Click("CheckBox3");
            Step("SpinEdit14", -1);
            EXPECT_EQ(state.Draft, c.ApplyToState) << c.Name;
            EXPECT_EQ(Child<QLineEdit>("Edit2").text(), "Dull") << c.Name;
        }, c.Ok);
        const TButtonItem &look = state.ButtonItem;
        EXPECT_EQ(state.Draft, 0) << c.Name;
        EXPECT_EQ(P().Modified, c.Kept) << c.Name;
        if (c.Kept) {
            EXPECT_EQ(look.Texture.Enabled, 1) << c.Name;
            EXPECT_EQ(look.Texture.Texels[77], 200) << c.Name;
            EXPECT_EQ(look.Material.Shininess, 5) << c.Name;
            EXPECT_EQ(look.Shape.A1, 105) << c.Name;
            EXPECT_EQ(look.Deformation.D0, 33) << c.Name;
        } else {
            EXPECT_EQ(LookOf(state), before) << c.Name;
        }
        EXPECT_EQ(FHost.PreviewsDrawn > previews, c.ApplyToState) << c.Name;
    }
}

// The wheel over a number that does not have the focus changes neither the
// number nor the state it is tried on.
TEST_F(LibraryDialog, TheWheelOverAnUnfocusedControlChangesNothing)
{
    TItem &state = CurrentState();
    QStringList turned;
    Open(true, [&] {
        const std::vector<uint8_t> look = LookOf(state);
        auto &pages = Child<QTabWidget>("PageControl1");
        for (int page = 0; page < pages.count(); ++page) {
            pages.setCurrentIndex(page);
            turned << CheckWheelPassesOver(*FDialog, [&](const QString &name) {
                EXPECT_TRUE(LookOf(state) == look) << name.toStdString();
            });
        }
    });
    turned.sort();
    EXPECT_EQ(turned, QStringList({"KitSpinEdit1", "KitSpinEdit2", "KitSpinEdit3", "SpinEdit1", "SpinEdit10",
                                   "SpinEdit11", "SpinEdit12", "SpinEdit13", "SpinEdit14", "SpinEdit15", "SpinEdit16",
                                   "SpinEdit17", "SpinEdit6", "SpinEdit7", "SpinEdit8", "SpinEdit9"}));
}

// A height typed below its least value, 0.05, reaches neither the profile
// being edited nor the state it is tried on; leaving the field pulls it up
// to 0.05, which then does.
TEST_F(LibraryDialog, AHeightTypedBelowItsRangeWaitsUntilTheFieldIsLeft)
{
    TItem &state = CurrentState();
    TDeformationBlock &tried = state.ButtonItem.Deformation;
    tried.D3 = 87, tried.TopHeight = 0.5f;
    Open(true, [&] {
        FDialog->SetPage(TTempSelF::DeformationPage);
        FDialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(FDialog.get()));
        const TDeformationEditor &editor = *FDialog->findChild<TDeformationEditor *>();
        auto &height = Child<QAbstractSpinBox>("KitSpinEdit1");
        height.setFocus();
        const struct {
            const char *Typed;
            float Held;
        } cases[] = {{"0", 0.5f}, {"0.01", 0.5f}, {"0.04", 0.5f}, {"0.3", 0.3f}, {"0.02", 0.3f}};
        for (const auto &c : cases) {
            height.selectAll();
            QTest::keyClicks(&height, c.Typed);
            EXPECT_EQ(editor.Deformation().TopHeight, c.Held) << c.Typed;
            EXPECT_EQ(tried.TopHeight, c.Held) << c.Typed;
        }
        Child("SpinEdit17").setFocus();
        EXPECT_EQ(height.text(), "0.05");
        EXPECT_EQ(editor.Deformation().TopHeight, 0.05f);
        EXPECT_EQ(tried.TopHeight, 0.05f);
    });
}

// An outline change renders in draft; the full render comes a second after
// the last change, or at once when the dialog closes, and never later.
TEST_F(LibraryDialog, DraftEndsAfterASecondOrWhenTheDialogCloses)
{
    TItem &state = CurrentState();
    int previews = 0;
    Open(true, [&] {
        FDialog->SetPage(TTempSelF::ShapePage);
        Step("SpinEdit7", 1);
        EXPECT_EQ(state.Draft, 1);
        previews = FHost.PreviewsDrawn;
        // The one-second timer may fire late on a loaded machine.
        EXPECT_TRUE(QTest::qWaitFor([&] { return state.Draft == 0; }, 5000));
        EXPECT_EQ(FHost.PreviewsDrawn, previews + 1);
        Step("SpinEdit7", 1);
        EXPECT_EQ(state.Draft, 1);
    });
    EXPECT_EQ(state.Draft, 0);
    EXPECT_EQ(AppParam().MeshCols, 180);
    previews = FHost.PreviewsDrawn;
    QTest::qWait(1100);
    EXPECT_EQ(FHost.PreviewsDrawn, previews);
}

// A picture that cannot be read is reported and changes nothing, and so
// does a picture dialog left with Cancel; a material needs a name.
TEST_F(LibraryDialog, RefusedPicturesAndNamesChangeNothing)
{
    const QString damaged = FDir.filePath("damaged.bmp");
    ASSERT_TRUE(WriteFileBytes(FilePathBytes(damaged), {'B', 'M', 1, 2, 3}));
    FDialogs.AnswerFile(damaged);
    FDialogs.AnswerFile(std::nullopt);
    FBoxes.Answer(idOK);
    FBoxes.Answer(idOK);
    Open(false, [&] {
        Click("Button5");
        Click("Button5");
        Child<QLineEdit>("Edit2").setText(" \t ");
        Click("Button1");
        EXPECT_EQ(Child<QLineEdit>("Edit2").text(), "");
    });
    ASSERT_EQ(FBoxes.Shown().size(), 2u);
    EXPECT_EQ(FBoxes.Shown()[0].Text, "Bitmap image is not valid");
    EXPECT_EQ(FBoxes.Shown()[1].Text, "Template's name must be exists.");
    EXPECT_EQ(P().Textures.Count() + P().Materials.Count(), 0);
    EXPECT_TRUE(FDialogs.AllAnswered());
}

// Library changes that cannot be written are reported, not lost silently.
TEST_F(LibraryDialog, ALibraryThatCannotBeSavedIsReported)
{
    ASSERT_TRUE(QDir().mkpath(QtFilePath(TemplatesDir + "Template.mtr")));
    P().Materials.Add(TMaterialBlock(), "Gold");
    P().Shapes.Add(TShapeBlock(), "");
    FBoxes.Answer(idOK);
    Open(false, [] {});
    ASSERT_EQ(FBoxes.Shown().size(), 1u);
    EXPECT_EQ(FBoxes.Shown()[0].Text,
              CannotSaveFile(TemplatesDir + "Template.mtr", "Filename refers to a directory").what());
    EXPECT_EQ(FileBytes(TemplatesDir + "Template.shp").size(), 4u + 64 + 4);
}

TEST_F(LibraryDialog, Screens)
{
    CurrentState();
    for (int k = 0; k < 3; ++k) {
        TTextureBlock texture;
        LoadTextureFromFile(texture, FilePathBytes(Picture(k + 1)));
        P().Textures.Add(texture, "");
        TMaterialBlock material;
        material.Diffuse = {0.3f * float(k), 0.2f, 0.1f, 1};
        P().Materials.Add(material, "Material " + std::to_string(k + 1));
        TShapeBlock shape;
        shape.A0 = -15 * k, shape.A1 = 60 + 15 * k, shape.A6 = 300 - 15 * k, shape.A7 = 330;
        P().Shapes.Add(shape, "");
        TDeformationBlock deformation;
        deformation.D0 = 12 * k, deformation.D3 = 90 - 9 * k, deformation.TopHeight = 1 - 0.2f * float(k);
        P().Deformations.Add(deformation, "");
    }
    Open(true, [&] {
        const char *pages[4] = {"texture", "material", "shape", "deformation"};
        const char *lists[4] = {"TextListBox1", "TextListBox2", "TextListBox3", "TextListBox4"};
        for (int page = 0; page < 4; ++page) {
            FDialog->SetPage(TTempSelF::TPage(page));
            ClickEntry(Child<TListBox>(lists[page]), 1);
            if (page >= TTempSelF::ShapePage)
                Click(page == TTempSelF::ShapePage ? "CheckBox1" : "CheckBox2");
            SaveScreen(*FDialog, QString("TempSelF-") + pages[page]);
        }
    });
}

// The dialog's texts, down to the editors inside its pages, follow the
// language and come back with the built-in one.
TEST_F(LibraryDialog, TextsFollowTheLanguage)
{
    const std::string file = LanguagesDir + "test.lng";
    const std::string text = "[TempSelF]\n1=Vorlagen\n30=Form\n3002=Neu\n3006=Sektoren\n4011=Faktor X\n2=Gut\n";
    ASSERT_TRUE(WriteFileBytes(file, std::vector<uint8_t>(text.begin(), text.end())));
    auto &pages = Child<QTabWidget>("PageControl1");
    const auto texts = [&] {
        QStringList shown{FDialog->windowTitle(), pages.tabText(2), Child<QAbstractButton>("Button9").text(),
                          Child<QAbstractButton>("CheckBox1").text(), Child<QAbstractButton>("BitBtn1").text()};
        for (QLabel *label : FDialog->findChildren<QLabel *>())
            if (label->text().startsWith("Fa"))
                shown << label->text();
        return shown;
    };
    const QStringList builtIn = texts();
    SwitchLanguage(file);
    EXPECT_EQ(texts(), QStringList({"Vorlagen", "Form", "Neu", "Sektoren", "Gut", "Faktor X",
                                    "Factor of deformation on a Y axis"}));
    SwitchLanguage("");
    EXPECT_EQ(texts(), builtIn);
}
