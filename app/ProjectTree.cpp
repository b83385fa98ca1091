#include "ProjectTree.h"

#include "Codepage.h"
#include "CommandIcons.h"
#include "CommandStates.h"
#include "GuardedCall.h"
#include "HostU.h"
#include "LangSupU.h"
#include "ProjU.h"
#include "PropertyPanels.h"

#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QToolButton>

namespace {

enum TNodeRole { NodeKind = Qt::UserRole, NodeObject };
enum TNodeKind { nkProject, nkButton, nkState };

// Draws each node with the image its place gives it, and the selected node
// in bold italic.
class TNodeDelegate : public QStyledItemDelegate {
public:
    TNodeDelegate(TProjectTree &tree) : QStyledItemDelegate(&tree.View()), FTree(tree)
    {
        for (const char *name : {"bl:node-project", "bl:node-button", "bl:node-state"})
            FImages.push_back(CommandIcon(name));
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QTreeWidgetItem *node = FTree.View().itemFromIndex(index);
        if (!node)
            return;
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->icon = FImages[size_t(TProjectTree::ImageIndex(*node, FTree.RootNode()))];
        if (node->isSelected()) {
            option->font.setBold(true);
            option->font.setItalic(true);
        }
    }

private:
    TProjectTree &FTree;
    std::vector<QIcon> FImages;
};

QTreeWidgetItem *MakeNode(QTreeWidgetItem *parent, const std::string &text, TNodeKind kind, void *object)
{
    auto *node = new QTreeWidgetItem(parent);
    node->setText(0, FromAnsi(text));
    node->setData(0, NodeKind, int(kind));
    node->setData(0, NodeObject, QVariant::fromValue(reinterpret_cast<quintptr>(object)));
    return node;
}

void SetNode(QTreeWidgetItem &node, const std::string &text, void *object)
{
    node.setText(0, FromAnsi(text));
    node.setData(0, NodeObject, QVariant::fromValue(reinterpret_cast<quintptr>(object)));
}

template <typename T>
T *ObjectOf(const QTreeWidgetItem *node, TNodeKind kind)
{
    if (!node || node->data(0, NodeKind).toInt() != kind || !node->data(0, NodeObject).isValid())
        return nullptr;
    return reinterpret_cast<T *>(node->data(0, NodeObject).value<quintptr>());
}

}  // namespace

TProjectTreeView::TProjectTreeView(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("TreeView1"));
    setHeaderHidden(true);
    setColumnCount(1);
    setIndentation(19);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void TKeyChord::Offered(int key)
{
    // A key offered before whose press never came went to a shortcut.
    if (FOffered != 0)
        FTaken = true;
    FOffered = key;
}

void TKeyChord::Pressed(int key)
{
    if (FOffered == key)
        FOffered = 0;
    FHeld.insert(key);
}

bool TKeyChord::Released(int key)
{
    if (FOffered != 0) {
        FTaken = true;
        FOffered = 0;
    }
    const bool own = FHeld.erase(key) > 0 && !FTaken;
    if (FHeld.empty())
        FTaken = false;
    return own;
}

void TKeyChord::Clear()
{
    FHeld.clear();
    FOffered = 0;
    FTaken = false;
}

QItemSelectionModel::SelectionFlags TProjectTreeView::selectionCommand(const QModelIndex &index,
                                                                       const QEvent *event) const
{
    const QItemSelectionModel::SelectionFlags command = QTreeWidget::selectionCommand(index, event);
    if (!index.isValid() || !command.testFlag(QItemSelectionModel::Select))
        return QItemSelectionModel::NoUpdate;
    return command;
}

bool TProjectTreeView::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride)
        FKeys.Offered(static_cast<QKeyEvent *>(event)->key());
    return QTreeWidget::event(event);
}

void TProjectTreeView::focusOutEvent(QFocusEvent *event)
{
    QTreeWidget::focusOutEvent(event);
    FKeys.Clear();
}

// A right click moves the selection as a left click does, before the
// context menu opens, so the menu's commands act on the node clicked.
void TProjectTreeView::mousePressEvent(QMouseEvent *event)
{
    QTreeWidget::mousePressEvent(event);
    FPressedOnNode = itemAt(event->position().toPoint()) != nullptr;
    if (event->button() == Qt::RightButton && FPressedOnNode)
        emit UserActed();
}

void TProjectTreeView::mouseReleaseEvent(QMouseEvent *event)
{
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && FPressedOnNode)
        emit UserActed();
}

void TProjectTreeView::keyPressEvent(QKeyEvent *event)
{
    FKeys.Pressed(event->key());
    QTreeWidget::keyPressEvent(event);
}

void TProjectTreeView::keyReleaseEvent(QKeyEvent *event)
{
    QTreeWidget::keyReleaseEvent(event);
    if (!event->isAutoRepeat() && FKeys.Released(event->key()))
        emit UserActed();
}

