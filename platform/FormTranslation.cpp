#include "FormTranslation.h"

#include "Codepage.h"
#include "StockControls.h"
#include "TextSource.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBar>
#include <QTextDocument>

#include <array>

namespace {

// Titles of the main window's menu bar when the language file gives none;
// their keys are 10, 20 ... 60.
constexpr std::array<const char *, 6> MenuBarTitles = {"File", "View", "Edit", "Templates",
                                                        "Properties", "Help"};

// Each translated control keeps the texts it had before its first
// translation in dynamic properties, so that the built-in language can give
// them back whatever was shown in between.
constexpr char BuiltInTextProperty[] = "builtInText";
constexpr char BuiltInToolTipProperty[] = "builtInToolTip";
constexpr char BuiltInStatusTipProperty[] = "builtInStatusTip";

QString KeptText(QObject &object, const char *property, const QString &current)
{
    const QVariant kept = object.property(property);
    if (kept.isValid())
        return kept.toString();
    object.setProperty(property, current);
    return current;
}

struct TTranslation {
    const ITextSource &Texts;
    std::string Section;
    bool InFrame;

    bool BuiltIn() const { return Texts.BuiltIn(); }

    // The text given for the tag, else the text the control was built with
    // (kept in owner the first time it is asked for).
    QString Caption(QObject &owner, int tag, const QString &current) const
    {
        const QString builtIn = KeptText(owner, BuiltInTextProperty, current);
        return Given(tag).value_or(builtIn);
    }

    // The text the language file gives for the tag, if any.
    std::optional<QString> Given(int tag) const
    {
        const std::optional<std::string> text = BuiltIn() ? std::nullopt : Texts.FindText(Section, tag);
        return text ? std::optional<QString>(FromAnsi(*text)) : std::nullopt;
    }
};

// Tool tips would render markup; texts from language files are shown as
// they stand.
QString PlainToolTip(const QString &text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal) : text;
}

// A translated control's hint is its new caption; the built-in language
// gives back the hint it was built with.
template <typename TControl>
void SetHint(TControl &control, const QString &caption, const TTranslation &tr)
{
    const QString toolTip = KeptText(control, BuiltInToolTipProperty, control.toolTip());
    const QString statusTip = KeptText(control, BuiltInStatusTipProperty, control.statusTip());
    control.setToolTip(tr.BuiltIn() ? toolTip : PlainToolTip(caption));
    control.setStatusTip(tr.BuiltIn() ? statusTip : caption);
}

// The tab widget that shows the widget as one of its pages, if any.
QTabWidget *TabOfPage(QObject &object)
{
    auto *page = qobject_cast<QWidget *>(&object);
    auto *stack = page ? qobject_cast<QStackedWidget *>(page->parentWidget()) : nullptr;
    auto *tabs = stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr;
    return tabs && tabs->indexOf(page) >= 0 ? tabs : nullptr;
}

// Translates one owned control by its class; the first class that fits
// decides, and a speed button counts only inside a frame.
void TranslateControl(QObject &object, const TTranslation &tr)
{
    const int tag = Tag(object);
    if (tag <= 0)
        return;
    if (auto *label = qobject_cast<QLabel *>(&object)) {
        label->setTextFormat(Qt::PlainText);
        label->setText(tr.Caption(*label, tag, label->text()));
    } else if (auto *menu = qobject_cast<QMenu *>(&object)) {
        menu->setTitle(tr.Caption(*menu, tag, menu->title()));
        SetHint(*menu->menuAction(), menu->title(), tr);
    } else if (auto *action = qobject_cast<QAction *>(&object)) {
        action->setText(tr.Caption(*action, tag, action->text()));
        SetHint(*action, action->text(), tr);
    } else if (QTabWidget *tabs = TabOfPage(object)) {
        const int index = tabs->indexOf(static_cast<QWidget *>(&object));
        tabs->setTabText(index, tr.Caption(object, tag, tabs->tabText(index)));
    } else if (auto *toolBar = qobject_cast<QToolBar *>(&object)) {
        toolBar->setWindowTitle(tr.Caption(*toolBar, tag, toolBar->windowTitle()));
    } else if (auto *speedButton = qobject_cast<TSpeedButton *>(&object)) {
        if (tr.InFrame)
            speedButton->setText(tr.Caption(*speedButton, tag, speedButton->text()));
    } else if (auto *toolButton = qobject_cast<QToolButton *>(&object)) {
        toolButton->setText(tr.Caption(*toolButton, tag, toolButton->text()));
        SetHint(*toolButton, toolButton->text(), tr);
    } else if (auto *checkBox = qobject_cast<QCheckBox *>(&object)) {
        checkBox->setText(tr.Caption(*checkBox, tag, checkBox->text()));
    } else if (auto *button = qobject_cast<QPushButton *>(&object)) {
        button->setText(tr.Caption(*button, tag, button->text()));
    }
}

// Frames and other forms own their controls themselves.
bool OwnsItsControls(const QObject &object)
{
    return qobject_cast<const TFrame *>(&object) || qobject_cast<const QDialog *>(&object) ||
           qobject_cast<const QMainWindow *>(&object);
}

void TranslateOwnedControls(QObject &owner, const TTranslation &tr)
{
    for (QObject *child : owner.children()) {
        if (OwnsItsControls(*child))
            continue;
        TranslateControl(*child, tr);
        TranslateOwnedControls(*child, tr);
    }
}

// A language file without the titles' keys gives them without their
// accelerator marks; the built-in language gives back the marked ones.
void TranslateMenuBar(const QMenuBar &menuBar, const TTranslation &tr)
{
    const QList<QAction *> titles = menuBar.actions();
    for (size_t i = 0; i < MenuBarTitles.size() && i < size_t(titles.size()); ++i) {
        QAction &title = *titles[qsizetype(i)];
        const QString builtIn = KeptText(title, BuiltInTextProperty, title.text());
        const QString unmarked = QString::fromLatin1(MenuBarTitles[i]);
        title.setText(tr.BuiltIn() ? builtIn : tr.Given(int(i + 1) * 10).value_or(unmarked));
    }
}

}  // namespace

void SetTag(QObject &object, int tag)
{
    object.setProperty(TagProperty, tag);
}

int Tag(const QObject &object)
{
    return object.property(TagProperty).toInt();
}

void TranslateForm(QWidget &form, const ITextSource &texts)
{
    const TTranslation tr{texts, ToAnsi(form.objectName()), false};
    auto *mainWindow = qobject_cast<QMainWindow *>(&form);
    auto *menuBar = mainWindow ? qobject_cast<QMenuBar *>(mainWindow->menuWidget()) : nullptr;
    if (menuBar && form.objectName() == QLatin1String("MainF"))
        TranslateMenuBar(*menuBar, tr);
    if (Tag(form) > 0)
        form.setWindowTitle(tr.Caption(form, Tag(form), form.windowTitle()));
    TranslateOwnedControls(form, tr);
}

void TranslateFrame(TFrame &frame, const ITextSource &texts)
{
    TranslateOwnedControls(frame, TTranslation{texts, ToAnsi(frame.objectName()), true});
}
