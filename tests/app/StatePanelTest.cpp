#include "ButtonPanel.h"
#include "Codepage.h"
#include "ColourSwatch.h"
#include "FlowTabs.h"
#include "KitSpin.h"
#include "NameDialogs.h"
#include "Outline.h"
#include "PanelFixture.h"
#include "Screens.h"
#include "StatePanel.h"
#include "WheelCheck.h"
#include "X11Keys.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QTimer>

#include <cmath>
#include <functional>

namespace {

// One edit of the panel: how a user makes it, what it writes into the
// current state, the group copied on and whether it renders in draft mode.
struct TEdit {
    const char *What;
    std::function<void()> Drive;
    std::function<bool(const TItem &)> Written;
    int Group;
    bool Draft;
};

class StatePanel : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        AddLibraryEntries();
        panel.FillTemplateLists();
        panel.LoadFromState();
        ShowNarrow(panel, 330);
        FHost.AutoButtonOn = true;
    }

    void AddLibraryEntries()
    {
        for (int i = 0; i < 2; ++i) {
            TShapeBlock shape;
            shape.A0 = 20 + i, shape.A7 = 340 - i, shape.Derived[0] = 99;
            P().Shapes.Add(shape, "shape");
            TDeformationBlock deformation;
            deformation.D0 = 10 + i, deformation.TopHeight = 0.5f, deformation.ScaleX = 0.25f, deformation.Derived[0] = 99;
            P().Deformations.Add(deformation, "deformation");
            TTextureBlock texture;
            std::fill(std::begin(texture.Texels), std::end(texture.Texels), uint8_t(100 + 50 * i));
            texture.Enabled = 0;
            P().Textures.Add(texture, "texture");
            TMaterialBlock material;
            material.Diffuse.R = 0.3f, material.Diffuse.A = 0.5f, material.Shininess = 200;
            P().Materials.Add(material, "material");
        }
    }

    template <typename Control>
    Control *Find(const char *name)
    {
        auto *control = panel.findChild<Control *>(QLatin1String(name));
        EXPECT_TRUE(control) << name;
        return control;
    }

    // Replaces the text of a line edit or spin edit by typing.
    void Type(const char *control, const char *text)
    {
        auto *line = Find<QWidget>(control)->findChild<QLineEdit *>();
        if (!line)
            line = Find<QLineEdit>(control);
        line->selectAll();
        QTest::keyClicks(line, QString::fromLatin1(text));
    }
    // Delete at the start of a spin edit's text.
    void EraseFirst(const char *spin)
    {
        Find<QWidget>(spin)->findChild<QLineEdit *>()->setCursorPosition(0);
        PressDelete(Find<QWidget>(spin));
    }
    // Focuses a control and moves the focus away again, as a user leaving it.
    void Leave(const char *control)
    {
        panel.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));
        Find<QWidget>(control)->setFocus(), Find<QWidget>(control)->clearFocus();
    }
    QString Shown(const char *spin) { return Find<TKitSpinEdit>(spin)->text(); }
    void Key(const char *control, Qt::Key key) { QTest::keyClick(Find<QWidget>(control), key); }
    void Click(const char *box) { Find<QCheckBox>(box)->click(); }
    void PickColour(const char *swatch, uint32_t colour)
    {
        Dialogs.AnswerColour(colour);
        QTest::mouseClick(Find<TColourSwatch>(swatch), Qt::LeftButton);
    }
    void ClickRow(const char *list, int row)
    {
        auto *view = Find<QListWidget>(list);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(view->item(row)).center());
    }

    // Runs each edit on its tab and checks the field, Modified, draft mode,
    // the preview and that exactly the edited group reached every state.
    void CheckEdits(TPropFr1::TPage page, const std::vector<TEdit> &edits)
    {
        panel.ShowPage(page);
        for (const TEdit &e : edits) {
            std::vector<std::vector<Bytes>> before;
            for (int g = pgText; g <= pgDeformation; ++g)
                before.push_back(AllGroupBytes(g));
            P().Modified = false;
            const int previews = FHost.PreviewsDrawn;

            e.Drive();
            EXPECT_TRUE(e.Written(Current())) << e.What;
            EXPECT_TRUE(P().Modified) << e.What;
            EXPECT_EQ(Current().Draft, e.Draft ? 1 : 0) << e.What;
            EXPECT_GT(FHost.PreviewsDrawn, previews) << e.What;
            for (int g = pgText; g <= pgDeformation; ++g) {
                const std::vector<Bytes> after = AllGroupBytes(g);
                std::vector<size_t> wrong;  // states that do not hold what they should
                for (size_t i = 0; i < after.size(); ++i)
                    if (after[i] != (g == e.Group ? GroupBytes(Current(), g) : before[size_t(g)][i]))
                        wrong.push_back(i);
                EXPECT_TRUE(wrong.empty()) << e.What << ": group " << g << " in states " << testing::PrintToString(wrong);
            }
            panel.EndDraft();
        }
        SaveScreen(panel, QStringLiteral("PropFr1-") + Find<TFlowTabs>("PageControl1")->TabButton(page)->text());
    }

    TPropFr1 panel;
};

