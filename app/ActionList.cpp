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

QAction *MakeAction(const TActionSpec &spec, QObject *owner)
{
    auto *action = new QAction(QString::fromLatin1(spec.Caption), owner);
    action->setObjectName(QString::fromLatin1(spec.Name));
    action->setIcon(CommandIcon(spec.Icon));
    action->setShortcut(QKeySequence(QString::fromLatin1(spec.Shortcut)));
    action->setCheckable(spec.Checkable);
    action->setToolTip(action->text());
    action->setStatusTip(action->text());
    if (spec.Tag > 0)
        SetTag(*action, spec.Tag);
    if (spec.HasHelp)
        SetHelpContext(*action, spec.Tag);
    return action;
}

}  // namespace

TActionList::TActionList(QWidget &window) : QObject(&window)
{
    for (const TActionSpec &spec : ActionTable()) {
        QAction *action = MakeAction(spec, &window);
        FAll.push_back(action);
        FByName[spec.Name] = action;
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

QMenu *TActionList::MakeMenu(const TMenuSpec &spec, QWidget *parent) const
{
    auto *menu = new QMenu(QString::fromLatin1(spec.Title), parent);
    menu->setObjectName(QString::fromLatin1(spec.Name));
    menu->setToolTipsVisible(false);
    if (spec.Tag > 0)
        SetTag(*menu, spec.Tag);
    AddItems(*menu, spec.Items);
    return menu;
}

void TActionList::FillToolBar(QToolBar &toolBar, const TToolBarSpec &spec) const
{
    toolBar.setObjectName(QString::fromLatin1(spec.Name));
    AddItems(toolBar, spec.Items);
    // The submenu owners open their menu at once, like drop-down buttons.
    for (QAction *action : toolBar.actions())
        if (action->menu())
            if (auto *button = qobject_cast<QToolButton *>(toolBar.widgetForAction(action)))
                button->setPopupMode(QToolButton::InstantPopup);
}
