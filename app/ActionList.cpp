#include "ActionList.h"

#include "CommandIcons.h"
#include "FormTranslation.h"
#include "GuardedCall.h"
#include "HelpContext.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

#include <stdexcept>

namespace {

QAction *MakeAction(const TActionEntry &entry, QObject *owner)
{
    auto *action = new QAction(QString::fromLatin1(entry.Caption), owner);
    action->setObjectName(QString::fromLatin1(entry.Name));
    action->setIcon(CommandIcon(entry.Icon));
    action->setShortcut(QKeySequence(QString::fromLatin1(entry.Shortcut)));
    action->setCheckable(entry.Checkable);
    action->setToolTip(action->text());
    action->setStatusTip(action->text());
    if (entry.Tag > 0)
        SetTag(*action, entry.Tag);
    if (entry.HasHelp)
        SetHelpContext(*action, entry.Tag);
    return action;
}

}  // namespace

TActionList::TActionList(QWidget &window) : QObject(&window)
{
    for (const TActionEntry &entry : ActionTable()) {
        QAction *action = MakeAction(entry, &window);
        FAll.push_back(action);
        FByName[entry.Name] = action;
        window.addAction(action);
    }
    // The submenus go with their owners wherever these stand.
    (*this)["CopyProp"].setMenu(MakeMenu(CopyPropMenu(), &window));
    (*this)["CopyToAll"].setMenu(MakeMenu(CopyToAllMenu(), &window));
}

QAction &TActionList::operator[](const std::string &name) const
{
    const auto found = FByName.find(name);
    if (found == FByName.end())
        throw std::out_of_range("no action named " + name);
    return *found->second;
}

void TActionList::OnExecute(const std::string &name, std::function<void()> handler)
{
    connect(&(*this)[name], &QAction::triggered, this,
            [handler = std::move(handler)] { Guarded(handler); });
}

void TActionList::SetEnabled(const TNames &group, bool enabled)
{
    for (const char *name : group)
        (*this)[name].setEnabled(enabled);
}

int TActionList::EnabledCount() const
{
    int count = 0;
    for (const QAction *action : FAll)
        count += action->isEnabled() ? 1 : 0;
    return count;
}

void TActionList::AddItems(QWidget &target, const TNames &items) const
{
    for (const char *item : items) {
        if (QLatin1String(item) == QLatin1String("-")) {
            auto *separator = new QAction(&target);
            separator->setSeparator(true);
            target.addAction(separator);
        } else {
            target.addAction(&(*this)[item]);
        }
    }
}

QMenu *TActionList::MakeMenu(const TMenuLayout &layout, QWidget *parent) const
{
    auto *menu = new QMenu(QString::fromLatin1(layout.Title), parent);
    menu->setObjectName(QString::fromLatin1(layout.Name));
    menu->setToolTipsVisible(false);
    if (layout.Tag > 0)
        SetTag(*menu, layout.Tag);
    AddItems(*menu, layout.Items);
    return menu;
}

void TActionList::FillToolBar(QToolBar &toolBar, const TToolBarLayout &layout) const
{
    toolBar.setObjectName(QString::fromLatin1(layout.Name));
    AddItems(toolBar, layout.Items);
    // The submenu owners open their menu at once, like drop-down buttons.
    for (QAction *action : toolBar.actions())
        if (action->menu())
            if (auto *button = qobject_cast<QToolButton *>(toolBar.widgetForAction(action)))
                button->setPopupMode(QToolButton::InstantPopup);
}
