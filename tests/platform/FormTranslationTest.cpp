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
    // Gives every tag from -10 to 200 but the menu-bar keys 10..60 the text
    // "<section> <tag>", so a caption tells where it was looked up.
    TFakeTexts &Everything(const std::string &section)
    {
        for (int tag = -10; tag <= 200; ++tag)
            if (tag < 10 || tag > 60)
                FTexts[{section, tag}] = section + " " + std::to_string(tag);
        return *this;
    }
    TFakeTexts &Give(const std::string &section, int32_t id, const std::string &text)
    {
        FTexts[{section, id}] = text;
        return *this;
    }
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
        toolButton->setText("tool");
        speedButton->setText("speed");
        tabs->addTab(Tagged(new QWidget, 108), "page");
        action->setToolTip("own hint");
        frame->setObjectName("PropFr1");
    }
    static QWidget *Central(QMainWindow &window)
    {
        window.setCentralWidget(new QWidget);
        return window.centralWidget();
    }
    QStringList MenuBar() const
    {
        QStringList titles;
        for (const QAction *title : window.menuBar()->actions())
            titles << title->text();
        return titles;
    }

    QMainWindow window;
    QWidget *c = Central(window);
    QLabel *label = Tagged(new QLabel("label", c), 101), *untagged = new QLabel("untagged", c),
           *zero = Tagged(new QLabel("zero", c), 0), *negative = Tagged(new QLabel("negative", c), -5);
    QLineEdit *edit = Tagged(new QLineEdit("edit", c), 102);
    QRadioButton *radio = Tagged(new QRadioButton("radio", c), 103);
    QCheckBox *checkBox = Tagged(new QCheckBox("check", c), 104);
    QPushButton *pushButton = Tagged(new QPushButton("push", c), 105);
    QToolButton *toolButton = Tagged(new QToolButton(c), 106);
    TSpeedButton *speedButton = Tagged(new TSpeedButton(c), 107);
    QTabWidget *tabs = new QTabWidget(c);
    QToolBar *toolBar = Tagged(window.addToolBar("bar"), 109);
    QAction *action = Tagged(new QAction("action", &window), 110);
    QMenu *menu = Tagged(new QMenu("menu", &window), 111);
    QAction *menuAction = Tagged(menu->addAction("item"), 112);
    TFrame *frame = new TFrame(c);
    QLabel *frameLabel = Tagged(new QLabel("frame label", frame), 101);
    QPushButton *dialogButton = Tagged(new QPushButton("dialog button", new QDialog(&window)), 105);
};

const QStringList Untouched = {"&A", "&B", "&C", "&D", "&E", "&F", "&G"};

TEST(FormTranslation, ChangesExactlyTheTaggedControlsOfTheTranslatedClasses)
{
    TMainForm f;
    TranslateForm(f.window, TFakeTexts().Everything("MainF").Give("MainF", 10, "&File"));
    EXPECT_EQ(f.MenuBar(), QStringList({"&File", "View", "Edit", "Templates", "Properties", "Help", "&G"}));
    const std::pair<QString, QString> shown[] = {
        {f.window.windowTitle(), "MainF 1"},   {f.label->text(), "MainF 101"},
        {f.checkBox->text(), "MainF 104"},     {f.pushButton->text(), "MainF 105"},
        {f.toolButton->text(), "MainF 106"},   {f.toolButton->toolTip(), "MainF 106"},
        {f.tabs->tabText(0), "MainF 108"},     {f.toolBar->windowTitle(), "MainF 109"},
        {f.action->text(), "MainF 110"},       {f.action->toolTip(), "MainF 110"},
        {f.action->statusTip(), "MainF 110"},  {f.menu->title(), "MainF 111"},
        {f.menu->menuAction()->statusTip(), "MainF 111"}, {f.menuAction->text(), "MainF 112"},
        // Untagged, other classes, and what frames and dialogs translate themselves.
        {f.untagged->text(), "untagged"},      {f.zero->text(), "zero"},
        {f.negative->text(), "negative"},      {f.edit->text(), "edit"},
        {f.radio->text(), "radio"},            {f.speedButton->text(), "speed"},
        {f.frameLabel->text(), "frame label"}, {f.dialogButton->text(), "dialog button"}};
    for (size_t i = 0; i < std::size(shown); ++i)
        EXPECT_EQ(shown[i].first, shown[i].second) << "control " << i;
}

