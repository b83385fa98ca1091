#include "CopyCommands.h"

#include "CopyBufferU.h"
#include "GuardedCall.h"
#include "LangSupU.h"
#include "MessageBoxes.h"
#include "ProjU.h"
#include "RenderAnew.h"
#include "StatePanel.h"

#include <QAction>

const TCopyAction CopyActions[8] = {
    {"CopyToBuf", pgAll},     {"CopyToBuf1", pgText},     {"CopyToBuf7", pgShape},  {"CopyToBuf8", pgDeformation},
    {"CopyToBuf5", pgMaterial}, {"CopyToBuf4", pgLights}, {"CopyToBuf3", pgTexture}, {"CopyToBuf6", pgShadow},
};

namespace {

// Confirmations of the three copies to many states.
constexpr int AskAllStates = 6;
constexpr int AskAllButtons = 7;
constexpr int AskSameStates = 14;

void PasteIntoStates(TButtons &button)
{
    for (TItem &state : button.States)
        PasteFromBuffer(state);
}

}  // namespace

TCopyCommands::TCopyCommands(TPropFr1 &statePanel, QObject *parent) : QObject(parent), FStatePanel(statePanel) {}

void TCopyCommands::ConnectActions(const std::function<QAction *(const char *name)> &actionNamed)
{
    for (const TCopyAction &copy : CopyActions) {
        const int group = copy.Group;
        connect(actionNamed(copy.Name), &QAction::triggered, this, [this, group] { CopyToBuf(group); });
    }
    const struct {
        const char *name;
        void (TCopyCommands::*command)();
    } commands[] = {{"CopyFromBuf", &TCopyCommands::CopyFromBuf},
                    {"ExchBuf", &TCopyCommands::ExchBuf},
                    {"PropToStates", &TCopyCommands::PropToStates},
                    {"PropToButtons", &TCopyCommands::PropToButtons},
                    {"PropToAllStates", &TCopyCommands::PropToAllStates}};
    for (const auto &c : commands)
        connect(actionNamed(c.name), &QAction::triggered, this, c.command);
}

void TCopyCommands::CopyToBuf(int group)
{
    Guarded([&] {
        const TItem *state = Proj ? Proj->CurrentState() : nullptr;
        if (!state)
            return;
        BufMode = group;
        BufFull = true;
        emit bufferFilled();
        CopyToBuffer(*state);
    });
}

void TCopyCommands::CopyFromBuf()
{
    Guarded([&] {
        if (TItem *state = Proj ? Proj->CurrentState() : nullptr) {
            PasteFromBuffer(*state);
            Refresh();
        }
    });
}

void TCopyCommands::ExchBuf()
{
    Guarded([&] {
        if (TItem *state = Proj ? Proj->CurrentState() : nullptr) {
            ExchangeBuffer(*state);
            Refresh();
        }
    });
}

void TCopyCommands::PropToStates()
{
    PasteConfirmed(AskAllStates, [] { PasteIntoStates(*Proj->CurrentButton()); });
}

void TCopyCommands::PropToButtons()
{
    PasteConfirmed(AskAllButtons, [] {
        for (const auto &button : Proj->Buttons)
            PasteIntoStates(*button);
    });
}

void TCopyCommands::PropToAllStates()
{
    PasteConfirmed(AskSameStates, [] {
        for (const auto &button : Proj->Buttons)
            PasteFromBuffer(button->States[size_t(Proj->StateIndex)]);
    });
}

void TCopyCommands::PasteConfirmed(int message, const std::function<void()> &paste)
{
    Guarded([&] {
        if (!Proj || !Proj->CurrentState() || Lang->ShowMessageBox(message) != idYes)
            return;
        paste();
        Refresh();
    });
}

void TCopyCommands::Refresh()
{
    FStatePanel.LoadFromState();
    Proj->Modified = true;
    RenderCurrentAnew();
}
