#include "OptionsCommand.h"

#include "ActionList.h"
#include "CommonDialogs.h"
#include "GuardedCall.h"
#include "HostU.h"
#include "LangSupU.h"
#include "LanguageSwitch.h"
#include "MainU.h"
#include "MessageBoxes.h"
#include "OptionsDialog.h"
#include "ParamU.h"
#include "ProjU.h"
#include "SettingsFile.h"
#include "UtilsU.h"

namespace {

constexpr int RestartQuestion = 12;

void Call(const std::function<void()> &hook)
{
    if (hook)
        hook();
}

}  // namespace

void AppParamExecute(TParamsF &dialog, const TOptionsHooks &hooks)
{
    const TParam before = AppParam();
    if (CommonDialogs().Exec(dialog) != QDialog::Accepted)
        return;
    // A failed write is shown; the new settings apply all the same, so that
    // what the program does matches what the dialog showed.
    Guarded([] { SaveSettings(AppParam(), AppDir + SettingsFileName); });

    if (AppParam().LangFile != before.LangFile) {
        if (Lang->ShowMessageBox(RestartQuestion) == idYes)
            Call(hooks.CloseMainWindow);
        SwitchLanguage(AppParam().LangFile);
        Call(hooks.ApplyLanguage);
    }
    if (AppParam().UseAccelerator != before.UseAccelerator) {
        Proj->DoneGL();
        Proj->InitGL();
    }
    if (TItem *state = Proj->CurrentState()) {
        Proj->Modified = true;
        state->Dirty = 1;
        Proj->RenderCurrent();
    }
    Call(hooks.ApplyBackground);
    Host().SetNeedBgRedraw();
    Host().DrawPreview();
}

void WireOptionsCommand(TMainF &main, TParamsF &dialog)
{
    main.Actions().OnExecute("AppParam", [&main, &dialog] {
        TOptionsHooks hooks;
        hooks.CloseMainWindow = [&main] { main.close(); };
        hooks.ApplyLanguage = [&main] {
            main.TranslateAll();
            Proj->ShowCaption();
        };
        hooks.ApplyBackground = [&main] { main.ApplyBackgroundColour(); };
        AppParamExecute(dialog, hooks);
    });
}
