#include "LanguageSwitch.h"

#include "FormTranslation.h"
#include "LangSupU.h"
#include "StockControls.h"

#include <QApplication>
#include <QWidget>

namespace {

// The forms by their language sections, in the order they are translated.
constexpr const char *FormSections[] = {"AboutF", "ButtonF",     "MainF",   "ParamsF",
                                        "PublishingF", "TempF", "TempSelF"};

void TranslateWithFrames(QWidget &form)
{
    TranslateForm(form, *Lang);
    for (TFrame *frame : form.findChildren<TFrame *>())
        if (frame->window() == &form)
            TranslateFrame(*frame, *Lang);
}

}  // namespace

void TranslateOpenForms()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (const char *section : FormSections)
        for (QWidget *window : windows)
            if (window->objectName() == QLatin1String(section))
                TranslateWithFrames(*window);
}

void SwitchLanguage(const std::string &langFile)
{
    Lang->SetBuiltIn(langFile.empty());
    Lang->LoadFromFile(langFile);
    TranslateOpenForms();
}
