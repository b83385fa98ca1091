#include "FormTranslation.h"
#include "QStringPrinter.h"
#include "StockControls.h"
#include "TextSource.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolBar>
#include <gtest/gtest.h>

#include <map>

namespace {

// Texts by (section, tag), as a language file would give them.
class TFakeTexts : public ITextSource {
public:
    bool BuiltIn() const override { return FBuiltIn; }
    std::optional<std::string> FindText(const std::string &section, int32_t id) const override
    {
        const auto found = FTexts.find({section, id});
        return found == FTexts.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    void Give(const std::string &section, int32_t id, const std::string &text) { FTexts[{section, id}] = text; }

    bool FBuiltIn = false;

private:
    std::map<std::pair<std::string, int32_t>, std::string> FTexts;
};

template <typename T>
T *Tagged(T *object, int tag)
{
    SetTag(*object, tag);
    return object;
}

// A main window with a control of every kind, each tagged with its own number
// unless the test is about the tag itself.
struct TMainForm {
    TMainForm()
    {
        window.setObjectName("MainF");
        window.setWindowTitle("Old title");
        SetTag(window, 1);
        for (const char *title : {"&A", "&B", "&C", "&D", "&E", "&F", "&G"})
            window.menuBar()->addMenu(title);
        auto *central = new QWidget(&window);
        window.setCentralWidget(central);

        label = Tagged(new QLabel("label", central), 101);
        untaggedLabel = new QLabel("untagged", central);
        zeroLabel = Tagged(new QLabel("zero", central), 0);
        negativeLabel = Tagged(new QLabel("negative", central), -5);
        edit = Tagged(new QLineEdit("edit", central), 102);
        radio = Tagged(new QRadioButton("radio", central), 103);
        checkBox = Tagged(new QCheckBox("check", central), 104);
        pushButton = Tagged(new QPushButton("push", central), 105);
        toolButton = Tagged(new QToolButton(central), 106);
        toolButton->setText("tool");
        speedButton = Tagged(new TSpeedButton(central), 107);
        speedButton->setText("speed");
        tabs = new QTabWidget(central);
        page = Tagged(new QWidget, 108);
        tabs->addTab(page, "page");
        toolBar = Tagged(window.addToolBar("bar"), 109);
        action = Tagged(new QAction("action", &window), 110);
        action->setToolTip("own hint");
        menu = Tagged(new QMenu("menu", &window), 111);
        menuAction = Tagged(menu->addAction("item"), 112);

        frame = new TFrame(central);
        frame->setObjectName("PropFr1");
        frameLabel = Tagged(new QLabel("frame label", frame), 101);
        dialog = new QDialog(&window);
        dialogButton = Tagged(new QPushButton("dialog button", dialog), 105);
    }

