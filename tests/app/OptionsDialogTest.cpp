#include "AboutBox.h"
#include "ColorBox.h"
#include "LibraryDialog.h"
#include "MainWindowFixture.h"
#include "PublishDialog.h"
#include "OptionsCommand.h"
#include "OptionsDialog.h"
#include "RenderContext.h"
#include "Screens.h"
#include "SettingsFile.h"
#include "TemplatePanel.h"
#include "WindowFixture.h"
#include "XdgSandbox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace {

using TShown = std::vector<QString>;

class OptionsDialogTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        FDialog = std::make_unique<TParamsF>();
        FHooks.CloseMainWindow = [this] { ++FClosed; };
        FHooks.ApplyLanguage = [this] { ++FLanguageApplied; };
        FHooks.ApplyBackground = [this] { ++FRecoloured; };
    }

    // Runs the command; the script acts on the shown dialog as a user would.
    void Run(const std::function<void(TParamsF &)> &script)
    {
        Dialogs.AnswerForm([&](QDialog &dialog) { script(static_cast<TParamsF &>(dialog)); });
        AppParamExecute(*FDialog, FHooks);
    }

    template <typename T>
    static T &Control(TParamsF &dialog, const char *name)
    {
        T *control = dialog.findChild<T *>(QLatin1String(name));
        EXPECT_TRUE(control) << name;
        return *control;
    }
    static void Click(TParamsF &dialog, const char *button)
    {
        QTest::mouseClick(&Control<QPushButton>(dialog, button), Qt::LeftButton);
    }
    static void ChooseLanguage(TParamsF &dialog, const QString &shown)
    {
        auto &list = Control<QListWidget>(dialog, "ListBox1");
        list.setCurrentItem(list.findItems(shown, Qt::MatchExactly).value(0));
    }

    // What every control shows, in the order of the pages.
    static TShown Shown(TParamsF &d)
    {
        const auto on = [](const QCheckBox &box) { return QString(box.isChecked() ? "on" : "off"); };
        return {Control<QComboBox>(d, "ComboBox2").currentText(),
                QString::number(Control<QSlider>(d, "TrackBar1").value()),
                on(Control<QCheckBox>(d, "CheckBox2")),
                Control<QComboBox>(d, "ComboBox1").currentText(),
                Control<QComboBox>(d, "ComboBox3").currentText(),
                QString::number(Control<TColorBox>(d, "ColorBox1").Selected(), 16),
                on(Control<QCheckBox>(d, "CheckBox1")),
                on(Control<QCheckBox>(d, "CheckBox3")),
                on(Control<QCheckBox>(d, "CheckBox4")),
                Control<QListWidget>(d, "ListBox1").currentItem()->text()};
    }

    std::string SettingsPath() const { return AppDir + SettingsFileName; }
    std::string SettingsText() const
    {
        const std::vector<uint8_t> bytes = FileBytes(SettingsPath());
        return std::string(bytes.begin(), bytes.end());
    }

    std::unique_ptr<TParamsF> FDialog;
    TOptionsHooks FHooks;
    int FClosed = 0;
    int FLanguageApplied = 0;
    int FRecoloured = 0;
};

const QString BuiltInEntry = QString::fromUtf8("По умолчанию (default)");