TEST_F(StatePanel, TextTabEdits)
{
    Dialogs.AnswerFont(TFontChoice{QStringLiteral("Arial"), 12, fsBold | fsItalic, 0x0000FF, 204, 1});
    CheckEdits(TPropFr1::pgTextPage,
               {
                   {"caption", [&] { Type("Edit1", "Go"); }, [](const TItem &s) { return s.TextItem.Text == "Go"; }, pgText, true},
                   {"vertical", [&] { Key("ComboBox1", Qt::Key_Down); }, [](const TItem &s) { return s.TextItem.VAlign == 1; }, pgText, false},
                   {"horizontal", [&] { Key("ComboBox2", Qt::Key_Down); }, [](const TItem &s) { return s.TextItem.HAlign == 1; }, pgText, false},
                   {"top margin", [&] { Key("SpinEdit4", Qt::Key_Up); }, [](const TItem &s) { return s.TextItem.TopMargin == 1; }, pgText, true},
                   {"left margin", [&] { Type("SpinEdit5", "-7"); },
                    [](const TItem &s) { return s.TextItem.LeftMargin == -7; }, pgText, true},
                   {"left margin's sign deleted", [&] { EraseFirst("SpinEdit5"); },
                    [](const TItem &s) { return s.TextItem.LeftMargin == 7; }, pgText, true},
                   {"left margin past the integer range", [&] { Type("SpinEdit5", "99999999999"), Leave("SpinEdit5"); },
                    [&](const TItem &s) { return s.TextItem.LeftMargin == 100 && Shown("SpinEdit5") == "100"; }, pgText, true},
                   {"top margin held out of range, then stepped", [&] {
                        Current().TextItem.TopMargin = 500, panel.LoadFromState(), Leave("SpinEdit4");
                        EXPECT_EQ(Shown("SpinEdit4"), "500");
                        Key("SpinEdit4", Qt::Key_Up);
                    },
                    [&](const TItem &s) { return s.TextItem.TopMargin == 100 && Shown("SpinEdit4") == "100"; }, pgText, true},
                   {"font", [&] { QTest::mouseClick(Find<QWidget>("SpeedButton1"), Qt::LeftButton); },
                    [](const TItem &s) {
                        const TTextProp &t = s.TextItem;
                        return t.FontName == "Arial" && t.Size == 12 && t.Height == -16 && t.Style == 3 && t.Color == 0xFF &&
                               t.Charset == 204 && t.Pitch == 1;
                    },
                    pgText, false},
                   {"smoothing", [&] { Click("CheckBox5"); }, [](const TItem &s) { return s.TextItem.Smooth == 0; }, pgText, true},
               });
}

