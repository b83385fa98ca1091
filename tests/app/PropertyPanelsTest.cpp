// The button panel and the project panel.
#include "ButtonPanel.h"
#include "ColourSwatch.h"
#include "KitSpin.h"
#include "PanelFixture.h"
#include "ProjectPanel.h"
#include "Screens.h"
#include "WheelCheck.h"
#include "FileSystem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <functional>

namespace {

class ButtonPanel : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        panel.ApplyLanguage();
        panel.LoadFromButton();
        ShowNarrow(panel, 240);
    }
    template <typename Control>
    Control *Find(const char *name)
    {
        auto *control = panel.findChild<Control *>(QLatin1String(name));
        EXPECT_TRUE(control) << name;
        return control;
    }
    QLineEdit *Line(const char *name)
    {
        QWidget *control = Find<QWidget>(name);
        auto *line = control->findChild<QLineEdit *>();
        return line ? line : qobject_cast<QLineEdit *>(control);
    }
    void Type(const char *name, const char *text)
    {
        Line(name)->selectAll();
        QTest::keyClicks(Line(name), QString::fromLatin1(text));
    }

    TButtons &Button() { return *P().CurrentButton(); }

    TPropFr2 panel;
};

TEST_F(ButtonPanel, LinkTextAndTargetAreStoredTrimmedWithTheKeywordsInLowerCase)
{
    const struct {
        const char *what;
        std::function<void()> drive;
        std::string TButtonProp::*field;
        std::string stored;
    } cases[] = {
        {"link", [&] { Type("Edit2", " Pages/Index.HTML "); }, &TButtonProp::Link, "Pages/Index.HTML"},
        {"alt", [&] { Type("Edit1", "Home page "); }, &TButtonProp::Alt, "Home page "},
        {"keyword", [&] { Type("ComboBox1", " _BLANK "); }, &TButtonProp::Target, "_blank"},
        {"frame", [&] { Type("ComboBox1", " MainFrame "); }, &TButtonProp::Target, "MainFrame"},
        {"listed", [&] { QTest::keyClick(Find<QComboBox>("ComboBox1"), Qt::Key_Down); }, &TButtonProp::Target, "_blank"},
        {"browsed link",
         [&] {
             Dialogs.AnswerFile(QStringLiteral("/sites/menu/About.html"));
             QTest::mouseClick(Find<QWidget>("SpeedButton2"), Qt::LeftButton);
         },
         &TButtonProp::Link, "About.html"},
        {"browsed target",
         [&] {
             Dialogs.AnswerFile(QStringLiteral("/sites/menu/Frame.htm"));
             QTest::mouseClick(Find<QWidget>("SpeedButton1"), Qt::LeftButton);
         },
         &TButtonProp::Target, "Frame.htm"},
    };
    for (const auto &c : cases) {
        P().Modified = false;
        c.drive();
        EXPECT_EQ(Button().Prop.*c.field, c.stored) << c.what;
        EXPECT_TRUE(P().Modified) << c.what;
    }
    EXPECT_EQ(Line("Edit2")->text(), QStringLiteral("About.html"));
    ASSERT_EQ(Dialogs.FileRequests().size(), 2u);
    EXPECT_EQ(Dialogs.FileRequests()[0].InitialDir, QtFilePath(HtmlPagesDir));
    EXPECT_EQ(Dialogs.FileRequests()[1].InitialDir, QStringLiteral("/sites/menu")) << "where the last one ended";
    SaveScreen(panel, QStringLiteral("PropFr2-edited"));
}

