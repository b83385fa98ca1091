// The project tree: the project node, one node per button and under each its
// three states. The tree's selection decides what Proj selects, which
// property panel is shown, whether the current state is rendered and which
// commands are enabled (SelectionChanged).
#pragma once

#include <QTreeWidget>

#include <set>

class TButtons;
class TCommandStates;
class TItem;
class TPropertyPanels;

// Tells the key releases that are the user's own in a view from those that
// end a shortcut. A shortcut's key never reaches the view pressed (the
// shortcut takes it), yet its release does, often after the command's
// dialogs have closed; the keys held with it (Ctrl) belong to it too.
class TKeyChord {
public:
    // The key is offered to the shortcuts before it is pressed here.
    void Offered(int key);
    void Pressed(int key);
    // Whether the release ends a press made here in a chord that no
    // shortcut took.
    bool Released(int key);
    // The focus left: the keys held now are released elsewhere.
    void Clear();

private:
    std::set<int> FHeld;
    int FOffered = 0;     // offered to the shortcuts and not (yet) pressed here
    bool FTaken = false;  // a shortcut took a key of the chord
};

// The tree widget: reports every user act that may move the selection. The
// user moves the selection but never takes it away: a click on empty space
// or a Ctrl+click on the selected node leaves it as it is.
class TProjectTreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit TProjectTreeView(QWidget *parent = nullptr);

signals:
    // A left click or a right button pressed on a node, or a key released
    // (auto-repeat and the keys of a shortcut aside).
    void UserActed();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;
    bool event(QEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    TKeyChord FKeys;
    bool FPressedOnNode = false;
};

class TProjectTree : public QObject {
    Q_OBJECT
public:
    TProjectTree(TProjectTreeView &view, TCommandStates &states, TPropertyPanels &panels);

    TProjectTreeView &View() const { return FView; }

    // Rebuilds every node from Proj; selects nothing.
    void BuildTree();
    // Reacts to the tree's selection (see the header comment).
    void SelectionChanged();

    // The project node, nullptr while no project is open.
    QTreeWidgetItem *RootNode() const { return FRootNode; }
    // Adds the node of a button (with its three states) under the project node.
    QTreeWidgetItem *AddButtonNode(TButtons &button);
    // Gives a button node and its state nodes the texts and data of a button.
    static void SetButtonNode(QTreeWidgetItem &node, TButtons &button);
    // Makes the node the current one without running SelectionChanged.
    void SelectQuietly(QTreeWidgetItem *node);

    static TButtons *ButtonOf(const QTreeWidgetItem *node);
    static TItem *StateOf(const QTreeWidgetItem *node);

    // The image of a node: 0 project, 1 a node with children, 2 a leaf.
    static int ImageIndex(const QTreeWidgetItem &node, const QTreeWidgetItem *root);

    // The project node takes its text from the language table again.
    void RetranslateRoot();
    // Applies FonColor as the tree's background.
    void SetBackground(uint32_t colour);

private:
    void SelectState(QTreeWidgetItem &node);
    void SelectButton(QTreeWidgetItem &node);
    void SelectProject();
    void SelectNothing();

    TProjectTreeView &FView;
    TCommandStates &FStates;
    TPropertyPanels &FPanels;
    QTreeWidgetItem *FRootNode = nullptr;
};
