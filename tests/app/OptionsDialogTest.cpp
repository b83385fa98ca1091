#include "MainWindowFixture.h"
#include "Screens.h"

#include "AboutBox.h"
#include "ColorBox.h"
#include "EverySave.h"
#include "FullDisk.h"
#include "LibraryDialog.h"
#include "MessageBoxes.h"
#include "OptionsDialog.h"
#include "PropertyPanels.h"
#include "PublishDialog.h"
#include "RenderContext.h"
#include "SettingsFile.h"
#include "SkipRow.h"
#include "StreamBytes.h"
#include "TemplatePanel.h"
#include "WheelCheck.h"
#include "XdgSandbox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>

namespace {

const QString BuiltInEntry = QString::fromUtf8("По умолчанию (default)");

class OptionsTest : public MainWindowTest {
protected:
    // "Options...": the script acts on the shown dialog as a user would.
    void Options(const std::function<void(TParamsF &)> &script)
    {
        FDialogs.AnswerForm([&](QDialog &dialog) { script(static_cast<TParamsF &>(dialog)); });
        Run("AppParam");
    }

    template <typename T>
    static T &Control(TParamsF &dialog, const char *name)
    {
        T *control = dialog.findChild<T *>(QLatin1String(name));
        EXPECT_TRUE(control) << name;
        return *control;
    }
    static void Ok(TParamsF &dialog) { QTest::mouseClick(&Control<QPushButton>(dialog, "BitBtn1"), Qt::LeftButton); }
    static void Cancel(TParamsF &dialog) { QTest::mouseClick(&Control<QPushButton>(dialog, "BitBtn2"), Qt::LeftButton); }
    static void Toggle(TParamsF &dialog, const char *box) { Control<QCheckBox>(dialog, box).click(); }

    // What every control shows, in the order of the pages.
    static QStringList Shown(TParamsF &d)
    {
        const auto on = [&d](const char *box) { return QString(Control<QCheckBox>(d, box).isChecked() ? "on" : "off"); };
        return {Control<QComboBox>(d, "ComboBox2").currentText(),
                QString::number(Control<QSlider>(d, "TrackBar1").value()),
                on("CheckBox2"),
                Control<QComboBox>(d, "ComboBox1").currentText(),
                Control<QComboBox>(d, "ComboBox3").currentText(),
                QString::number(Control<TColorBox>(d, "ColorBox1").Selected(), 16),
                on("CheckBox1"),
                on("CheckBox3"),
                on("CheckBox4"),
                Control<QListWidget>(d, "ListBox1").currentItem()->text()};
    }
    static QStringList Languages(TParamsF &d)
    {
        auto &list = Control<QListWidget>(d, "ListBox1");
        QStringList names;
        for (int i = 0; i < list.count(); ++i)
            names << list.item(i)->text();
        return names;
    }
    static void ChooseLanguage(TParamsF &d, const QString &shown)
    {
        auto &list = Control<QListWidget>(d, "ListBox1");
        list.setCurrentItem(list.findItems(shown, Qt::MatchExactly).value(0));
    }