TEST_F(ButtonPanel, ImageSettingsGoIntoAllThreeStatesAndSizesOutsideTheLimitsAreRefused)
{
    const auto inAllStates = [&](auto check) {
        return std::all_of(Button().States.begin(), Button().States.end(), check);
    };
    const auto setText = [&](const char *spin, const char *text) { Line(spin)->setText(QString::fromLatin1(text)); };
    const struct {
        const char *what;
        std::function<void()> drive;
        std::function<bool(const TItem &)> written;
        bool changes;
    } cases[] = {
        {"width", [&] { setText("SpinEdit2", "250"); }, [](const TItem &s) { return s.Width == 250; }, true},
        {"height", [&] { setText("SpinEdit3", "10"); }, [](const TItem &s) { return s.Height == 10; }, true},
        {"height too big", [&] { setText("SpinEdit3", "201"); }, [](const TItem &s) { return s.Height == 10; }, false},
        {"width too small", [&] { setText("SpinEdit2", "9"); }, [](const TItem &s) { return s.Width == 250; }, false},
        {"width cleared", [&] { setText("SpinEdit2", ""); }, [](const TItem &s) { return s.Width == 250; }, false},
        {"background",
         [&] {
             Dialogs.AnswerColour(0x336699);
             QTest::mouseClick(Find<TColourSwatch>("Shape1"), Qt::LeftButton);
         },
         [](const TItem &s) {
             const TRGBA chosen = ColorToRGBA(0x336699);
             return std::memcmp(&s.Background, &chosen, sizeof chosen) == 0;
         },
         true},
        {"antialiasing", [&] { Find<QCheckBox>("CheckBox5")->click(); }, [](const TItem &s) { return s.Antialias == 1; }, true},
    };
    for (const bool stateSelected : {true, false}) {
        P().Select(0, stateSelected ? 0 : -1);
        for (const auto &c : cases) {
            P().Modified = false;
            FHost.NeedBgRedraw = false;
            const int previews = FHost.PreviewsDrawn;
            c.drive();
            EXPECT_TRUE(inAllStates(c.written)) << c.what;
            EXPECT_EQ(P().Modified, c.changes) << c.what;
            const bool rendered = c.changes && stateSelected;
            EXPECT_EQ(FHost.NeedBgRedraw, rendered) << c.what;
            EXPECT_EQ(FHost.PreviewsDrawn, previews + (rendered ? 1 : 0)) << c.what;
        }
        Find<QCheckBox>("CheckBox5")->click();  // back off for the next round
        Dialogs.AnswerColour(0);
        QTest::mouseClick(Find<TColourSwatch>("Shape1"), Qt::LeftButton);
    }
}

TEST_F(ButtonPanel, LoadingShowsTheButtonAndItsNormalStateAndWritesNothing)
{
    const struct {
        const char *target;
        int index;  // -1: shown as typed text
    } cases[] = {{"_top", 3}, {"_TOP", -1}, {"MainFrame", -1}, {"_top", 3}};
    for (const auto &c : cases) {
        P().Select(1, -1);
        Button().Prop = {"Http://Site/", "Go home", c.target};
        Button().States[stNormal].Width = 77;
        Button().States[stOver].Width = 55;
        P().Modified = false;

        panel.LoadFromButton();
        panel.ApplyLanguage();  // new texts keep the choice shown
        EXPECT_EQ(Line("Edit2")->text(), QStringLiteral("Http://Site/"));
        EXPECT_EQ(Line("Edit1")->text(), QStringLiteral("Go home"));
        EXPECT_EQ(Find<QComboBox>("ComboBox1")->currentText(), QString::fromLatin1(c.target));
        if (c.index >= 0) {
            EXPECT_EQ(Find<QComboBox>("ComboBox1")->currentIndex(), c.index);
        }
        EXPECT_EQ(Find<TKitSpinEdit>("SpinEdit2")->Value(), 77);
        EXPECT_EQ(Button().States[stOver].Width, 55) << "loading writes nothing";
        EXPECT_EQ(Button().Prop.Target, c.target);
        EXPECT_FALSE(P().Modified);
    }
    SaveScreen(panel, QStringLiteral("PropFr2-loaded"));
}

// Scrolling the short panel with the wheel over its controls changes
// nothing: only a focused control takes the wheel.
TEST_F(ButtonPanel, TheWheelOverAnUnfocusedControlScrollsThePanelAndChangesNothing)
{
    panel.resize(panel.width(), 60);
    const TButtonProp prop = Button().Prop;
    const std::vector<std::vector<Bytes>> before = EveryGroupBytes();
    QStringList turned = CheckWheelPassesOver(panel, [&](const QString &name) {
        const TButtonProp &now = Button().Prop;
        EXPECT_TRUE(now.Link == prop.Link && now.Alt == prop.Alt && now.Target == prop.Target) << name.toStdString();
        EXPECT_TRUE(EveryGroupBytes() == before) << name.toStdString();
        EXPECT_FALSE(P().Modified) << name.toStdString();
    });
    SaveScreen(panel, QStringLiteral("PropFr2-scrolled"));
    turned.sort();
    EXPECT_EQ(turned, QStringList({"ComboBox1", "SpinEdit2", "SpinEdit3"}));
}

