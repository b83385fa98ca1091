#include "MessageBoxes.h"

#include "DialogMessageBoxes.h"

namespace {
IMessageBoxes *InstalledService = nullptr;
}

IMessageBoxes &MessageBoxes()
{
    static TDialogMessageBoxes dialogs;
    return InstalledService ? *InstalledService : dialogs;
}

IMessageBoxes *SetMessageBoxes(IMessageBoxes *service)
{
    IMessageBoxes *previous = InstalledService;
    InstalledService = service;
    return previous;
}