    QMainWindow window;
    QLabel *label, *untaggedLabel, *zeroLabel, *negativeLabel, *frameLabel;
    QLineEdit *edit;
    QRadioButton *radio;
    QCheckBox *checkBox;
    QPushButton *pushButton, *dialogButton;
    QToolButton *toolButton;
    TSpeedButton *speedButton;
    QTabWidget *tabs;
    QWidget *page;
    QToolBar *toolBar;
    QAction *action, *menuAction;
    QMenu *menu;
    TFrame *frame;
    QDialog *dialog;
};

// Gives the tags of the controls (and 0 and negative ones) a text
// "<section> <tag>", so a translated caption tells where it was looked up.
// The menu-bar keys 10..60 are left to each test.
TFakeTexts TextsForEveryTag(const std::string &section)
{
    TFakeTexts texts;
    for (int tag = -10; tag <= 200; ++tag)
        if (tag < 10 || tag > 60)
            texts.Give(section, tag, section + " " + std::to_string(tag));
    return texts;
}

std::vector<std::string> MenuBarTitles(const QMainWindow &window)
{
    std::vector<std::string> titles;
    for (const QAction *title : window.menuBar()->actions())
        titles.push_back(title->text().toStdString());
    return titles;
}

using TTitles = std::vector<std::string>;

TEST(FormTranslationTest, ChangesExactlyTheTaggedControlsOfTheTranslatedClasses)
{
    TMainForm f;
    TFakeTexts texts = TextsForEveryTag("MainF");
    texts.Give("MainF", 10, "&File");
    TranslateForm(f.window, texts);

    EXPECT_EQ(f.window.windowTitle(), "MainF 1");
    EXPECT_EQ(MenuBarTitles(f.window),
              TTitles({"&File", "View", "Edit", "Templates", "Properties", "Help", "&G"}));
    EXPECT_EQ(f.label->text(), "MainF 101");
    EXPECT_EQ(f.checkBox->text(), "MainF 104");
    EXPECT_EQ(f.pushButton->text(), "MainF 105");
    EXPECT_EQ(f.toolButton->text(), "MainF 106");
    EXPECT_EQ(f.toolButton->toolTip(), "MainF 106");
    EXPECT_EQ(f.tabs->tabText(0), "MainF 108");
    EXPECT_EQ(f.toolBar->windowTitle(), "MainF 109");
    EXPECT_EQ(f.action->text(), "MainF 110");
    EXPECT_EQ(f.action->toolTip(), "MainF 110");
    EXPECT_EQ(f.action->statusTip(), "MainF 110");
    EXPECT_EQ(f.menu->title(), "MainF 111");
    EXPECT_EQ(f.menu->menuAction()->statusTip(), "MainF 111");
    EXPECT_EQ(f.menuAction->text(), "MainF 112");

    EXPECT_EQ(f.untaggedLabel->text(), "untagged");
    EXPECT_EQ(f.zeroLabel->text(), "zero");
    EXPECT_EQ(f.negativeLabel->text(), "negative");
    EXPECT_EQ(f.edit->text(), "edit");
    EXPECT_EQ(f.radio->text(), "radio");
    EXPECT_EQ(f.speedButton->text(), "speed");
    EXPECT_EQ(f.frameLabel->text(), "frame label");
    EXPECT_EQ(f.dialogButton->text(), "dialog button");
}

TEST(FormTranslationTest, KeepsCaptionsWithoutTextAndStillSetsHints)
{
    TMainForm f;
    TFakeTexts texts;
    texts.Give("MainF", 112, "only this");
    texts.Give("Interface", 101, "wrong section");
    texts.Give("mainf", 104, "wrong case");
    TranslateForm(f.window, texts);

    EXPECT_EQ(f.window.windowTitle(), "Old title");
    EXPECT_EQ(MenuBarTitles(f.window),
              TTitles({"File", "View", "Edit", "Templates", "Properties", "Help", "&G"}));
    EXPECT_EQ(f.label->text(), "label");
    EXPECT_EQ(f.checkBox->text(), "check");
    EXPECT_EQ(f.menuAction->text(), "only this");
    EXPECT_EQ(f.action->text(), "action");
    EXPECT_EQ(f.action->toolTip(), "action");
}

TEST(FormTranslationTest, BuiltInTextsChangeNothing)
{
    TMainForm f;
    TFakeTexts texts = TextsForEveryTag("MainF");
    texts.FBuiltIn = true;
    TranslateForm(f.window, texts);
    EXPECT_EQ(f.window.windowTitle(), "Old title");
    EXPECT_EQ(MenuBarTitles(f.window), TTitles({"&A", "&B", "&C", "&D", "&E", "&F", "&G"}));
    EXPECT_EQ(f.label->text(), "label");
    EXPECT_EQ(f.action->toolTip(), "own hint");

    TranslateFrame(*f.frame, texts);
    EXPECT_EQ(f.frameLabel->text(), "frame label");
}

TEST(FormTranslationTest, TheBuiltInLanguageGivesBackTheBuiltInTexts)
{
    TMainForm f;
    auto texts = [](const char *section, const char *language) {
        TFakeTexts given = TextsForEveryTag(section);
        given.Give(section, 10, language);
        return given;
    };
    const TFakeTexts first = texts("MainF", "first");
    const TFakeTexts frameTexts = texts("PropFr1", "first");
    TFakeTexts second;  // knows only the label
    second.Give("MainF", 101, "second label");
    TFakeTexts builtIn = first;
    builtIn.FBuiltIn = true;

    const auto shown = [&f] {
        return TTitles({f.window.windowTitle().toStdString(), MenuBarTitles(f.window)[0],
                        f.label->text().toStdString(), f.action->text().toStdString(),
                        f.action->toolTip().toStdString(), f.tabs->tabText(0).toStdString(),
                        f.menu->title().toStdString(), f.frameLabel->text().toStdString()});
    };
    const TTitles original = shown();
    const struct {
        const TFakeTexts &texts;
        TTitles expected;
    } steps[] = {
        {first, {"MainF 1", "first", "MainF 101", "MainF 110", "MainF 110", "MainF 108", "MainF 111",
                 "PropFr1 101"}},
        {second, {"Old title", "File", "second label", "action", "action", "page", "menu", "frame label"}},
        {builtIn, original},
        {first, {"MainF 1", "first", "MainF 101", "MainF 110", "MainF 110", "MainF 108", "MainF 111",
                 "PropFr1 101"}},
        {builtIn, original},
    };
    for (const auto &step : steps) {
        TranslateForm(f.window, step.texts);
        TranslateFrame(*f.frame, &step.texts == &first ? frameTexts : step.texts);
        EXPECT_EQ(shown(), step.expected);
    }
    EXPECT_EQ(original[4], "own hint");
    EXPECT_EQ(MenuBarTitles(f.window)[6], "&G");
}

TEST(FormTranslationTest, OnlyTheMainWindowHasItsMenuBarTranslated)
{
    TMainForm f;
    f.window.setObjectName("OtherF");
    SetTag(f.window, 0);
    TranslateForm(f.window, TextsForEveryTag("OtherF"));
    EXPECT_EQ(MenuBarTitles(f.window), TTitles({"&A", "&B", "&C", "&D", "&E", "&F", "&G"}));
    EXPECT_EQ(f.window.windowTitle(), "Old title");
    EXPECT_EQ(f.label->text(), "OtherF 101");
}

TEST(FormTranslationTest, AFrameTranslatesItsOwnControlsAndSpeedButtonCaptions)
{
    QWidget form;
    form.setObjectName("MainF");
    auto *frame = new TFrame(&form);
    frame->setObjectName("PropFr1");
    SetTag(*frame, 1);
    auto *label = Tagged(new QLabel("label", frame), 101);
    auto *speedButton = Tagged(new TSpeedButton(frame), 1008);
    speedButton->setText("Font");
    speedButton->setToolTip("own hint");
    auto *inner = new TFrame(frame);
    auto *innerLabel = Tagged(new QLabel("inner", inner), 101);
    auto *outside = Tagged(new QLabel("outside", &form), 101);

    TFakeTexts texts = TextsForEveryTag("PropFr1");
    texts.Give("PropFr1", 1008, "Schrift");
    TranslateFrame(*frame, texts);

    EXPECT_EQ(label->text(), "PropFr1 101");
    EXPECT_EQ(speedButton->text(), "Schrift");
    EXPECT_EQ(speedButton->toolTip(), "own hint");
    EXPECT_EQ(innerLabel->text(), "inner");
    EXPECT_EQ(outside->text(), "outside");
}

TEST(FormTranslationTest, TextsAreShownAsPlainText)
{
    TMainForm f;
    TFakeTexts texts;
    texts.Give("MainF", 101, "<b>bold</b>");
    texts.Give("MainF", 110, "<i>hint</i>");
    TranslateForm(f.window, texts);
    EXPECT_EQ(f.label->textFormat(), Qt::PlainText);
    EXPECT_EQ(f.label->text(), "<b>bold</b>");
    EXPECT_EQ(f.action->text(), "<i>hint</i>");
    EXPECT_FALSE(f.action->toolTip().contains("<i>"));
    EXPECT_TRUE(f.action->toolTip().contains("&lt;i&gt;hint&lt;/i&gt;"));
}

TEST(FormTranslationTest, TagsAreReadFromTheDynamicProperty)
{
    QLabel label;
    EXPECT_EQ(Tag(label), 0);
    label.setProperty("tag", 300601);
    EXPECT_EQ(Tag(label), 300601);
    SetTag(label, 7);
    EXPECT_EQ(label.property("tag").toInt(), 7);
}

}  // namespace