class ProjectPanel : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        panel.LoadFromProj();
        ShowNarrow(panel, 160);
    }
    template <typename Control>
    Control *Find(const char *name)
    {
        return panel.findChild<Control *>(QLatin1String(name));
    }
    std::vector<Bytes> Backgrounds() { return AllGroupBytes(pgSize); }

    TPropFr3 panel;
};

TEST_F(ProjectPanel, APageColourRecoloursEveryStateOnlyWhenAsked)
{
    const struct {
        bool recolour, stateSelected;
    } cases[] = {{true, true}, {true, false}, {false, true}};
    uint32_t colour = 0x102030;
    for (const auto &c : cases) {
        P().Select(0, c.stateSelected ? 1 : -1);
        Find<QCheckBox>("CheckBox1")->setChecked(false);
        panel.LoadFromProj();
        EXPECT_TRUE(Find<QCheckBox>("CheckBox1")->isChecked()) << "checked at every load";
        Find<QCheckBox>("CheckBox1")->setChecked(c.recolour);
        const std::vector<Bytes> before = Backgrounds();
        P().Modified = false;
        const int previews = FHost.PreviewsDrawn;

        Dialogs.AnswerColour(++colour);
        QTest::mouseClick(Find<TColourSwatch>("Shape1"), Qt::LeftButton);

        EXPECT_EQ(P().Settings.BackColor, TColor(colour));
        EXPECT_TRUE(P().Modified);
        const TRGBA page = ColorToRGBA(TColor(colour));
        for (const auto &button : P().Buttons)
            for (const TItem &state : button->States) {
                if (c.recolour) {
                    EXPECT_EQ(std::memcmp(&state.Background, &page, sizeof page), 0);
                }
            }
        if (!c.recolour) {
            EXPECT_EQ(Backgrounds(), before);
        }
        EXPECT_EQ(FHost.PreviewsDrawn, previews + (c.recolour && c.stateSelected ? 1 : 0));
    }
    SaveScreen(panel, QStringLiteral("PropFr3-loaded"));
}

TEST_F(ProjectPanel, AlignmentAndOrientationMarkTheProjectAndRenderNothing)
{
    const int previews = FHost.PreviewsDrawn;
    QTest::keyClick(Find<QComboBox>("ComboBox1"), Qt::Key_Down);
    EXPECT_EQ(P().Settings.MenuAlign, 2);
    EXPECT_TRUE(P().Modified);
    P().Modified = false;
    QTest::keyClick(Find<QComboBox>("ComboBox2"), Qt::Key_Down);
    EXPECT_EQ(P().Settings.MenuOrientation, 1);
    EXPECT_TRUE(P().Modified);
    EXPECT_EQ(FHost.PreviewsDrawn, previews);

    P().Settings = {0x00FF00, 0, 1};
    panel.LoadFromProj();
    panel.ApplyLanguage();  // new texts keep the choices shown
    EXPECT_EQ(Find<TColourSwatch>("Shape1")->Colour(), 0x00FF00);
    EXPECT_EQ(Find<QComboBox>("ComboBox1")->currentText(), QStringLiteral("Center"));
    EXPECT_EQ(Find<QComboBox>("ComboBox2")->currentText(), QStringLiteral("Vertical"));
}

TEST_F(ProjectPanel, TheWheelOverAnUnfocusedControlScrollsThePanelAndChangesNothing)
{
    panel.resize(panel.width(), 60);
    const TProjSettings settings = P().Settings;
    const QStringList turned = CheckWheelPassesOver(panel, [&](const QString &name) {
        const TProjSettings &now = P().Settings;
        EXPECT_TRUE(now.MenuAlign == settings.MenuAlign && now.MenuOrientation == settings.MenuOrientation)
            << name.toStdString();
        EXPECT_FALSE(P().Modified) << name.toStdString();
    });
    SaveScreen(panel, QStringLiteral("PropFr3-scrolled"));
    EXPECT_EQ(turned, QStringList({"ComboBox1", "ComboBox2"}));
}

}  // namespace