// What a field of the project's text shows is what the project keeps: a
// pasted line break or other control character is the blank the field
// shows, and a character the code page lacks is refused, typed or pasted.
TEST_F(StatePanel, AFieldOfTheProjectsTextKeepsWhatItShows)
{
    TPropFr2 buttonPanel;
    buttonPanel.LoadFromButton();
    TButtonF nameDialog;
    // A field and the text of the project it writes.
    const struct TField {
        QLineEdit *line;
        std::function<std::string()> stored;
    } caption{Find<QLineEdit>("Edit1"), [this] { return Current().TextItem.Text; }},
        name{nameDialog.findChild<QComboBox *>("ComboBox1")->lineEdit(), [&] { return ToAnsi(nameDialog.Name()); }},
        alt{buttonPanel.findChild<QLineEdit *>("Edit1"), [this] { return P().CurrentButton()->Prop.Alt; }},
        url{buttonPanel.findChild<QLineEdit *>("Edit2"), [this] { return P().CurrentButton()->Prop.Link; }};
    const struct {
        const char *what;
        const TField &field;
        QString pasted, typed;
        std::string kept;
    } cases[] = {
        {"CR LF", caption, QStringLiteral("Line1\r\nLine2"), {}, "Line1  Line2"},
        {"LF", caption, QStringLiteral("Line1\nLine2\n"), {}, "Line1 Line2 "},
        {"CR", caption, QStringLiteral("\rLine1\rLine2"), {}, " Line1 Line2"},
        {"line and paragraph separators", caption, QStringLiteral("Line1\u2028Line2\u2029"), {}, "Line1 Line2 "},
        {"no break", caption, QStringLiteral("Line1 Line2"), {}, "Line1 Line2"},
        {"control characters", caption, QStringLiteral("Tab\tUnit\x1fsep"), {}, "Tab Unit sep"},
        {"a name's line break", name, QStringLiteral("Line1\nLine2"), {}, "Line1 Line2"},
        {"ALT's line break", alt, QStringLiteral("Line1\r\nLine2"), {}, "Line1  Line2"},
        {"URL's line break", url, QStringLiteral("a.html\n#top"), {}, "a.html #top"},
        {"\u00c4 typed into a caption", caption, QStringLiteral("\u0416\u20ac"), QStringLiteral("\u00c4b"), "\xc6\x88" "b"},
        {"\u00c4 pasted into a caption", caption, QStringLiteral("\u00c4pfel"), QStringLiteral("\u0416"), "\xc6"},
        {"\u00c4 typed into a name", name, QStringLiteral("\u0416"), QStringLiteral("\u00c4"), "\xc6"},
        {"\u00c4 pasted into a name", name, QStringLiteral("\u00c4pfel"), QStringLiteral("b"), "b"},
        {"\u00c4 typed into ALT", alt, QStringLiteral("\u20ac"), QStringLiteral("\u00c4"), "\x88"},
        {"\u00c4 pasted into ALT", alt, QStringLiteral("\u00c4pfel"), QStringLiteral("b"), "b"},
    };
    for (const auto &c : cases) {
        c.field.line->clear();
        QGuiApplication::clipboard()->setText(c.pasted);
        PressPaste(c.field.line);
        for (const QChar typed : c.typed)
            TypeCharacter(c.field.line, typed);
        EXPECT_EQ(c.field.stored(), c.kept) << c.what;
        EXPECT_EQ(c.field.line->displayText(), FromAnsi(c.kept)) << c.what;
        panel.EndDraft();
    }
    SaveScreen(panel, QStringLiteral("PropFr1-pasted-caption"));
}

TEST_F(StatePanel, ShapeAndDeformationTabsTakeTheAnglesButNotTheDerivedValues)
{
    const auto shapeOf = [](int row) {
        return [row](const TItem &s) {
            const TShapeBlock &entry = Proj->Shapes.GetBlock(row), &shape = s.ButtonItem.Shape;
            return shape.A0 == entry.A0 && shape.A7 == entry.A7 && shape.Derived[0] != 99;
        };
    };
    CheckEdits(TPropFr1::pgShapePage, {{"click", [&] { ClickRow("ListBox2", 1); }, shapeOf(1), pgShape, false},
                                       {"key", [&] { Key("ListBox2", Qt::Key_Up); }, shapeOf(0), pgShape, false}});
    CheckEdits(TPropFr1::pgDeformationPage,
               {{"click", [&] { ClickRow("ListBox3", 1); },
                 [](const TItem &s) {
                     const TDeformationBlock &d = s.ButtonItem.Deformation;
                     return d.D0 == 11 && d.D3 == 90 && d.TopHeight == 0.5f && d.ScaleX == 0.25f && d.Derived[0] != 99;
                 },
                 pgDeformation, false}});
}

