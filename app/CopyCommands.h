// The buffer commands of the main window: copy the look of the current
// state, whole or one property group, into the copy buffer, and paste or
// exchange it into the current state or into many states at once. Every
// command that changes a state reloads the state panel, marks the project
// modified, asks for the preview background to be refilled, marks the
// current state dirty, renders it and redraws the preview. Only the current
// state is rendered; other targets show their new look when next rendered.
#pragma once

#include <QObject>

#include <functional>

class QAction;
class TPropFr1;

// The copy actions and the group each puts into BufMode (-1: all groups).
struct TCopyAction {
    const char *Name;
    int Group;
};
extern const TCopyAction CopyActions[8];

class TCopyCommands : public QObject {
    Q_OBJECT
public:
    explicit TCopyCommands(TPropFr1 &statePanel, QObject *parent = nullptr);

    // Connects the copy, paste, exchange and copy-to-many actions, found by
    // their names, to the commands.
    void ConnectActions(const std::function<QAction *(const char *name)> &actionNamed);

    void CopyToBuf(int group);
    void CopyFromBuf();      // "Insert"
    void ExchBuf();          // "Exchange"
    void PropToStates();     // the current button's three states
    void PropToButtons();    // every state of every button
    void PropToAllStates();  // the current state's place in every button

signals:
    // The buffer holds a copy: the paste commands may be enabled.
    void bufferFilled();

private:
    // Pastes into each target after the confirmation, then refreshes.
    void PasteConfirmed(int message, const std::function<void()> &paste);
    void Refresh();

    TPropFr1 &FStatePanel;
};