TProjectTree::TProjectTree(TProjectTreeView &view, TCommandStates &states, TPropertyPanels &panels)
    : QObject(&view), FView(view), FStates(states), FPanels(panels)
{
    FView.setItemDelegate(new TNodeDelegate(*this));
    connect(&FView, &TProjectTreeView::UserActed, this, [this] { Guarded([this] { SelectionChanged(); }); });
}

void TProjectTree::BuildTree()
{
    const QSignalBlocker quiet(FView);
    FView.clear();
    FRootNode = nullptr;
    if (!Proj->Opened)
        return;
    FRootNode = MakeNode(nullptr, {}, nkProject, nullptr);
    RetranslateRoot();
    FView.addTopLevelItem(FRootNode);
    for (const auto &button : Proj->Buttons)
        AddButtonNode(*button);
    FRootNode->setExpanded(true);
}

QTreeWidgetItem *TProjectTree::AddButtonNode(TButtons &button)
{
    QTreeWidgetItem *node = MakeNode(FRootNode, button.Name, nkButton, &button);
    for (TItem &state : button.States)
        MakeNode(node, state.Name, nkState, &state);
    FRootNode->setExpanded(true);
    return node;
}

void TProjectTree::SetButtonNode(QTreeWidgetItem &node, TButtons &button)
{
    SetNode(node, button.Name, &button);
    for (int k = 0; k < node.childCount() && k < StateCount; ++k)
        SetNode(*node.child(k), button.States[size_t(k)].Name, &button.States[size_t(k)]);
}

void TProjectTree::SelectQuietly(QTreeWidgetItem *node)
{
    const QSignalBlocker quiet(FView);
    FView.setCurrentItem(node);
    if (node)
        node->setSelected(true);
    FView.viewport()->update();
}

TButtons *TProjectTree::ButtonOf(const QTreeWidgetItem *node) { return ObjectOf<TButtons>(node, nkButton); }

TItem *TProjectTree::StateOf(const QTreeWidgetItem *node) { return ObjectOf<TItem>(node, nkState); }

int TProjectTree::ImageIndex(const QTreeWidgetItem &node, const QTreeWidgetItem *root)
{
    if (&node == root)
        return 0;
    return node.childCount() > 0 ? 1 : 2;
}

void TProjectTree::RetranslateRoot()
{
    if (FRootNode)
        FRootNode->setText(0, FromAnsi(Lang->GetInterfaceString(7)));
}

void TProjectTree::SetBackground(uint32_t colour)
{
    QPalette palette = FView.palette();
    palette.setColor(QPalette::Base, QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
    FView.setPalette(palette);
    FView.viewport()->update();
}

void TProjectTree::SelectionChanged()
{
    FView.setFocus();
    FStates.DisableTemplateButtonActions();
    const QList<QTreeWidgetItem *> selected = FView.selectedItems();
    QTreeWidgetItem *node = selected.isEmpty() ? nullptr : selected.first();
    if (StateOf(node))
        SelectState(*node);
    else if (ButtonOf(node))
        SelectButton(*node);
    else if (node && node == FRootNode)
        SelectProject();
    else
        SelectNothing();
    FPanels.NextProp().setEnabled(false);
}

void TProjectTree::SelectState(QTreeWidgetItem &node)
{
    QTreeWidgetItem *buttonNode = node.parent();
    Proj->Select(FRootNode->indexOfChild(buttonNode), buttonNode->indexOfChild(&node));
    FStates.HideProjectFrame();
    FStates.HideButtonFrame();
    FStates.ShowStateFrame();
    // The mesh arrays are shared by every state: rebuild this one's.
    Proj->CurrentState()->Dirty = 1;
    Proj->RenderCurrent();
    Host().SetNeedBgRedraw();
    Host().DrawPreview();
    FPanels.PrevProp().setEnabled(true);
}

void TProjectTree::SelectButton(QTreeWidgetItem &node)
{
    Proj->Select(FRootNode->indexOfChild(&node), -1);
    FStates.HideProjectFrame();
    FStates.HideStateFrame();
    FStates.ShowButtonFrame();
    Host().DrawPreview();
    FPanels.PrevProp().setEnabled(true);
}

void TProjectTree::SelectProject()
{
    Proj->Select(-1, -1);
    FStates.HideButtonFrame();
    FStates.HideStateFrame();
    FStates.ShowProjectFrame();
    Host().DrawPreview();
    FPanels.PrevProp().setEnabled(false);
}

void TProjectTree::SelectNothing()
{
    Proj->Select(-1, -1);
    FStates.HideProjectFrame();
    if (!Proj->Opened)
        FPanels.ShowDisabled(ppProject);
    FStates.HideButtonFrame();
    FStates.HideStateFrame();
    Host().DrawPreview();
    FPanels.PrevProp().setEnabled(false);
}
