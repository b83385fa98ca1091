#include "ProjectFixture.h"
#include "ShapeEditors.h"

#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <array>

namespace {

// One user step on a control: the arrow key up (+1) or down (-1), repeated.
struct TStep {
    const char *Control;
    int Count;
};

void Step(QWidget &editor, const TStep &step)
{
    auto *control = editor.findChild<QAbstractSpinBox *>(step.Control);
    ASSERT_NE(control, nullptr) << step.Control;
    for (int i = 0; i < std::abs(step.Count); ++i)
        QTest::keyClick(control, step.Count > 0 ? Qt::Key_Up : Qt::Key_Down);
}

using TAngles = std::array<int, 8>;  // A0 .. A7

TShapeBlock ShapeOf(const TAngles &a)
{
    TShapeBlock s;
    s.A0 = a[0], s.A1 = a[1], s.A2 = a[2], s.A3 = a[3], s.A4 = a[4], s.A5 = a[5], s.A6 = a[6], s.A7 = a[7];
    return s;
}

TAngles AnglesOf(const TShapeBlock &s) { return {s.A0, s.A1, s.A2, s.A3, s.A4, s.A5, s.A6, s.A7}; }

// D0 .. D3, TopHeight, ScaleX, ScaleY.
using TProfile = std::array<float, 7>;

TDeformationBlock DeformationOf(const TProfile &p)
{
    TDeformationBlock d;
    d.D0 = int(p[0]), d.D1 = int(p[1]), d.D2 = int(p[2]), d.D3 = int(p[3]);
    d.TopHeight = p[4], d.ScaleX = p[5], d.ScaleY = p[6];
    return d;
}

TProfile ProfileOf(const TDeformationBlock &d)
{
    return {float(d.D0), float(d.D1), float(d.D2), float(d.D3), d.TopHeight, d.ScaleX, d.ScaleY};
}

using ShapeEditors = ProjectTest;

}  // namespace

// The straight edges never get a negative length: a step past the angle at
// the edge's other end drags that angle along, across the 0/360 seam too.
TEST_F(ShapeEditors, ShapeAnglesDragTheirNeighbours)
{
    const TAngles square{45, 90, 90, 135, 225, 270, 270, 315};
    const struct {
        const char *Name;
        TAngles Start;
        std::vector<TStep> Steps;
        TAngles Expected;
    } cases[] = {
        {"A1 up past A2", square, {{"SpinEdit7", 1}}, {45, 93, 93, 135, 225, 270, 270, 315}},
        {"A2 down below A1", square, {{"SpinEdit8", -1}}, {45, 87, 87, 135, 225, 270, 270, 315}},
        {"A3 up past A4", {45, 90, 90, 180, 180, 270, 270, 315}, {{"SpinEdit9", 2}},
         {45, 90, 90, 186, 186, 270, 270, 315}},
        {"A6 down below A5", square, {{"SpinEdit12", -3}}, {45, 90, 90, 135, 225, 261, 261, 315}},
        {"A0 down below A7 - 360", {-42, 90, 90, 135, 225, 270, 270, 321}, {{"SpinEdit6", -1}},
         {-45, 90, 90, 135, 225, 270, 270, 315}},
        {"A7 up past A0 + 360", {-45, 90, 90, 135, 225, 270, 270, 315}, {{"SpinEdit13", 1}},
         {-42, 90, 90, 135, 225, 270, 270, 318}},
        {"arrows stop at the range", square, {{"SpinEdit6", 2}, {"SpinEdit11", -40}},
         {45, 90, 90, 135, 225, 225, 270, 315}},
        {"a sharp corner is kept", {45, 48, 90, 135, 225, 270, 270, 315}, {{"SpinEdit7", -1}},
         {45, 45, 90, 135, 225, 270, 270, 315}},
    };
    for (const auto &c : cases) {
        TShapeEditor editor;
        editor.Reset(ShapeOf(c.Start));
        for (const TStep &step : c.Steps)
            Step(editor, step);
        EXPECT_EQ(AnglesOf(editor.Shape()), c.Expected) << c.Name;
        for (int i = 0; i < 8; ++i)  // the controls show the working copy
            EXPECT_EQ(editor.findChild<QSpinBox *>(QString("SpinEdit%1").arg(6 + i))->value(), c.Expected[size_t(i)])
                << c.Name << " A" << i;
    }
}

