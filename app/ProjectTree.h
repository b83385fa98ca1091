// The project tree: the project node, one node per button and under each its
// three states. The tree's selection decides what Proj selects, which
// property panel is shown, whether the current state is rendered and which
// commands are enabled (SelectionChanged).
#pragma once

#include <QTreeWidget>

class TButtons;
class TCommandStates;
class TItem;
class TPropertyPanels;

// The tree widget: reports every user act that may move the selection.
class TProjectTreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit TProjectTreeView(QWidget *parent = nullptr);

signals:
    // A left click, a right button pressed, or a key released (auto-repeat
    // aside).
    void UserActed();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
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
