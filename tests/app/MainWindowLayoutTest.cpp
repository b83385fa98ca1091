// The main window's layout at every size it allows: nothing overlaps, and a
// page that does not fit its room scrolls by whole rows, never showing a row
// cut in half.
#include "MainWindowFixture.h"
#include "Screens.h"
#include "WheelCheck.h"

#include "Codepage.h"
#include "FlowTabs.h"
#include "LanguageSwitch.h"
#include "PropertyPanels.h"
#include "StreamBytes.h"
#include "TemplatePanel.h"

#include <QRegion>
#include <QSplitterHandle>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>

namespace {

// The sizes the window allows: its minimum, its default, and some between
// and beyond.
const QSize AllowedSizes[] = {{500, 500}, {500, 800}, {640, 500}, {791, 581}, {1024, 768}, {1400, 1000}};
const QSize DefaultSize(791, 581);

QString SizeName(const QSize &size) { return QStringLiteral("%1x%2").arg(size.width()).arg(size.height()); }

class MainWindowLayoutTest : public MainWindowTest {
protected:
    // The window at a size, a state of a button selected.
    void ShowAt(const QSize &size)
    {
        Main().resize(size);
        QApplication::processEvents();
        ASSERT_EQ(Main().size(), size);
    }

    // The visible children of a container lie inside it and apart from
    // each other. (A thin splitter handle reaches over its neighbours on
    // purpose, as an unseen grip.)
    static void ExpectApart(QWidget &container)
    {
        std::vector<QWidget *> children;
        for (QWidget *child : container.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (child->isVisible() && !child->isWindow() && !qobject_cast<QSplitterHandle *>(child))
                children.push_back(child);
        const std::string name = container.objectName().toStdString();
        for (size_t i = 0; i < children.size(); ++i) {
            const QRect r = children[i]->geometry();
            EXPECT_TRUE(container.rect().contains(r))
                << children[i]->objectName().toStdString() << " leaves " << name;
            for (size_t k = i + 1; k < children.size(); ++k) {
                EXPECT_FALSE(r.intersects(children[k]->geometry()))
                    << children[i]->objectName().toStdString() << " and " << children[k]->objectName().toStdString()
                    << " overlap in " << name << " by "
                    << (r & children[k]->geometry()).width() << " x " << (r & children[k]->geometry()).height();
            }
        }
    }

    // Every row of the page (a control of its own) shows whole or not at
    // all: what lies over the page in the view covers.
    static void ExpectWholeRows(QScrollArea &scroller, const std::string &where)
    {
        QWidget &page = *scroller.widget();
        QRegion shown(scroller.viewport()->rect());
        for (QWidget *over : scroller.viewport()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (over != &page && over->isVisible())
                shown -= over->geometry();
        for (QWidget *control : page.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!control->isVisibleTo(&page))
                continue;
            const QRect r(control->mapTo(scroller.viewport(), QPoint(0, 0)), control->size());
            const QRegion seen = shown & r;
            EXPECT_TRUE(seen.isEmpty() || seen == QRegion(r))
                << where << ": " << control->objectName().toStdString() << " at " << r.y() << ".." << r.bottom()
                << " shows in part";
        }
    }

    // Scrolls the page from its top to its end a wheel notch at a time,
    // checking the rows at every stop; the end shows the last row.
    static void ScrollThrough(QScrollArea &scroller, const std::string &where)
    {
        QScrollBar &bar = *scroller.verticalScrollBar();
        bar.setValue(0);
        ExpectWholeRows(scroller, where + " at the top");
        for (int notch = 0; notch < 40 && bar.value() < bar.maximum(); ++notch) {
            const int before = bar.value();
            TurnWheel(*scroller.viewport(), -1);
            ASSERT_GT(bar.value(), before) << where << ": the wheel scrolls on";
            ExpectWholeRows(scroller, where + " after " + std::to_string(notch + 1) + " notches, at " +
                                          std::to_string(bar.value()) + " of " + std::to_string(bar.maximum()));
        }
        EXPECT_EQ(bar.value(), bar.maximum()) << where;
        bar.setValue(0);
    }

    // The scroll areas shown in the property panel.
    std::vector<QScrollArea *> ShownScrollers() const
    {
        std::vector<QScrollArea *> shown;
        for (QScrollArea *scroller : Main().Panels().findChildren<QScrollArea *>())
            if (scroller->isVisible())
                shown.push_back(scroller);
        return shown;
    }
};

}  // namespace

TEST_F(MainWindowLayoutTest, NothingOverlapsAtAnyAllowedSize)
{
    Main().show();
    NewProjectWith({"Home"});
    for (const QSize &size : AllowedSizes) {
        SCOPED_TRACE(SizeName(size).toStdString());
        ShowAt(size);
        for (const char *name : {"Splitter1", "InPanel", "OutPanel", "ButtonsPanel", "PropPanel", "Panel1",
                                 "TempPanel", "DrawPanel", "WebPanel"})
            ExpectApart(*Main().findChild<QWidget *>(name));
        SaveScreen(Main(), "MainF-" + SizeName(size));
    }
}

// Each page of the three panels, at the smallest and the default size: the
// rows the view shows are whole at the top and after every wheel notch, and
// the wheel reaches the last row.
TEST_F(MainWindowLayoutTest, PagesThatDoNotFitScrollByWholeRows)
{
    Main().activateWindow();
    Main().show();
    NewProjectWith({"Home"});
    auto *pages = Main().Panels().Panel(ppState).findChild<TFlowTabs *>();
    ASSERT_TRUE(pages);
    for (const QSize &size : {QSize(500, 500), DefaultSize}) {
        ShowAt(size);
        for (int page = 0; page < pages->Count(); ++page) {
            Click(Node(0, 0));
            pages->TabButton(page)->click();
            QApplication::processEvents();
            const std::string where = SizeName(size).toStdString() + " state page " + std::to_string(page);
            for (QScrollArea *scroller : ShownScrollers())
                ScrollThrough(*scroller, where);
            if (size == DefaultSize && page == 0)
                SaveScreen(Main(), "MainF-text-page-rows");
        }
        for (QTreeWidgetItem *node : {Node(0), Tree().RootNode()}) {
            Click(node);
            QApplication::processEvents();
            for (QScrollArea *scroller : ShownScrollers())
                ScrollThrough(*scroller, SizeName(size).toStdString() + " " + node->text(0).toStdString());
        }
    }
}

// The main tool bar shows each caption whole, in any language: a caption
// wider than the buttons' common width widens its button, and the buttons
// that no longer fit go to the bar's extension menu.
TEST_F(MainWindowLayoutTest, TheMainToolBarShowsEveryCaptionWhole)
{
    const struct {
        const char *language;
        const char *texts;  // UTF-8; a language file holds them in the program's code page
    } cases[] = {
        {"built-in", nullptr},
        {"Russian", "[MainF]\n1001=Новый проект\n1002=Открыть проект...\n1003=Сохранить проект\n"
                    "5008=Параметры...\n1009=Экспорт...\n2005=Просмотр\n1008=Вставить в страницу\n"},
    };
    Main().show();
    auto *bar = Main().findChild<QToolBar *>("ToolBar4");
    ASSERT_TRUE(bar);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.language);
        if (c.texts) {
            const std::string file = LanguagesDir + "ru.lng";
            ASSERT_TRUE(WriteFileText(file, ToAnsi(QString::fromUtf8(c.texts))));
            SwitchLanguage(file);
            Main().TranslateAll();
        }
        for (const QSize &size : {QSize(500, 500), DefaultSize, QSize(1400, 1000)}) {
            ShowAt(size);
            for (QToolButton *button : bar->findChildren<QToolButton *>()) {
                if (!button->isVisible() || !button->defaultAction())
                    continue;  // the extension button, or a button in the extension menu
                EXPECT_GE(button->width(), button->sizeHint().width())
                    << SizeName(size).toStdString() << ": " << button->text().toStdString();
            }
            SaveScreen(*bar, QStringLiteral("MainF-tool-bar-%1-%2").arg(QLatin1String(c.language), SizeName(size)));
        }
    }
}