TEST_F(StatePanel, MaterialTabEdits)
{
    const auto colour = [](TRGBA TMaterialBlock::*field, TColor c) {
        return [field, c](const TItem &s) {
            const TRGBA expected = ColorToRGBA(c), &got = s.ButtonItem.Material.*field;
            return std::memcmp(&got, &expected, sizeof got) == 0;
        };
    };
    CheckEdits(TPropFr1::pgMaterialPage,
               {
                   // The library's colours arrive as 8 bits a channel with alpha 1,
                   // its shininess as the spin edit holds it.
                   {"library", [&] { Key("ComboBox3", Qt::Key_Down); },
                    [](const TItem &s) {
                        const TMaterialBlock &m = s.ButtonItem.Material;
                        // 0.3f is a little above 0.3: 76.5000... rounds to 77.
                        return m.Diffuse.R == 77 / 255.0f && m.Diffuse.A == 1.0f && m.Shininess == 128;
                    },
                    pgMaterial, false},
                   {"ambient", [&] { PickColour("Shape5", 0x102030); }, colour(&TMaterialBlock::Ambient, 0x102030), pgMaterial, false},
                   {"diffuse", [&] { PickColour("Shape6", 0x405060); }, colour(&TMaterialBlock::Diffuse, 0x405060), pgMaterial, false},
                   {"specular", [&] { PickColour("Shape7", 0x708090); }, colour(&TMaterialBlock::Specular, 0x708090), pgMaterial, false},
                   {"emission", [&] { PickColour("Shape8", 0xA0B0C0); }, colour(&TMaterialBlock::Emission, 0xA0B0C0), pgMaterial, false},
                   {"shininess", [&] { Key("SpinEdit1", Qt::Key_Down); }, [](const TItem &s) { return s.ButtonItem.Material.Shininess == 127; },
                    pgMaterial, true},
               });
    EXPECT_EQ(Find<QComboBox>("ComboBox3")->currentIndex(), 0) << "an edited material is \"Custom\"";
}

TEST_F(StatePanel, LightTabEdits)
{
    // The position as the editor stores it: extended-precision products of
    // the single-precision degree factor, stored as floats.
    const auto placed = [](long double angle, long double radius) {
        const long double a = angle * (long double)(0.0174532924f);
        return std::pair<float, float>(float(std::cos(a) * radius), float(std::sin(a) * radius));
    };
    const auto colour = [](TRGBA TLightBlock::*field, TColor c) {
        return [field, c](const TItem &s) { return RGBAToColor(s.Lights[0].*field) == c && (s.Lights[0].*field).A == 1.0f; };
    };
    CheckEdits(TPropFr1::pgLightPage,
               {
                   {"switch off", [&] { Click("CheckBox1"); }, [](const TItem &s) { return s.Lights[0].Enabled == 0; }, pgLights, false},
                   {"switch on", [&] { Click("CheckBox1"); }, [](const TItem &s) { return s.Lights[0].Enabled == 1; }, pgLights, false},
                   {"ambient", [&] { PickColour("Shape2", 0x010203); }, colour(&TLightBlock::Ambient, 0x010203), pgLights, false},
                   {"diffuse", [&] { PickColour("Shape3", 0x040506); }, colour(&TLightBlock::Diffuse, 0x040506), pgLights, false},
                   {"specular", [&] { PickColour("Shape4", 0x070809); }, colour(&TLightBlock::Specular, 0x070809), pgLights, false},
                   {"depth", [&] { Find<QSlider>("TrackBar1")->setValue(-10); },
                    [](const TItem &s) { return s.Lights[0].Position.Z == -10.0f && s.Lights[0].Depth == -10.0f; }, pgLights, true},
                   {"radius", [&] { Find<QSlider>("TrackBar2")->setValue(20); },
                    [&](const TItem &s) {
                        const TLightItem &l = s.Lights[0];
                        return l.Radius == 20 && std::pair(l.Position.X, l.Position.Y) == placed(l.Angle, 20);
                    },
                    pgLights, true},
                   {"angle", [&] { Find<QSlider>("TrackBar3")->setValue(90); },
                    [&](const TItem &s) {
                        const TLightItem &l = s.Lights[0];
                        return std::pair(l.Position.X, l.Position.Y) == placed(90, 20) && l.Position.X != 0 &&
                               l.Position.Y == 20 && l.Angle == 90 && l.Position.Z == -10.0f;
                    },
                    pgLights, true},
                   {"on the axis", [&] { Find<QSlider>("TrackBar2")->setValue(0); },
                    [](const TItem &s) { return s.Lights[0].Position.X == 0 && s.Lights[0].Position.Y == 0 && s.Lights[0].Radius == 0; },
                    pgLights, true},
               });
}

