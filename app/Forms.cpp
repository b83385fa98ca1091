#include "Forms.h"

#include "AboutBox.h"
#include "LibraryCommand.h"
#include "LibraryDialog.h"
#include "MainU.h"
#include "NameDialogs.h"

TMainF *MainF = nullptr;

void CreateForms()
{
    MainF = new TMainF;
    // The options dialog comes here.
    TempSelF = new TTempSelF(MainF);
    WireLibraryDialog(*MainF, *TempSelF);
    ButtonF = new TButtonF(MainF);
    AboutF = new TAboutF(MainF);
    // The publish dialog comes here.
    TempF = new TTempF(MainF);
}

// The dialogs are the main window's children and go with it.
void FreeForms()
{
    delete MainF;
    MainF = nullptr;
    TempSelF = nullptr;
    ButtonF = nullptr;
    AboutF = nullptr;
    TempF = nullptr;
}
