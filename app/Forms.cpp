#include "Forms.h"

#include "MainU.h"

TMainF *MainF = nullptr;

void CreateForms()
{
    MainF = new TMainF;
}

void FreeForms()
{
    delete MainF;
    MainF = nullptr;
}