// Tab goes round the window's controls, with a template open and without,
// and each stop shows when it has the focus.
TEST_F(MainWindowLayoutTest, EveryTabStopShowsItsFocus)
{
    Main().show();
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    NewProjectWith({"Home"});
    ASSERT_TRUE(Proj->NewButtonTemplate("Looks"));
    Proj->AddButtonToTemplate("B0");
    Proj->CloseButtonTemplate();
    Main().Templates().LoadTemplateTabs();
    for (const int tab : {0, 1}) {
        Main().Templates().Tabs().setCurrentIndex(tab);
        for (QTreeWidgetItem *node : {Node(0, 0), Node(0), Tree().RootNode()}) {
            Click(node);
            Tree().View().setFocus();
            std::string stops;
            for (QWidget *stop = &Tree().View(); stops.size() < 2000;) {
                stops += stop->metaObject()->className() + (":" + stop->objectName().toStdString()) + " ";
                const QImage focused = stop->grab().toImage();
                stop->clearFocus();
                EXPECT_TRUE(stop->grab().toImage() != focused) << stops;
                stop->setFocus(Qt::TabFocusReason);
                QTest::sendKeyEvent(QTest::Click, stop, Qt::Key_Tab, QStringLiteral("\t"), {});
                if ((stop = QApplication::focusWidget()) == &Tree().View())
                    break;
            }
            EXPECT_EQ(stops.find("DrawGrid1") != std::string::npos, tab == 1) << stops;
        }
    }
    SaveScreen(Main(), "MainF-tab-stops");
}