// The profile's angles stay ordered with the upper arc never empty, and a
// flat top (D3 = 90) always has full height.
TEST_F(ShapeEditors, ProfileAnglesAndHeightFollowTheirRules)
{
    const TProfile normal{36, 66, 66, 90, 1.0f, 0, 0};
    const struct {
        const char *Name;
        TProfile Start;
        std::vector<TStep> Steps;
        TProfile Expected;
    } cases[] = {
        {"D1 up past D2 drags it", normal, {{"SpinEdit15", 1}}, {36, 69, 69, 90, 1.0f, 0, 0}},
        {"D1 up onto D3 steps back", {36, 84, 84, 87, 0.5f, 0, 0}, {{"SpinEdit15", 1}}, {36, 84, 84, 87, 0.5f, 0, 0}},
        {"D2 up onto D3 steps back", {36, 66, 84, 87, 0.5f, 0, 0}, {{"SpinEdit16", 1}}, {36, 66, 84, 87, 0.5f, 0, 0}},
        {"D2 down below D1 drags it", {36, 66, 72, 90, 1.0f, 0, 0}, {{"SpinEdit16", -3}},
         {36, 63, 63, 90, 1.0f, 0, 0}},
        {"D3 down onto D2 steps forward", {36, 66, 84, 87, 0.5f, 0, 0}, {{"SpinEdit17", -1}},
         {36, 66, 84, 87, 0.5f, 0, 0}},
        {"height ignored while D3 is 90", normal, {{"KitSpinEdit1", -5}}, normal},
        {"height follows while D3 is below 90", {36, 66, 66, 87, 0.6f, 0, 0}, {{"KitSpinEdit1", -2}},
         {36, 66, 66, 87, 0.56f, 0, 0}},
        {"D3 onto 90 gives full height", {36, 66, 66, 87, 0.6f, 0, 0}, {{"SpinEdit17", 1}},
         {36, 66, 66, 90, 1.0f, 0, 0}},
        {"scales step by 0.02", normal, {{"KitSpinEdit2", 3}, {"KitSpinEdit3", 1}}, {36, 66, 66, 90, 1.0f, 0.06f, 0.02f}},
        {"D0 alone", normal, {{"SpinEdit14", -4}}, {24, 66, 66, 90, 1.0f, 0, 0}},
    };
    for (const auto &c : cases) {
        TDeformationEditor editor;
        editor.Reset(DeformationOf(c.Start));
        for (const TStep &step : c.Steps)
            Step(editor, step);
        EXPECT_EQ(ProfileOf(editor.Deformation()), c.Expected) << c.Name;
    }
}

// Showing a profile brings the working copy to what the controls hold.
TEST_F(ShapeEditors, ShowingAProfileTakesTheControlsValues)
{
    const struct {
        TProfile Given, Shown;
    } cases[] = {
        {{36, 66, 66, 87, 0.123f, 0.555f, 1.0f}, {36, 66, 66, 87, 0.12f, 0.56f, 1.0f}},
        {{36, 66, 66, 87, 0.0f, 0, 0}, {36, 66, 66, 87, 0.05f, 0, 0}},
        {{60, 30, 100, 20, 2.0f, -1.0f, 0}, {45, 45, 90, 45, 1.0f, 0, 0}},
    };
    for (const auto &c : cases) {
        TDeformationEditor editor;
        editor.SetDeformation(DeformationOf(c.Given));
        EXPECT_EQ(ProfileOf(editor.Deformation()), c.Shown);
    }
}

// Filling the controls (rendering held) writes nothing, typing into an
// angle does nothing, and every shown change is reported once at the end.
TEST_F(ShapeEditors, HeldRenderingTypingAndReports)
{
    TShapeEditor editor;
    editor.Reset(TShapeBlock());
    QSignalSpy edited(&editor, &TShapeEditor::Edited);
    P().RenderEnabled = false;
    Step(editor, {"SpinEdit7", 1});
    P().RenderEnabled = true;
    EXPECT_EQ(editor.Shape().A1, 90);
    EXPECT_EQ(edited.count(), 0);

    auto *a1 = editor.findChild<QSpinBox *>("SpinEdit7");
    QTest::keyClicks(a1, "99");
    EXPECT_EQ(editor.Shape().A1, 90);

    Step(editor, {"SpinEdit7", 1});  // drags A2: two handlers, each reports
    EXPECT_EQ(edited.count(), 2);
}

// Typing is allowed in the decimals: what is typed is taken as it goes,
// without the text being rewritten under the caret, except a number outside
// 0..1 (a text that is no number reads as the lower bound).
TEST_F(ShapeEditors, TypedScalesOutsideTheUnitAreIgnored)
{
    TDeformationEditor editor;
    editor.Reset(TDeformationBlock());
    auto *scaleX = editor.findChild<QAbstractSpinBox *>("KitSpinEdit2");
    const struct {
        const char *Typed;
        float ScaleX;
    } cases[] = {{"0.3", 0.3f}, {"1.5", 1.0f}, {"-", 0.0f}, {"0.25", 0.25f}};
    for (const auto &c : cases) {
        scaleX->selectAll();
        QTest::keyClicks(scaleX, c.Typed);
        EXPECT_EQ(editor.Deformation().ScaleX, c.ScaleX) << c.Typed;
    }
}
