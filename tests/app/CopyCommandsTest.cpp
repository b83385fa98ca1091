#include "CopyCommands.h"
#include "LangSupU.h"
#include "Codepage.h"
#include "PanelFixture.h"
#include "StatePanel.h"

#include <QLineEdit>
#include <QSignalSpy>

namespace {

class CopyCommands : public PanelTest {
protected:
    void Reset()
    {
        MakeStatesDistinct();
        P().Modified = false;
        FHost.NeedBgRedraw = false;
    }

    // Every group of every state, state by state.
    std::vector<std::vector<Bytes>> Snapshot()
    {
        std::vector<std::vector<Bytes>> all;
        for (const auto &button : P().Buttons)
            for (const TItem &state : button->States) {
                all.emplace_back();
                for (int g = pgText; g <= pgDeformation; ++g)
                    all.back().push_back(GroupBytes(state, g));
            }
        return all;
    }

    static bool Selected(int mode, int group) { return mode == pgAll || mode == group; }

    // After a refresh: the panel shows the current state, which was rendered
    // with the whole preview refilled, and the project is modified.
    void ExpectRefreshed(int previews)
    {
        EXPECT_EQ(panel.findChild<QLineEdit *>(QStringLiteral("Edit1"))->text(), FromAnsi(Current().TextItem.Text));
        EXPECT_TRUE(P().Modified);
        EXPECT_TRUE(FHost.NeedBgRedraw);
        EXPECT_EQ(FHost.PreviewsDrawn, previews + 1);
    }

    TPropFr1 panel;
    TCopyCommands commands{panel};
};

TEST_F(CopyCommands, PasteAndExchangeMoveExactlyTheCopiedGroups)
{
    for (const TCopyAction &action : CopyActions) {
        Reset();
        QSignalSpy filled(&commands, &TCopyCommands::bufferFilled);
        P().Select(0, 0);
        commands.CopyToBuf(action.Group);
        EXPECT_EQ(filled.count(), 1);
        EXPECT_TRUE(BufFull);
        EXPECT_EQ(BufMode, action.Group);
        const std::vector<std::vector<Bytes>> before = Snapshot();

        P().Select(2, 1);
        int previews = FHost.PreviewsDrawn;
        commands.CopyFromBuf();
        ExpectRefreshed(previews);
        std::vector<std::vector<Bytes>> after = Snapshot();
        for (int g = pgText; g <= pgDeformation; ++g)
            EXPECT_EQ(after[7][size_t(g)], before[Selected(action.Group, g) ? 0 : 7][size_t(g)]) << action.Name << " group " << g;
        EXPECT_EQ(State(2, 1).Name, "Source");

        // The exchange gives the state the buffer's groups and the buffer the state's.
        P().Select(1, 2);
        P().Modified = false;
        previews = FHost.PreviewsDrawn;
        commands.ExchBuf();
        ExpectRefreshed(previews);
        after = Snapshot();
        for (int g = pgText; g <= pgDeformation; ++g) {
            const bool moved = Selected(action.Group, g);
            EXPECT_EQ(after[5][size_t(g)], before[moved ? 0 : 5][size_t(g)]) << action.Name << " group " << g;
            EXPECT_EQ(GroupBytes(CopyBuffer, g), before[moved ? 5 : 0][size_t(g)]) << action.Name << " group " << g;
        }
    }
}

TEST_F(CopyCommands, CopiesToManyStatesAskFirstAndPasteIntoTheirTargets)
{
    const struct {
        void (TCopyCommands::*command)();
        const char *question;
        std::vector<size_t> targets;  // states numbered button by button; (1, 1) is current
    } cases[] = {
        {&TCopyCommands::PropToStates, "Are you realy want copy properties to all states?", {3, 4, 5}},
        {&TCopyCommands::PropToButtons, "Are you realy want copy properties to all buttons?", {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {&TCopyCommands::PropToAllStates, "Are you realy want copy properties to same states?", {1, 4, 7}},
    };
    for (const auto &c : cases)
        for (const TCopyAction &action : CopyActions) {
            Reset();
            P().Select(1, 1);
            commands.CopyToBuf(action.Group);
            const std::vector<std::vector<Bytes>> before = Snapshot();

            Boxes.Answer(idNo);
            (commands.*c.command)();
            EXPECT_EQ(Snapshot(), before) << c.question;
            EXPECT_FALSE(P().Modified);

            Boxes.Answer(idYes);
            const int previews = FHost.PreviewsDrawn;
            (commands.*c.command)();
            EXPECT_EQ(Boxes.Shown().back().Text, c.question);
            ExpectRefreshed(previews);
            const std::vector<std::vector<Bytes>> after = Snapshot();
            for (size_t i = 0; i < after.size(); ++i) {
                const bool target = std::find(c.targets.begin(), c.targets.end(), i) != c.targets.end();
                for (int g = pgText; g <= pgDeformation; ++g)
                    EXPECT_EQ(after[i][size_t(g)], before[target && Selected(action.Group, g) ? 4 : i][size_t(g)])
                        << c.question << ' ' << action.Name << " state " << i << " group " << g;
            }
        }
}

}  // namespace
