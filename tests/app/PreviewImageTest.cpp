#include "PreviewImage.h"

#include "ParamU.h"
#include "ProjectFixture.h"
#include "Screens.h"

namespace {

const QColor Background(0x10, 0x20, 0x30);
const QColor Picture(0xF0, 0x80, 0x00);

class PreviewImageTest : public ProjectTest {
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        AppParam().FonColor = 0x302010;
        P().NewProject();
        P().AddButton("Home");
        // The render buffer as a render leaves it: here one flat colour.
        for (int y = 0; y < TBitsmap::Size; ++y)
            for (int x = 0; x < TBitsmap::Size; ++x) {
                uint8_t *pixel = RenderBuffer().Pixel(x, y);
                pixel[0] = 0xF0, pixel[1] = 0x80, pixel[2] = 0x00, pixel[3] = 0xFF;
            }
    }
    void TearDown() override
    {
        AppParam() = TParam();
        ProjectTest::TearDown();
    }
    void SetStateSize(int width, int height)
    {
        P().Buttons[0]->States[0].Width = width;
        P().Buttons[0]->States[0].Height = height;
    }
    QColor At(int x, int y) const { return FPreview.Bitmap().pixelColor(x, y); }

    TPreviewImage FPreview;
};

}  // namespace

TEST_F(PreviewImageTest, TheStateIsCentredAndClippedOverTheBackground)
{
    struct TCase {
        QSize widget;
        QSize state;
        QRect picture;  // where the state lands, within the widget
    };
    const TCase cases[] = {
        {{300, 250}, {100, 30}, {100, 110, 100, 30}},
        {{300, 250}, {250, 250}, {25, 0, 250, 250}},
        {{120, 60}, {250, 250}, {0, 0, 120, 60}},  // larger than the widget: its middle
        {{301, 251}, {100, 31}, {100, 110, 100, 31}},
    };
    P().Select(0, 0);
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.widget.width());
        FPreview.resize(c.widget);
        SetStateSize(c.state.width(), c.state.height());
        FPreview.SetNeedBgRedraw();
        FPreview.DrawPreview();
        ASSERT_EQ(FPreview.Bitmap().size(), c.widget);
        EXPECT_TRUE(FPreview.ImageShown());
        for (int y = 0; y < c.widget.height(); ++y)
            for (int x = 0; x < c.widget.width(); ++x)
                ASSERT_EQ(At(x, y), c.picture.contains(x, y) ? Picture : Background) << x << "," << y;
    }
    FPreview.resize(300, 250);
    SetStateSize(100, 30);
    FPreview.DrawPreview();
    SaveScreen(FPreview, "Preview-centred");
}

TEST_F(PreviewImageTest, ASmallerStateKeepsTheOldBorderUnlessTheBackgroundIsRedrawn)
{
    FPreview.resize(300, 250);
    P().Select(0, 0);
    SetStateSize(250, 250);
    FPreview.DrawPreview();
    SetStateSize(100, 30);
    FPreview.DrawPreview();
    EXPECT_EQ(At(30, 10), Picture);
    FPreview.SetNeedBgRedraw();
    FPreview.DrawPreview();
    EXPECT_EQ(At(30, 10), Background);
    EXPECT_FALSE(FPreview.NeedBgRedraw());
}

TEST_F(PreviewImageTest, WithoutAStateTheImageIsHiddenAndPlainBackground)
{
    FPreview.resize(300, 250);
    P().Select(0, -1);
    FPreview.DrawPreview();
    EXPECT_FALSE(FPreview.ImageShown());
    EXPECT_EQ(At(150, 125), Background);
    EXPECT_EQ(At(0, 0), Background);
}