TEST_F(OptionsDialogTest, EveryControlGoesToItsKeyAndComesBack)
{
    WriteText(LanguagesDir + "test.lng", "[Common]\nLanguage=Test\n");
    const TShown defaults = {"24 bits", "90", "off", "24 bits", "Gif files", "c0c0c0", "off", "on", "off",
                             BuiltInEntry};
    const TShown edited = {"8 bits", "55", "on", "32 bits", "EMF files", "336699", "on", "off", "off", "Test"};
    TShown first, second;
    Boxes.Answer(idNo);  // the language changes: close the program?
    Dialogs.AnswerColour(0x336699);
    Run([&](TParamsF &d) {
        first = Shown(d);
        SaveScreen(d, "OptionsDialog-export");
        QTest::keyClick(&Control<QComboBox>(d, "ComboBox2"), Qt::Key_Down);
        Control<QSlider>(d, "TrackBar1").setValue(55);
        Control<QCheckBox>(d, "CheckBox2").click();
        QTest::keyClick(&Control<QComboBox>(d, "ComboBox1"), Qt::Key_Up);
        QTest::keyClick(&Control<QComboBox>(d, "ComboBox3"), Qt::Key_End);
        Control<QTabWidget>(d, "PageControl1").setCurrentIndex(1);
        emit Control<TColorBox>(d, "ColorBox1").activated(0);  // "Custom..."
        Control<QCheckBox>(d, "CheckBox1").click();
        Control<QCheckBox>(d, "CheckBox3").click();
        ChooseLanguage(d, "Test");
        SaveScreen(d, "OptionsDialog-common");
        Click(d, "BitBtn1");
    });
    EXPECT_EQ(first, defaults);
    EXPECT_EQ(SettingsText(), "[Common]\nFonColor=3368601\nLangFile=" + LanguagesDir +
                                  "test.lng\nUsePreview=0\nUseAccelerator=1\n\n[Export]\n"
                                  "BmpPixelFormat=7\nJpgPixelFormat=1\nJpgPerformance=0\n"
                                  "JpgCompressionQuality=55\nJpgSmoothing=1\nBatchExp=5\n");
    const TParam read = LoadSettings(SettingsPath());
    EXPECT_EQ(read.FonColor, AppParam().FonColor);
    EXPECT_EQ(read.LangFile, AppParam().LangFile);

    Run([&](TParamsF &d) {
        second = Shown(d);
        Click(d, "BitBtn2");
    });
    EXPECT_EQ(second, edited);
}

TEST_F(OptionsDialogTest, OutOfRangeSettingsShowTheDefaultsEntries)
{
    AppParam().BmpPixelFormat = 8;
    AppParam().JpgPixelFormat = 255;
    AppParam().BatchExp = -1;
    Run([](TParamsF &d) { Click(d, "BitBtn1"); });
    EXPECT_EQ(AppParam().BmpPixelFormat, 6);
    EXPECT_EQ(AppParam().JpgPixelFormat, 0);
    EXPECT_EQ(AppParam().BatchExp, 0);
}

TEST_F(OptionsDialogTest, CancelTouchesNothing)
{
    TXdgSandbox xdg;
    Run([](TParamsF &d) {
        Control<QCheckBox>(d, "CheckBox1").click();
        Control<QCheckBox>(d, "CheckBox4").click();
        Control<QSlider>(d, "TrackBar1").setValue(3);
        Click(d, "BitBtn2");
    });
    EXPECT_EQ(AppParam().JpgCompressionQuality, 90);
    EXPECT_FALSE(AppParam().UseAccelerator);
    EXPECT_FALSE(FileExists(SettingsPath()));
    EXPECT_FALSE(IsProjectAssociated());
    EXPECT_EQ(FHost.PreviewsDrawn + FRecoloured, 0);
}

TEST_F(OptionsDialogTest, TheAssociationChangesOnlyWithItsBox)
{
    const struct {
        bool ours, others, click;
        bool oursAfter, othersAfter;
    } cases[] = {
        {false, true, false, false, true},  // another copy's association stays
        {false, false, true, true, false},
        {true, false, true, false, false},
        {true, false, false, true, false},
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
        Run([&](TParamsF &d) {
            if (c.click)
                Control<QCheckBox>(d, "CheckBox4").click();
            Click(d, "BitBtn1");
        });
        bool othersAfter = false;
        elsewhere([&] { othersAfter = IsProjectAssociated(); });
        EXPECT_EQ(IsProjectAssociated(), c.oursAfter);
        EXPECT_EQ(othersAfter, c.othersAfter);
    }
}

TEST_F(OptionsDialogTest, LanguagesAreListedByNameAndOnlyYesClosesTheProgram)
{
    WriteText(LanguagesDir + "test.lng", "[Common]\nLanguage=Test\n");
    WriteText(LanguagesDir + "nokey.lng", "[ParamsF]\n2004=Ohne\n");
    WriteText(LanguagesDir + "Upper.LNG", "");
    QStringList listed;
    const struct {
        QString language;
        int answer;
    } steps[] = {{"Test", idYes}, {"nokey", idNo}, {BuiltInEntry, idNo}};
    for (const auto &step : steps) {
        Boxes.Answer(step.answer);
        Run([&](TParamsF &d) {
            auto &list = Control<QListWidget>(d, "ListBox1");
            listed.clear();
            for (int i = 0; i < list.count(); ++i)
                listed << list.item(i)->text();
            ChooseLanguage(d, step.language);
            Click(d, "BitBtn1");
        });
    }
    EXPECT_EQ(listed, QStringList({BuiltInEntry, "Upper", "nokey", "Test"}));
    EXPECT_EQ(FClosed, 1);
    EXPECT_EQ(FLanguageApplied, 3);
    EXPECT_EQ(AppParam().LangFile, "");
}