TEST_F(StatePanel, TextureTabSwitchingOnAppliesTheEntryAndOffKeepsTheTexels)
{
    const auto texture = [](uint8_t first, uint8_t rest, uint8_t enabled) {
        return [=](const TItem &s) {
            const TTextureBlock &t = s.ButtonItem.Texture;
            return t.Enabled == enabled && t.Texels[0] == first &&
                   std::all_of(std::begin(t.Texels) + 1, std::end(t.Texels), [&](uint8_t b) { return b == rest; });
        };
    };
    const auto poke = [&] { Current().ButtonItem.Texture.Texels[0] = 1; };
    CheckEdits(TPropFr1::pgTexturePage, {
                                            {"entry", [&] { ClickRow("ListBox1", 1); }, texture(150, 150, 0), pgTexture, false},
                                            {"on", [&] { poke(), Click("CheckBox2"); }, texture(150, 150, 1), pgTexture, false},
                                            {"entry while on", [&] { ClickRow("ListBox1", 0); }, texture(100, 100, 1), pgTexture, false},
                                            {"off", [&] { poke(), Click("CheckBox2"); }, texture(1, 100, 0), pgTexture, false},
                                        });
}

TEST_F(StatePanel, WithTheTextureLibraryEmptiedATextureCanBeSwitchedOffButNotOn)
{
    auto *box = Find<QCheckBox>("CheckBox2");
    Current().ButtonItem.Texture.Enabled = 1;
    P().Textures.Clear();
    panel.FillTemplateLists();
    EXPECT_TRUE(box->isChecked()) << "the switch shows the state's texture";
    EXPECT_FALSE(P().Modified);
    for (int click = 0; click < 2; ++click) {
        box->click();
        EXPECT_FALSE(box->isChecked()) << click;
        EXPECT_EQ(Current().ButtonItem.Texture.Enabled, 0) << click;
    }
}

TEST_F(StatePanel, ShadowTabEdits)
{
    const auto choose = [&](const char *box) { Key(box, Qt::Key_Down); };
    CheckEdits(TPropFr1::pgShadowPage,
               {
                   {"colour", [&] { choose("ColorBox1"); }, [](const TItem &s) { return s.ButtonItem.Shadow.Color == 0x000080; }, pgShadow, false},
                   {"dx", [&] { Key("KitSpinEdit4", Qt::Key_Up); }, [](const TItem &s) { return s.ButtonItem.Shadow.DX == 0.15f; }, pgShadow, false},
                   {"dy", [&] { Key("KitSpinEdit5", Qt::Key_Down); }, [](const TItem &s) { return s.ButtonItem.Shadow.DY == 0.05f; }, pgShadow, false},
                   {"shadow off", [&] { Click("CheckBox6"); }, [](const TItem &s) { return s.ButtonItem.Shadow.Enabled == 0; }, pgShadow, false},
                   {"text shadow on", [&] { Click("CheckBox7"); }, [](const TItem &s) { return s.TextItem.TextShadow == 1; }, pgShadow, false},
                   {"text colour", [&] { choose("ColorBox2"); }, [](const TItem &s) { return s.TextItem.TextShadowColor == 0x00FFFF; }, pgShadow, false},
                   {"text dx", [&] { Key("SpinEdit20", Qt::Key_Up); }, [](const TItem &s) { return s.TextItem.TextShadowDX == -4; }, pgShadow, false},
                   {"text dy", [&] { Key("SpinEdit21", Qt::Key_Down); }, [](const TItem &s) { return s.TextItem.TextShadowDY == 1; }, pgShadow, false},
                   {"text dx past the integer range", [&] { Type("SpinEdit20", "2147483648"), Leave("SpinEdit20"); },
                    [&](const TItem &s) { return s.TextItem.TextShadowDX == 214748364 && Shown("SpinEdit20") == "214748364"; }, pgShadow, false},
               });
    EXPECT_FALSE(Find<QWidget>("ColorBox1")->isEnabled()) << "the button shadow's controls follow its switch";
    EXPECT_TRUE(Find<QWidget>("SpinEdit21")->isEnabled());
}

}  // namespace

