// A fixture for tests of the property panels and the copy commands: a new
// project of three buttons whose nine states differ in every property
// group and the first state selected, on the window fixture (default
// settings: the software rasteriser; built-in texts; scripted questions).
#pragma once

#include "CopyBufferU.h"
#include "Outline.h"
#include "QStringPrinter.h"
#include "StateGroups.h"
#include "WindowFixture.h"

#include <QWidget>

#include <algorithm>
#include <tuple>

class PanelTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        FSavedBuffers = {BufFull, BufMode, AutoBufMode};
        P().NewProject();
        for (const char *name : {"One", "Two", "Three"})
            P().AddButton(name);
        MakeStatesDistinct();
        P().Select(0, 0);
        P().Modified = false;
    }
    void TearDown() override
    {
        std::tie(BufFull, BufMode, AutoBufMode) = FSavedBuffers;
        WindowTest::TearDown();
    }

    // Gives the nine states values that differ in every group, with the
    // derived values of their outline and profile worked out as a render
    // works them out.
    void MakeStatesDistinct()
    {
        int seed = 0;
        for (const auto &button : P().Buttons)
            for (TItem &state : button->States) {
                MakeUnusual(state, ++seed);
                PrepareShape(state.ButtonItem.Shape);
                PrepareDeformation(state.ButtonItem.Deformation);
            }
    }

    // Shows a panel as narrow as the main window makes it, or as its
    // controls need with the desktop's font.
    static void ShowNarrow(QWidget &panel, int height)
    {
        panel.resize(std::max(205, panel.minimumSizeHint().width()), std::max(height, panel.sizeHint().height()));
        panel.show();
    }

    TItem &State(int button, int state) { return P().Buttons[size_t(button)]->States[size_t(state)]; }
    TItem &Current() { return *P().CurrentState(); }

    // The bytes of one group of every state, button by button.
    std::vector<Bytes> AllGroupBytes(int group)
    {
        std::vector<Bytes> all;
        for (const auto &button : P().Buttons)
            for (const TItem &state : button->States)
                all.push_back(GroupBytes(state, group));
        return all;
    }
    // The bytes of every group of every state.
    std::vector<std::vector<Bytes>> EveryGroupBytes()
    {
        std::vector<std::vector<Bytes>> all;
        for (int g = pgText; g <= pgDeformation; ++g)
            all.push_back(AllGroupBytes(g));
        return all;
    }

private:
    std::tuple<bool, int32_t, int32_t> FSavedBuffers;
};