TEST_F(OptionsDialogTest, ConfirmingRendersAgainAndTheAcceleratorMakesANewContext)
{
    P().NewProject();
    P().AddButton("Home");
    P().Select(0, 0);
    P().RenderCurrent();
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
            Boxes.Answer(idOK);  // the error
        }
        P().Modified = false;
        RenderBuffer().Data.fill(0);
        const int previews = FHost.PreviewsDrawn;
        const unsigned contexts = RenderContextsMade();
        Run([&](TParamsF &d) {
            if (c.toggleAccelerator)
                Control<QCheckBox>(d, "CheckBox1").click();
            Click(d, "BitBtn1");
        });
        EXPECT_EQ(RenderContextsMade() - contexts, c.newContexts) << c.name;
        EXPECT_TRUE(P().Modified) << c.name;
        EXPECT_GT(P().CurrentState()->GetBitmap().convertToFormat(QImage::Format_Indexed8).colorCount(), 1)
            << c.name << ": the state is drawn";
        EXPECT_EQ(FHost.PreviewsDrawn, previews + 1) << c.name;
        EXPECT_EQ(FileExists(SettingsPath()), true);
    }
    EXPECT_EQ(Boxes.Shown().size(), 1u);
    EXPECT_TRUE(FHost.NeedBgRedraw);
    EXPECT_EQ(FRecoloured, 3);
}

class OptionsInTheProgramTest : public MainWindowTest {};

TEST_F(OptionsInTheProgramTest, ALanguageSwitchTranslatesEveryFormAndSwitchingBackRestoresThem)
{
    Main().show();
    Run("NewProject");
    std::string test = "[Common]\nLanguage=Test\n[Interface]\n9=Zu\n[MainF]\n1001=Neu\n";
    for (const char *form : {"MainF", "ParamsF", "TempSelF", "ButtonF", "AboutF", "PublishingF", "TempF"})
        test += std::string("[") + form + "]\n1=" + form + " T\n";
    const std::string nokey = "[ParamsF]\n1=Ohne\n";
    ASSERT_TRUE(WriteFileBytes(LanguagesDir + "test.lng", {test.begin(), test.end()}));
    ASSERT_TRUE(WriteFileBytes(LanguagesDir + "nokey.lng", {nokey.begin(), nokey.end()}));

    const auto texts = [&] {
        return QStringList{Main().windowTitle(),  ParamsF->windowTitle(),     TempSelF->windowTitle(),
                           ButtonF->windowTitle(), AboutF->windowTitle(),      PublishingF->windowTitle(),
                           TempF->windowTitle(),   Main().Templates().Tabs().tabText(0),
                           Action("NewProject").text()};
    };
    const QStringList builtIn = texts();
    QStringList withoutKeys = builtIn;
    withoutKeys[1] = "Ohne";
    const struct {
        QString language;
        QStringList expected;
    } steps[] = {
        {"Test", {"MainF T - No name.prj", "ParamsF T", "TempSelF T", "ButtonF T", "AboutF T", "PublishingF T", "TempF T",
                  "Zu", "Neu"}},
        {"nokey", withoutKeys},
        {BuiltInEntry, builtIn},
    };
    for (const auto &step : steps) {
        FBoxes.Answer(idNo);  // close the program?
        FDialogs.AnswerForm([&](QDialog &dialog) {
            auto *list = dialog.findChild<QListWidget *>("ListBox1");
            list->setCurrentItem(list->findItems(step.language, Qt::MatchExactly).value(0));
            dialog.findChild<QPushButton *>("BitBtn1")->click();
        });
        Run("AppParam");
        EXPECT_EQ(texts(), step.expected) << step.language.toStdString();
    }
    EXPECT_EQ(builtIn[0], "Bright Lane - No name.prj");
}

}  // namespace
