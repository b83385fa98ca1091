// The main window's commands as QActions, made once from the action table
// and owned by the window (so their shortcuts work with every tool bar
// hidden). Menus, tool bars and context menus only point to them.
#pragma once

#include "ActionTable.h"

#include <QObject>

#include <functional>
#include <map>
#include <string>

class QAction;
class QMenu;
class QToolBar;
class QWidget;

class TActionList : public QObject {
    Q_OBJECT
public:
    // Makes every action of the table and adds it to the window.
    explicit TActionList(QWidget &window);

    // The named action; throws std::out_of_range for a name not in the table.
    QAction &operator[](const std::string &name) const;
    const std::vector<QAction *> &All() const { return FAll; }

    // Runs handler, guarded, whenever the action is executed.
    void OnExecute(const std::string &name, std::function<void()> handler);

    void SetEnabled(const TNames &group, bool enabled);
    int EnabledCount() const;

    // A menu of the given items, owned by parent.
    QMenu *MakeMenu(const TMenuLayout &layout, QWidget *parent) const;
    // Fills a tool bar with the items of its layout and names it.
    void FillToolBar(QToolBar &toolBar, const TToolBarLayout &layout) const;

private:
    void AddItems(QWidget &target, const TNames &items) const;

    std::vector<QAction *> FAll;
    std::map<std::string, QAction *> FByName;
};
