#include "LibraryCommand.h"

#include "ActionList.h"
#include "CommonDialogs.h"
#include "GuardedCall.h"
#include "HostU.h"
#include "LibraryDialog.h"
#include "MainU.h"
#include "ProjU.h"
#include "ProjectTree.h"
#include "PropertyPanels.h"

#include <algorithm>

void TemplateEditExecute(TTempSelF &dialog, bool stateNodeSelected, const std::function<void()> &refillLists)
{
    dialog.SetApplyToState(Proj->Opened && stateNodeSelected);
    CommonDialogs().Exec(dialog);
    refillLists();
    Proj->RenderCurrent();
    Host().DrawPreview();
}

void AdvancedExecute(TTempSelF &dialog, TPropFr1 &panel, TPropFr1::TLibraryPage page)
{
    dialog.SetApplyToState(true);
    dialog.SetPage(TTempSelF::TPage(page));
    CommonDialogs().Exec(dialog);
    // With no texture chosen in the dialog the list keeps its first entry
    // rather than showing none.
    panel.LibraryDialogClosed(page, std::max(0, dialog.TextureIndex()));
}

void WireLibraryDialog(TMainF &main, TTempSelF &dialog)
{
    auto *panel = qobject_cast<TPropFr1 *>(&main.Panels().Panel(ppState));
    main.Actions().OnExecute("TemplateEdit", [&main, &dialog, panel] {
        const QTreeWidgetItem *node = main.Tree().View().currentItem();
        TemplateEditExecute(dialog, node && node->childCount() == 0, [panel] {
            if (panel)
                panel->FillTemplateLists();
        });
    });
    if (panel)
        QObject::connect(panel, &TPropFr1::advancedRequested, &dialog, [&dialog, panel](TPropFr1::TLibraryPage page) {
            Guarded([&] { AdvancedExecute(dialog, *panel, page); });
        });
}
