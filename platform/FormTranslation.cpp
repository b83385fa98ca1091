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

struct TTranslation {
    const ITextSource &Texts;
    std::string Section;
    bool InFrame;

    // The text given for the tag, else the current caption.
    QString Caption(int tag, const QString &current) const
    {
        const std::optional<std::string> text = Texts.FindText(Section, tag);
        return text ? FromAnsi(*text) : current;
    }
};

// Tool tips would render markup; texts from language files are shown as
// they stand.
QString PlainToolTip(const QString &text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal) : text;
}

void SetHint(QAction &action, const QString &hint)
{
    action.setToolTip(PlainToolTip(hint));
    action.setStatusTip(hint);
}

void SetHint(QWidget &widget, const QString &hint)
{
    widget.setToolTip(PlainToolTip(hint));
    widget.setStatusTip(hint);
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
        label->setText(tr.Caption(tag, label->text()));
    } else if (auto *menu = qobject_cast<QMenu *>(&object)) {
        menu->setTitle(tr.Caption(tag, menu->title()));
        SetHint(*menu->menuAction(), menu->title());
    } else if (auto *action = qobject_cast<QAction *>(&object)) {
        action->setText(tr.Caption(tag, action->text()));
        SetHint(*action, action->text());
    } else if (QTabWidget *tabs = TabOfPage(object)) {
        const int index = tabs->indexOf(static_cast<QWidget *>(&object));
        tabs->setTabText(index, tr.Caption(tag, tabs->tabText(index)));
    } else if (auto *toolBar = qobject_cast<QToolBar *>(&object)) {
        toolBar->setWindowTitle(tr.Caption(tag, toolBar->windowTitle()));
    } else if (auto *speedButton = qobject_cast<TSpeedButton *>(&object)) {
        if (tr.InFrame)
            speedButton->setText(tr.Caption(tag, speedButton->text()));
    } else if (auto *toolButton = qobject_cast<QToolButton *>(&object)) {
        toolButton->setText(tr.Caption(tag, toolButton->text()));
        SetHint(*toolButton, toolButton->text());
    } else if (auto *checkBox = qobject_cast<QCheckBox *>(&object)) {
        checkBox->setText(tr.Caption(tag, checkBox->text()));
    } else if (auto *button = qobject_cast<QPushButton *>(&object)) {
        button->setText(tr.Caption(tag, button->text()));
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

void TranslateMenuBar(const QMenuBar &menuBar, const TTranslation &tr)
{
    const QList<QAction *> titles = menuBar.actions();
    for (size_t i = 0; i < MenuBarTitles.size() && i < size_t(titles.size()); ++i) {
        const int key = int(i + 1) * 10;
        titles[qsizetype(i)]->setText(tr.Caption(key, QString::fromLatin1(MenuBarTitles[i])));
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
    if (texts.BuiltIn())
        return;
    const TTranslation tr{texts, ToAnsi(form.objectName()), false};
    auto *mainWindow = qobject_cast<QMainWindow *>(&form);
    auto *menuBar = mainWindow ? qobject_cast<QMenuBar *>(mainWindow->menuWidget()) : nullptr;
    if (menuBar && form.objectName() == QLatin1String("MainF"))
        TranslateMenuBar(*menuBar, tr);
    if (Tag(form) > 0)
        form.setWindowTitle(tr.Caption(Tag(form), form.windowTitle()));
    TranslateOwnedControls(form, tr);
}

void TranslateFrame(TFrame &frame, const ITextSource &texts)
{
    if (texts.BuiltIn())
        return;
    TranslateOwnedControls(frame, TTranslation{texts, ToAnsi(frame.objectName()), true});
}
