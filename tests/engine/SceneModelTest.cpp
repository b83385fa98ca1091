#include "ParamU.h"
#include "SceneU.h"

#include <gtest/gtest.h>

namespace {

class SceneModel : public ::testing::Test {
protected:
    void TearDown() override { AppParam() = TParam(); }
};

TEST_F(SceneModel, TheImageSizeIsKeptWithinTheRenderBuffer)
{
    const std::pair<QSize, QSize> cases[] = {{{0, 100000}, {1, 250}}, {{-7, 250}, {1, 250}},
                                             {{100000, -3}, {250, 1}}, {{251, 249}, {250, 249}}};
    TItem item(nullptr);
    for (const auto &[stored, used] : cases) {
        item.Width = stored.width();
        item.Height = stored.height();
        EXPECT_EQ(QSize(item.ImageWidth(), item.ImageHeight()), used) << stored.width() << "x" << stored.height();
    }
}

// Draft mode coarsens the process-wide mesh only with the fast-preview option
// on; any change of the flag marks the state dirty, asking for the mode it
// is in changes nothing.
TEST_F(SceneModel, DraftSwitchesTheMeshSizeAndMarksTheStateDirty)
{
    struct TStep {
        bool usePreview, draft;
        uint8_t draftAfter, dirtyAfter;
        std::pair<int, int> mesh;
    };
    const TStep steps[] = {{false, true, 0, 1, {180, 90}}, {false, true, 0, 1, {180, 90}},
                           {true, true, 1, 1, {50, 30}},   {true, true, 1, 0, {123, 45}},
                           {true, false, 0, 1, {180, 90}}, {true, false, 0, 0, {123, 45}}};
    TItem item(nullptr);
    for (const TStep &s : steps) {
        AppParam().UsePreview = s.usePreview;
        AppParam().MeshCols = 123;
        AppParam().MeshRows = 45;
        item.Dirty = 0;
        item.SetDraft(s.draft);
        EXPECT_EQ(item.Draft, s.draftAfter) << &s - steps;
        EXPECT_EQ(item.Dirty, s.dirtyAfter) << &s - steps;
        EXPECT_EQ(std::make_pair(AppParam().MeshCols, AppParam().MeshRows), s.mesh) << &s - steps;
    }
}

}  // namespace