namespace {

TEST_F(StatePanel, LoadingBrowsingLightsNewTextsAndClosingTheLibraryWriteNothing)
{
    FHost.AutoButtonOn = false;
    State(1, 2).TextItem.VAlign = 1, State(1, 2).TextItem.HAlign = 2;
    std::vector<std::vector<Bytes>> before;
    for (int g = pgText; g <= pgDeformation; ++g)
        before.push_back(AllGroupBytes(g));
    const int previews = FHost.PreviewsDrawn;

    P().Select(1, 2);
    panel.LoadFromState();
    panel.ApplyLanguage();
    EXPECT_EQ(Find<QLineEdit>("Edit1")->text(), QStringLiteral("Copied++++++"));
    EXPECT_EQ(Find<QComboBox>("ComboBox1")->currentIndex(), 1) << "new texts keep the alignment shown";
    EXPECT_EQ(Find<QComboBox>("ComboBox2")->currentIndex(), 2);
    auto *lightNumber = Find<TKitSpinEdit>("SpinEdit100");
    for (const int light : {5, 3, 0}) {
        lightNumber->SetValue(light);
        EXPECT_EQ(Find<QCheckBox>("CheckBox1")->isChecked(), bool(Current().Lights[size_t(light)].Enabled)) << light;
        EXPECT_EQ(Find<QWidget>("TrackBar2")->isEnabled(), bool(Current().Lights[size_t(light)].Enabled)) << light;
    }
    Current().ButtonItem.Texture.Enabled = 1;
    panel.LibraryDialogClosed(TPropFr1::lpTextures, 1);
    EXPECT_TRUE(Find<QCheckBox>("CheckBox2")->isChecked());
    EXPECT_EQ(Find<QListWidget>("ListBox1")->currentRow(), 1);
    Current().ButtonItem.Texture.Enabled = 0;

    for (int g = pgText; g <= pgDeformation; ++g)
        EXPECT_EQ(AllGroupBytes(g), before[size_t(g)]) << "group " << g;
    EXPECT_FALSE(P().Modified);
    EXPECT_EQ(FHost.PreviewsDrawn, previews);
}

TEST_F(StatePanel, ASpinEditHoldingNoNumberYetWritesNothing)
{
    Current().ButtonItem.Shadow.Enabled = 1, Current().TextItem.TextShadow = 1;
    panel.LoadFromState();
    std::vector<std::vector<Bytes>> before;
    for (int g = pgText; g <= pgDeformation; ++g)
        before.push_back(AllGroupBytes(g));
    for (const char *spin : {"SpinEdit4", "SpinEdit5", "SpinEdit1", "KitSpinEdit4", "KitSpinEdit5", "SpinEdit20", "SpinEdit21"})
        for (const char *text : {"", "-"}) {
            Type(spin, text);
            QTest::keyClick(Find<TKitSpinEdit>(spin), Qt::Key_Backspace);  // "-" is left empty, "" stays so
            Type(spin, text);
        }
    for (int g = pgText; g <= pgDeformation; ++g)
        EXPECT_EQ(AllGroupBytes(g), before[size_t(g)]) << "group " << g;
    EXPECT_FALSE(P().Modified);
}

// Scrolling a short panel with the wheel over its controls changes nothing:
// only a focused control takes the wheel.
TEST_F(StatePanel, TheWheelOverAnUnfocusedControlScrollsThePageAndChangesNothing)
{
    TItem &state = Current();
    state.ButtonItem.Shadow.Enabled = 1, state.TextItem.TextShadow = 1, state.Lights[0].Enabled = 1;
    panel.LoadFromState();
    panel.resize(panel.width(), 110);
    const std::vector<std::vector<Bytes>> before = EveryGroupBytes();
    QStringList turned;
    for (int page = TPropFr1::pgTextPage; page <= TPropFr1::pgShadowPage; ++page) {
        panel.ShowPage(TPropFr1::TPage(page));
        turned << CheckWheelPassesOver(*Find<TFlowTabs>("PageControl1")->Page(page), [&](const QString &name) {
            EXPECT_TRUE(EveryGroupBytes() == before) << name.toStdString();
            EXPECT_FALSE(P().Modified) << name.toStdString();
        });
    }
    SaveScreen(panel, QStringLiteral("PropFr1-scrolled"));
    turned.sort();
    EXPECT_EQ(turned, QStringList({"ColorBox1", "ColorBox2", "ComboBox1", "ComboBox2", "ComboBox3", "KitSpinEdit4",
                                   "KitSpinEdit5", "SpinEdit1", "SpinEdit100", "SpinEdit20", "SpinEdit21", "SpinEdit4",
                                   "SpinEdit5", "TrackBar1", "TrackBar2", "TrackBar3"}));
}

TEST_F(StatePanel, DraftModeEndsForTheStateThatEnteredIt)
{
    auto *timer = Find<QTimer>("Timer1");
    const auto typeIntoFirstState = [&] {
        P().Select(0, 0);
        panel.LoadFromState();
        Type("Edit1", "x");
        ASSERT_EQ(State(0, 0).Draft, 1);
        ASSERT_EQ(AppParam().MeshCols, 50);
        ASSERT_TRUE(timer->isActive());
        ASSERT_EQ(timer->interval(), 1000);
    };
    const auto fullMesh = [] { return AppParam().MeshCols == 180 && AppParam().MeshRows == 90; };

    typeIntoFirstState();
    int previews = FHost.PreviewsDrawn;
    panel.Timer1Timer();
    EXPECT_EQ(State(0, 0).Draft, 0);
    EXPECT_TRUE(fullMesh());
    EXPECT_EQ(FHost.PreviewsDrawn, previews + 1) << "the full-quality render";

    typeIntoFirstState();
    P().Select(0, 1);
    panel.LoadFromState();
    EXPECT_EQ(State(0, 0).Draft, 0) << "another state's selection ends the draft";
    EXPECT_TRUE(fullMesh());
    EXPECT_FALSE(timer->isActive());

    typeIntoFirstState();
    P().Select(1, 0);  // as when a button node is chosen: the panel is not reloaded
    previews = FHost.PreviewsDrawn;
    panel.Timer1Timer();
    EXPECT_EQ(State(0, 0).Draft, 0);
    EXPECT_EQ(FHost.PreviewsDrawn, previews) << "no render of a state that was never in draft mode";

    typeIntoFirstState();
    P().Select(1, 0);
    Type("Edit1", "y");  // an edit of another state that the panel was not reloaded for
    EXPECT_EQ(State(0, 0).Draft, 0);
    EXPECT_EQ(State(1, 0).Draft, 1);
    EXPECT_TRUE(timer->isActive()) << "the timer runs for the state now in draft mode";

    typeIntoFirstState();
    previews = FHost.PreviewsDrawn;
    panel.hide();  // as when the project closes or the panel steps aside
    EXPECT_EQ(State(0, 0).Draft, 0);
    EXPECT_TRUE(fullMesh());
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(FHost.PreviewsDrawn, previews + 1) << "the full-quality render";
    panel.show();

    typeIntoFirstState();
    P().DeleteButton();
    panel.EndDraft();
    EXPECT_TRUE(fullMesh()) << "the state went with its button";
}

TEST_F(StatePanel, AutoCopySwitchesChooseTheTargetsAndLeaveThemUnrendered)
{
    const struct {
        bool allStates, allButtons, sameStates;
        std::vector<size_t> targets;  // states numbered button by button; (1, 1) is current
    } cases[] = {
        {false, false, false, {4}},
        {true, false, false, {3, 4, 5}},
        {false, false, true, {1, 4, 7}},
        {true, false, true, {1, 3, 4, 5, 7}},
        {false, true, false, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {true, true, true, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
    };
    for (const auto &c : cases) {
        MakeStatesDistinct();
        FHost.AutoStateOn = c.allStates, FHost.AutoButtonOn = c.allButtons, FHost.AutoButStateOn = c.sameStates;
        P().Select(1, 1);
        panel.LoadFromState();
        const std::vector<Bytes> before = AllGroupBytes(pgText);
        const Bytes held = GroupBytes(CopyBuffer, pgText);

        Type("Edit1", "A");

        const std::vector<Bytes> after = AllGroupBytes(pgText);
        std::vector<size_t> changed;
        for (size_t i = 0; i < after.size(); ++i)
            if (after[i] != before[i]) {
                changed.push_back(i);
                EXPECT_EQ(after[i], GroupBytes(Current(), pgText)) << i;
            }
        EXPECT_EQ(changed, c.targets);
        for (size_t i = 0; i < 9; ++i)  // the current state was rendered, the targets are left for their next render
            EXPECT_EQ(P().Buttons[i / 3]->States[i % 3].Dirty, 0) << i;
        EXPECT_EQ(GroupBytes(CopyBuffer, pgText), held) << "the paste buffer keeps its copy";
        panel.EndDraft();
    }
}

}  // namespace
