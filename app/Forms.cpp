#include "Forms.h"

#include "AboutBox.h"
#include "ActionList.h"
#include "LibraryCommand.h"
#include "LibraryDialog.h"
#include "MainU.h"
#include "NameDialogs.h"
#include "OptionsCommand.h"
#include "OptionsDialog.h"
#include "PublishDialog.h"

TMainF *MainF = nullptr;

void CreateForms()
{
    MainF = new TMainF;
    ParamsF = new TParamsF(MainF);
    WireOptionsCommand(*MainF, *ParamsF);
    TempSelF = new TTempSelF(MainF);
    WireLibraryDialog(*MainF, *TempSelF);
    ButtonF = new TButtonF(MainF);
    AboutF = new TAboutF(MainF);
    PublishingF = new TPublishingF(MainF);
    MainF->Actions().OnExecute("Publish", [] { PublishingF->Open(); });
    TempF = new TTempF(MainF);
}

// The dialogs are the main window's children and go with it.
void FreeForms()
{
    delete MainF;
    MainF = nullptr;
    ParamsF = nullptr;
    TempSelF = nullptr;
    ButtonF = nullptr;
    AboutF = nullptr;
    PublishingF = nullptr;
    TempF = nullptr;
}
