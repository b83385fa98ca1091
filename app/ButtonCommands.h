// The button commands of the Edit menu: create, delete, rename, delete all
// and move a button, keeping the tree and Proj in step.
#pragma once

class TMainF;

class TButtonCommands {
public:
    // Wires the commands to their actions.
    explicit TButtonCommands(TMainF &window);

    // Asks for the name; the new button takes every property of the button
    // that was current (looks and link), except its name, its states' names
    // and its captions.
    void NewButtonExecute();
    void DeleteButtonExecute();
    void RenameButtonExecute();
    void DeleteAllButtonExecute();
    void MoveItemUpExecute();
    void MoveItemDownExecute();

private:
    // The selected node is a button node.
    bool ButtonNodeSelected() const;
    void MoveButton(int by);

    TMainF &FWindow;
};