TEST(FormTranslation, WhatIsLeftWithoutTextsWithBuiltInTextsAndOnOtherForms)
{
    struct TCase {
        const char *what;
        const char *form;
        TFakeTexts texts;
        QStringList menuBar;
        QString title, label, hint;
    };
    TFakeTexts builtIn = TFakeTexts().Everything("MainF");
    builtIn.FBuiltIn = true;
    const TCase cases[] = {
        // Captions without a text stay; hints still follow the caption.
        {"missing texts", "MainF", TFakeTexts().Give("Interface", 101, "wrong section").Give("mainf", 101, "wrong case"),
         {"File", "View", "Edit", "Templates", "Properties", "Help", "&G"}, "Old title", "label", "action"},
        {"built-in texts", "MainF", builtIn, Untouched, "Old title", "label", "own hint"},
        {"not the main window", "OtherF", TFakeTexts().Everything("OtherF"), Untouched, "Old title", "OtherF 101",
         "OtherF 110"},
    };
    for (const TCase &c : cases) {
        TMainForm f;
        f.window.setObjectName(c.form);
        if (std::string(c.form) != "MainF")
            SetTag(f.window, 0);
        TranslateForm(f.window, c.texts);
        EXPECT_EQ(f.MenuBar(), c.menuBar) << c.what;
        EXPECT_EQ(f.window.windowTitle(), c.title) << c.what;
        EXPECT_EQ(f.label->text(), c.label) << c.what;
        EXPECT_EQ(f.action->toolTip(), c.hint) << c.what;
        TranslateFrame(*f.frame, c.texts);
        EXPECT_EQ(f.frameLabel->text(), "frame label") << c.what;
    }
}

// Switching languages and back to the built-in texts gives every control the
// text it was built with.
TEST(FormTranslation, TheBuiltInLanguageGivesBackTheBuiltInTexts)
{
    TMainForm f;
    const auto shown = [&f] {
        return QStringList{f.window.windowTitle(), f.MenuBar()[0],  f.label->text(), f.action->text(),
                           f.action->toolTip(),    f.tabs->tabText(0), f.menu->title(), f.frameLabel->text()};
    };
    const QStringList original = shown();
    const TFakeTexts first = TFakeTexts().Everything("MainF").Everything("PropFr1").Give("MainF", 10, "first");
    const TFakeTexts second = TFakeTexts().Give("MainF", 101, "second label");
    TFakeTexts builtIn = first;
    builtIn.FBuiltIn = true;
    const QStringList translated = {"MainF 1",   "first",     "MainF 101", "MainF 110",
                                    "MainF 110", "MainF 108", "MainF 111", "PropFr1 101"};
    const std::pair<const TFakeTexts *, QStringList> steps[] = {
        {&first, translated},
        {&second, {"Old title", "File", "second label", "action", "action", "page", "menu", "frame label"}},
        {&builtIn, original},
        {&first, translated},
        {&builtIn, original}};
    for (const auto &[texts, expected] : steps) {
        TranslateForm(f.window, *texts);
        TranslateFrame(*f.frame, *texts);
        EXPECT_EQ(shown(), expected);
    }
    EXPECT_EQ(original[4], "own hint");
}

TEST(FormTranslation, AFrameTranslatesItsOwnControlsAndSpeedButtonCaptions)
{
    QWidget form;
    auto *frame = new TFrame(&form);
    frame->setObjectName("PropFr1");
    auto *label = Tagged(new QLabel("label", frame), 101);
    auto *speedButton = Tagged(new TSpeedButton(frame), 1008);
    speedButton->setToolTip("own hint");
    auto *innerLabel = Tagged(new QLabel("inner", new TFrame(frame)), 101);
    auto *outside = Tagged(new QLabel("outside", &form), 101);
    TranslateFrame(*frame, TFakeTexts().Everything("PropFr1").Give("PropFr1", 1008, "Schrift"));
    EXPECT_EQ(label->text(), "PropFr1 101");
    EXPECT_EQ(speedButton->text(), "Schrift");
    EXPECT_EQ(speedButton->toolTip(), "own hint");
    EXPECT_EQ(innerLabel->text(), "inner");
    EXPECT_EQ(outside->text(), "outside");
}

TEST(FormTranslation, TextsAreShownAsPlainText)
{
    TMainForm f;
    TranslateForm(f.window, TFakeTexts().Give("MainF", 101, "<b>bold</b>").Give("MainF", 110, "<i>hint</i>"));
    EXPECT_EQ(f.label->textFormat(), Qt::PlainText);
    EXPECT_EQ(f.label->text(), "<b>bold</b>");
    EXPECT_EQ(f.action->text(), "<i>hint</i>");
    EXPECT_TRUE(f.action->toolTip().contains("&lt;i&gt;hint&lt;/i&gt;"));
}

}  // namespace