    static void WriteText(const std::string &name, const std::string &text)
    {
        ASSERT_TRUE(WriteFileBytes(name, {text.begin(), text.end()}));
    }
    static std::string SettingsPath() { return AppDir + SettingsFileName; }
    static std::string SettingsText()
    {
        const std::vector<uint8_t> bytes = FileBytes(SettingsPath());
        return std::string(bytes.begin(), bytes.end());
    }
};

TEST_F(OptionsTest, EveryControlGoesToItsKeyAndComesBack)
{
    WriteText(LanguagesDir + "test.lng", "[Common]\nLanguage=Test\n");
    QStringList first, second;
    FBoxes.Answer(idNo);  // the language changes: close the program?
    FDialogs.AnswerColour(0x336699);
    Options([&](TParamsF &d) {
        first = Shown(d);
        SaveScreen(d, "OptionsDialog-export");
        QTest::keyClick(&Control<QComboBox>(d, "ComboBox2"), Qt::Key_Down);
        Control<QSlider>(d, "TrackBar1").setValue(55);
        Toggle(d, "CheckBox2");
        QTest::keyClick(&Control<QComboBox>(d, "ComboBox1"), Qt::Key_Up);
        QTest::keyClick(&Control<QComboBox>(d, "ComboBox3"), Qt::Key_End);
        Control<QTabWidget>(d, "PageControl1").setCurrentIndex(1);
        emit Control<TColorBox>(d, "ColorBox1").activated(0);  // "Custom..."
        Toggle(d, "CheckBox1");
        Toggle(d, "CheckBox3");
        ChooseLanguage(d, "Test");
        SaveScreen(d, "OptionsDialog-common");
        Ok(d);
    });
    EXPECT_EQ(first, QStringList({"24 bits", "90", "off", "24 bits", "Gif files", "c0c0c0", "off", "on", "off",
                                  BuiltInEntry}));
    EXPECT_EQ(SettingsText(), "[Common]\nFonColor=3368601\nLangFile=" + LanguagesDir +
                                  "test.lng\nUsePreview=0\nUseAccelerator=1\n\n[Export]\n"
                                  "BmpPixelFormat=7\nJpgPixelFormat=1\nJpgPerformance=0\n"
                                  "JpgCompressionQuality=55\nJpgSmoothing=1\nBatchExp=5\n");
    EXPECT_EQ(LoadSettings(SettingsPath()).FonColor, AppParam().FonColor);

    Options([&](TParamsF &d) {
        second = Shown(d);
        Cancel(d);
    });
    EXPECT_EQ(second,
              QStringList({"8 bits", "55", "on", "32 bits", "EMF files", "336699", "on", "off", "off", "Test"}));
}

TEST_F(OptionsTest, OutOfRangeSettingsShowTheDefaultsEntries)
{
    AppParam().BmpPixelFormat = 8;
    AppParam().JpgPixelFormat = 255;
    AppParam().BatchExp = -1;
    Options(Ok);
    EXPECT_EQ(AppParam().BmpPixelFormat, 6);
    EXPECT_EQ(AppParam().JpgPixelFormat, 0);
    EXPECT_EQ(AppParam().BatchExp, 0);
}

TEST_F(OptionsTest, CancelTouchesNothing)
{
    TXdgSandbox xdg;
    Options([](TParamsF &d) {
        Toggle(d, "CheckBox1");
        Toggle(d, "CheckBox4");
        Control<QSlider>(d, "TrackBar1").setValue(3);
        Cancel(d);
    });
    EXPECT_EQ(AppParam().JpgCompressionQuality, 90);
    EXPECT_FALSE(AppParam().UseAccelerator);
    EXPECT_FALSE(FileExists(SettingsPath()));
    EXPECT_FALSE(IsProjectAssociated());
}

TEST_F(OptionsTest, TheAssociationChangesOnlyWithItsBox)
{
    const struct {
        bool ours, others, click;
        bool oursAfter, othersAfter;
    } cases[] = {
        {false, true, false, false, true},  // another copy's association stays
        {false, false, true, true, false},
        {true, false, true, false, false},
    };
    const std::string ours = AppDir;
    const auto elsewhere = [&](const std::function<void()> &work) {
        AppDir = "/opt/elsewhere/";
        work();
        AppDir = ours;
    };
    for (const auto &c : cases) {
        TXdgSandbox xdg;
        if (c.others)
            elsewhere([] { SetProjectAssociation(true); });
        if (c.ours)
            SetProjectAssociation(true);
        Options([&](TParamsF &d) {
            if (c.click)
                Toggle(d, "CheckBox4");
            Ok(d);
        });
        bool othersAfter = false;
        elsewhere([&] { othersAfter = IsProjectAssociated(); });
        EXPECT_EQ(IsProjectAssociated(), c.oursAfter);
        EXPECT_EQ(othersAfter, c.othersAfter);
    }
}

// An association that cannot be set is shown, naming the file and the
// reason, and leaves no file behind.
TEST_F(OptionsTest, AnAssociationThatCannotBeChangedNamesItsFile)
{
    const std::string ourAppDir = AppDir, oddAppDir = AppDir + "app\xE9/";
    const std::string entry = "/applications/brightlane.desktop", package = "/mime/packages/x-brightlane-project.xml";
    struct TCase {
        const char *name;
        // Breaks the association's way in the data or config folder given,
        // or says what else breaks it; returns the message expected.
        std::function<std::string(std::string &data, const std::string &config)> prepare;
    };
    std::unique_ptr<TReadOnlyFolder> readOnly;
    const auto cannotSave = [&](const std::string &folder, const std::string &file) {
        CreateFolders(folder);
        readOnly = std::make_unique<TReadOnlyFolder>(folder);
        return "Cannot save file \"" + file + "\". " + std::strerror(EROFS);
    };
    const TCase cases[] = {
        {"read-only data folder",
         [&](std::string &data, const std::string &) { return cannotSave(data, data + package); }},
        {"read-only applications folder",
         [&](std::string &data, const std::string &) { return cannotSave(data + "/applications", data + entry); }},
        {"read-only config folder",
         [&](std::string &, const std::string &config) { return cannotSave(config, config + "/mimeapps.list"); }},
        {"data folder not UTF-8",
         [&](std::string &data, const std::string &) {
             data += "\xE9";
             qputenv("XDG_DATA_HOME", QByteArray::fromStdString(data));
             return "Cannot save file \"" + data + package + "\". " + SNameNotUtf8;
         }},
        {"program folder not UTF-8",
         [&](std::string &data, const std::string &) {
             AppDir = oddAppDir;
             return "Cannot save file \"" + data + entry + "\". The program's path \"" + oddAppDir +
                    ProgramFileName + "\" is not UTF-8 text";
         }},
    };
    for (const TCase &c : cases) {
        TXdgSandbox xdg;
        std::string data = FilePathBytes(xdg.DataHome());
        const std::string expected = c.prepare(data, FilePathBytes(xdg.ConfigHome()));
        if (readOnly && !readOnly->Made()) {
            SkipRow(c.name, "cannot make a read-only folder (" + readOnly->Failure() + "); the row needs root");
            readOnly.reset();
            continue;
        }
        const size_t shown = FBoxes.Shown().size();
        FBoxes.Answer(idOK);
        if (AppDir != ourAppDir)
            FBoxes.Answer(idOK);  // nor can the settings be saved there
        Options([&](TParamsF &d) {
            Toggle(d, "CheckBox4");
            Ok(d);
        });
        AppDir = ourAppDir;
        readOnly.reset();
        ASSERT_GT(FBoxes.Shown().size(), shown) << c.name;
        EXPECT_EQ(FBoxes.Shown()[shown].Text, expected) << c.name;
        EXPECT_EQ(Changes({}, FilesUnder(ExtractFilePath(data))), std::vector<std::string>()) << c.name;
    }
}

TEST_F(OptionsTest, ALanguageSwitchTranslatesEveryFormAndSwitchingBackRestoresThem)
{
    Main().show();
    Run("NewProject");
    std::string test = "[Common]\nLanguage=Test\n[Interface]\n9=Zu\n[MainF]\n1001=Neu\n";
    for (const char *form : {"MainF", "ParamsF", "TempSelF", "ButtonF", "AboutF", "PublishingF", "TempF"})
        test += std::string("[") + form + "]\n1=" + form + " T\n";
    WriteText(LanguagesDir + "test.lng", test);
    WriteText(LanguagesDir + "nokey.lng", "[ParamsF]\n1=Ohne\n");
    WriteText(LanguagesDir + "Upper.LNG", "");

    const auto texts = [&] {
        return QStringList{Main().windowTitle(),  ParamsF->windowTitle(),     TempSelF->windowTitle(),
                           ButtonF->windowTitle(), AboutF->windowTitle(),      PublishingF->windowTitle(),
                           TempF->windowTitle(),   Main().Templates().Tabs().tabText(0),
                           Action("NewProject").text()};
    };
    QStringList builtIn = texts();
    EXPECT_EQ(builtIn[0], "Bright Lane - No name.prj");
    builtIn[0] = "Bright Lane";  // the project is closed on the way
    QStringList withoutKeys = builtIn;
    withoutKeys[1] = "Ohne";
    QStringList listed;
    const struct {
        QString language;
        std::vector<int> answers;  // to "Close?" and, on Yes, to "Save changes?"
        QStringList expected;
        bool windowShown;
    } steps[] = {
        {"Test", {idNo}, {"MainF T - No name.prj", "ParamsF T", "TempSelF T", "ButtonF T", "AboutF T",
                          "PublishingF T", "TempF T", "Zu", "Neu"}, true},
        {"nokey", {idYes, idNo}, withoutKeys, false},
        {BuiltInEntry, {idNo}, builtIn, false},
    };
    for (const auto &step : steps) {
        for (int answer : step.answers)
            FBoxes.Answer(answer);
        Options([&](TParamsF &d) {
            listed = Languages(d);
            ChooseLanguage(d, step.language);
            Ok(d);
        });
        EXPECT_EQ(texts(), step.expected) << step.language.toStdString();
        EXPECT_EQ(Main().isVisible(), step.windowShown) << step.language.toStdString();
    }
    EXPECT_EQ(listed, QStringList({BuiltInEntry, "Upper", "nokey", "Test"}));
    EXPECT_EQ(AppParam().LangFile, "");
}

// OK writes back only what the dialog edits: a draft render that ends while
// the dialog is open gives back the full mesh, and OK keeps it.
TEST_F(OptionsTest, OkKeepsTheMeshSizeThatDraftModeChangedMeanwhile)
{
    Main().show();
    NewProjectWith({"Home"});
    auto &panel = Main().Panels().Panel(ppState);
    QTest::keyClicks(panel.findChild<QLineEdit *>("Edit1"), "x");  // a caption edit renders in draft
    ASSERT_EQ(AppParam().MeshCols, 50);
    Options([&](TParamsF &d) {
        // The state panel's timer ends the draft a second after the edit.
        EXPECT_TRUE(QTest::qWaitFor([] { return AppParam().MeshCols == 180; }, 3000));
        Ok(d);
    });
    EXPECT_EQ(AppParam().MeshCols, 180);
    EXPECT_EQ(AppParam().MeshRows, 90);
}

// The wheel over the dialog's lists and slider changes nothing: OK then
// writes what a plain OK writes.
TEST_F(OptionsTest, TheWheelOverAnUnfocusedControlChangesNothing)
{
    Options(Ok);
    const std::string untouched = SettingsText();
    QStringList turned;
    Options([&](TParamsF &d) {
        auto &pages = Control<QTabWidget>(d, "PageControl1");
        for (int page = 0; page < pages.count(); ++page) {
            pages.setCurrentIndex(page);
            turned << CheckWheelPassesOver(d, [](const QString &) {});
        }
        Ok(d);
    });
    EXPECT_EQ(SettingsText(), untouched);
    turned.sort();
    EXPECT_EQ(turned, QStringList({"ColorBox1", "ComboBox1", "ComboBox2", "ComboBox3", "TrackBar1"}));
}

TEST_F(OptionsTest, ConfirmingRendersAgainAndTheAcceleratorMakesANewContext)
{
    Main().show();
    NewProjectWith({"Home"});
    const struct {
        const char *name;
        bool toggleAccelerator;
        bool unwritableSettings;
        unsigned newContexts;
    } cases[] = {
        {"nothing changed", false, false, 0},
        {"accelerator switched", true, false, 1},
        {"settings not written", true, true, 1},
    };
    for (const auto &c : cases) {
        if (c.unwritableSettings) {
            DeleteFileAt(SettingsPath());
            ASSERT_TRUE(CreateFolder(SettingsPath()));
            FBoxes.Answer(idOK);  // the error
        }
        Proj->Modified = false;
        RenderBuffer().Data.fill(0);
        const unsigned contexts = RenderContextsMade();
        Options([&](TParamsF &d) {
            if (c.toggleAccelerator)
                Toggle(d, "CheckBox1");
            Ok(d);
        });
        EXPECT_EQ(RenderContextsMade() - contexts, c.newContexts) << c.name;
        EXPECT_TRUE(Proj->Modified) << c.name;
        EXPECT_GT(Proj->CurrentState()->GetBitmap().convertToFormat(QImage::Format_Indexed8).colorCount(), 1)
            << c.name << ": the state is drawn";
        EXPECT_TRUE(FileExists(SettingsPath())) << c.name;
    }
    EXPECT_EQ(FBoxes.Shown().size(), 1u);
}

}  // namespace
