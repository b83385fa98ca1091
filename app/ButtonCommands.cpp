#include "ButtonCommands.h"

#include "ActionList.h"
#include "ButtonStream.h"
#include "Codepage.h"
#include "CommonDialogs.h"
#include "LangSupU.h"
#include "MainU.h"
#include "MessageBoxes.h"
#include "NameDialogs.h"
#include "ProjU.h"
#include "ProjectTree.h"

#include <QDialog>

namespace {

// Copies every property of one button into another, except the names of
// the button and its states and the three captions, which the target keeps:
// they are in the language now chosen.
void CopyLooksAndLink(const TButtons &from, TButtons &to)
{
    TMemoryStream stream;
    SaveToStream(stream, from);
    stream.SetPosition(0);
    const std::string name = to.Name;
    std::array<std::string, StateCount> stateNames, captions;
    for (int k = 0; k < StateCount; ++k) {
        stateNames[size_t(k)] = to.States[size_t(k)].Name;
        captions[size_t(k)] = to.States[size_t(k)].TextItem.Text;
    }
    LoadFromStream(stream, to);
    to.Name = name;
    for (int k = 0; k < StateCount; ++k) {
        to.States[size_t(k)].Name = stateNames[size_t(k)];
        to.States[size_t(k)].TextItem.Text = captions[size_t(k)];
    }
}

}  // namespace

TButtonCommands::TButtonCommands(TMainF &window) : FWindow(window)
{
    TActionList &actions = window.Actions();
    actions.OnExecute("NewButton", [this] { NewButtonExecute(); });
    actions.OnExecute("DeleteButton", [this] { DeleteButtonExecute(); });
    actions.OnExecute("RenameButton", [this] { RenameButtonExecute(); });
    actions.OnExecute("DeleteAllButton", [this] { DeleteAllButtonExecute(); });
    actions.OnExecute("MoveItemUp", [this] { MoveItemUpExecute(); });
    actions.OnExecute("MoveItemDown", [this] { MoveItemDownExecute(); });
}

bool TButtonCommands::ButtonNodeSelected() const
{
    return Proj->CurrentButton() && !Proj->CurrentState();
}

void TButtonCommands::NewButtonExecute()
{
    ButtonF->SetRename(false);
    if (!Proj->Opened || CommonDialogs().Exec(*ButtonF) != QDialog::Accepted)
        return;
    const TButtons *previous = Proj->CurrentButton();
    Proj->AddButton(ToAnsi(ButtonF->Name()));
    TButtons &button = *Proj->Buttons.back();
    if (previous)
        CopyLooksAndLink(*previous, button);
    TProjectTree &tree = FWindow.Tree();
    tree.SelectQuietly(tree.AddButtonNode(button)->child(0));
    tree.SelectionChanged();
}

void TButtonCommands::DeleteButtonExecute()
{
    if (!ButtonNodeSelected() || Lang->ShowMessageBox(3) != idYes)
        return;
    TProjectTree &tree = FWindow.Tree();
    const int index = Proj->ButtonIndex;
    // Proj first, then the node with the tree quiet: the tree's next
    // selection is then read against the buttons that remain.
    Proj->DeleteButton();
    {
        const QSignalBlocker quiet(tree.View());
        delete tree.RootNode()->child(index);
    }
    tree.SelectionChanged();
}

void TButtonCommands::RenameButtonExecute()
{
    if (!ButtonNodeSelected())
        return;
    ButtonF->SetName(FromAnsi(Proj->CurrentButton()->Name));
    ButtonF->SetRename(true);
    if (CommonDialogs().Exec(*ButtonF) != QDialog::Accepted)
        return;
    Proj->RenameButton(ToAnsi(ButtonF->Name()));
    FWindow.Tree().RootNode()->child(Proj->ButtonIndex)->setText(0, ButtonF->Name());
}

void TButtonCommands::DeleteAllButtonExecute()
{
    if (Lang->ShowMessageBox(2) != idYes)
        return;
    Proj->DeleteAllButtons();
    FWindow.Tree().BuildTree();
    FWindow.Tree().SelectionChanged();
}

void TButtonCommands::MoveItemUpExecute() { MoveButton(-1); }

void TButtonCommands::MoveItemDownExecute() { MoveButton(+1); }

void TButtonCommands::MoveButton(int by)
{
    const int from = Proj->ButtonIndex;
    const int to = from + by;
    if (!Proj->CurrentButton() || to < 0 || to >= Proj->ButtonCount())
        return;
    if (by < 0)
        Proj->MoveButtonUp();
    else
        Proj->MoveButtonDown();
    TProjectTree &tree = FWindow.Tree();
    QTreeWidgetItem *root = tree.RootNode();
    TProjectTree::SetButtonNode(*root->child(to), *Proj->Buttons[size_t(to)]);
    TProjectTree::SetButtonNode(*root->child(from), *Proj->Buttons[size_t(from)]);
    tree.SelectQuietly(root->child(to));
    Proj->Select(to, Proj->StateIndex);
}
