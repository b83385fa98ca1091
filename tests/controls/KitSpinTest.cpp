#include "KitSpin.h"
#include "QStringPrinter.h"
#include "Screens.h"
#include "X11Keys.h"

#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <functional>

namespace {

// A dialog with the edit, a second control to move the focus to and a
// default button, shown and active so that keys and focus act as for a user.
struct TSpinForm {
    TSpinForm()
    {
        auto *layout = new QVBoxLayout(&dialog);
        layout->addWidget(spin);
        layout->addWidget(other);
        layout->addWidget(ok);
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        spin->setFocus();
    }
    QString Text() const { return spin->findChild<QLineEdit *>()->text(); }
    void Type(const QString &text)
    {
        spin->findChild<QLineEdit *>()->selectAll();
        QTest::keyClicks(spin, text);
    }

    QDialog dialog;
    TKitSpinEdit *spin = new TKitSpinEdit;
    QLineEdit *other = new QLineEdit;
    QPushButton *ok = new QPushButton(QStringLiteral("OK"));
};

}  // namespace

TEST(KitSpinEdit, WritesClampedFormattedTextAndReadsItBack)
{
    const struct {
        TValueType type;
        double min, max, value;
        const char *text;
        double read;
    } cases[] = {
        {vtInteger, 0, 0, 2.5, "2", 2},  // ties to even
        {vtInteger, 0, 0, 3.5, "4", 4},
        {vtInteger, 0, 0, -1e6, "-1000000", -1e6},  // equal bounds: no clamping
        {vtInteger, 10, 250, 300, "250", 250},
        {vtInteger, 10, 250, 3, "10", 10},
        {vtFloat, -0.5, 0.5, 0.125, "0.13", 0.13},
        {vtFloat, -0.5, 0.5, -7, "-0.50", -0.5},
        {vtFloat, 0, 0, -0.001, "0.00", 0},
        {vtFloat, 0, 0, 12345678901234.567, "12345678901234.60", 12345678901234.6},  // 15 digits
        {vtFloat, 0, 0, 1e15, "1.00000000000000E+15", 1e15},
        {vtHex, 0, 0, 255, "FF", 255},
        {vtHex, 0, 0, -1, "FFFFFFFF", -1},
        {vtInteger, 0, 0, 3e9, "2147483647", 2147483647},  // what an integer text reads back
    };
    for (const auto &c : cases) {
        TKitSpinEdit spin;
        spin.SetValueType(c.type);
        spin.SetRange(c.min, c.max);
        spin.SetValue(c.value);
        EXPECT_EQ(spin.text(), QString::fromLatin1(c.text)) << c.value;
        EXPECT_DOUBLE_EQ(spin.Value(), c.read) << c.text;
    }
}

TEST(KitSpinEdit, TextThatIsNoNumberReadsAsTheLowerBound)
{
    const struct {
        TValueType type;
        const char *text;
        double read;
        bool number;
    } cases[] = {
        {vtFloat, "-", -0.75, false},    {vtFloat, "", -0.75, false},   {vtFloat, "1e999", -0.75, false},
        {vtInteger, "1.5", -0.0, false}, {vtInteger, "99999999999", -0.0, false},
        {vtHex, "1G", -0.0, false},      {vtHex, "100000000", -0.0, false},  {vtHex, "7fffffff", 2147483647, true},
    };
    for (const auto &c : cases) {
        TKitSpinEdit spin;
        spin.SetValueType(c.type);
        spin.SetRange(-0.75, 1);
        spin.findChild<QLineEdit *>()->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(spin.Value(), c.read) << c.text;
        EXPECT_EQ(spin.Number().has_value(), c.number) << c.text;
    }
}

TEST(KitSpinEdit, StepsRaiseTheChangeOncePerChangedTextAndTheClickAlways)
{
    TKitSpinEdit spin;
    spin.SetValueType(vtFloat);
    spin.SetRange(-0.5, 0.5);
    spin.SetIncrement(0.05);
    spin.SetValue(0.48);
    QSignalSpy changed(&spin, &TKitSpinEdit::valueChanged);
    QSignalSpy top(&spin, &TKitSpinEdit::topClicked);

    spin.UpClick();
    EXPECT_EQ(spin.text(), QStringLiteral("0.50"));
    spin.UpClick();
    EXPECT_EQ(spin.text(), QStringLiteral("0.50"));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(top.count(), 2);

    spin.SetValue(0.1);  // code writing the text raises the change too
    EXPECT_EQ(changed.count(), 2);

    TKitSpinEdit free;  // no bounds: steps run freely both ways
    free.DownClick();
    free.DownClick();
    EXPECT_EQ(free.text(), QStringLiteral("-2"));

    spin.SetValue(1.5);
    spin.SetIncrement(0.4);
    spin.SetValueType(vtInteger);
    EXPECT_EQ(spin.text(), QStringLiteral("0")) << "1.50 is no integer: the truncated lower bound";
    EXPECT_EQ(spin.Increment(), 1.0);
}

TEST(KitSpinEdit, TypingIsLimitedToTheCharactersOfANumber)
{
    const struct {
        TValueType type;
        const char *typed;
        const char *shown;
    } cases[] = {
        {vtInteger, "1.5x", "15"},
        {vtFloat, "1.2.3", "1.23"},
        {vtFloat, "2e3E4", "2e34"},
        {vtHex, "fFgz1", "fF1"},
        {vtInteger, "99999999999", "999999999"},  // a number too large to read is refused
        {vtHex, "123456789", "12345678"},
        {vtFloat, "1e999", "1e99"},
    };
    for (const auto &c : cases) {
        TSpinForm form;
        form.spin->SetValueType(c.type);
        form.Type(QString::fromLatin1(c.typed));
        EXPECT_EQ(form.Text(), QString::fromLatin1(c.shown)) << c.typed;
    }
}

// Delete, Backspace and Ctrl+V with the characters X11 gives them edit the
// text while typing is on; with typing off they change nothing, and neither
// does a digit, while the arrow keys still step.
TEST(KitSpinEdit, ErasingAndPastingActOnlyWhileTypingIsOn)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("45"));
    const struct {
        const char *What;
        std::function<void(QWidget *)> Press;
        const char *Typing, *Locked;  // "123" with the caret after the "1"
    } cases[] = {
        {"Delete", PressDelete, "13", "123"},
        {"Backspace", [](QWidget *w) { QTest::keyClick(w, Qt::Key_Backspace); }, "23", "123"},
        {"Ctrl+V", PressPaste, "14523", "123"},
        {"a digit", [](QWidget *w) { QTest::keyClick(w, Qt::Key_7); }, "1723", "123"},
        {"Up", [](QWidget *w) { QTest::keyClick(w, Qt::Key_Up); }, "124", "124"},
    };
    for (const auto &c : cases)
        for (const bool typing : {true, false}) {
            TSpinForm form;
            form.spin->SetValue(123);
            form.spin->SetEditorEnabled(typing);
            form.spin->findChild<QLineEdit *>()->setCursorPosition(1);
            c.Press(form.spin);
            EXPECT_EQ(form.Text(), QString::fromLatin1(typing ? c.Typing : c.Locked))
                << c.What << (typing ? " while typing is on" : " while typing is off");
        }
}

TEST(KitSpinEdit, LeavingPullsAnOutOfRangeNumberToTheNearerBound)
{
    const struct {
        const char *typed;
        const char *left;
        int changes;  // change events while typing and leaving
    } cases[] = {
        {"300", "250", 4},  // "3", "30", "300", then the clamp
        {"5", "10", 2},
        {"070", "070", 3},  // within range: left exactly as typed
        {"-", "-", 1},    // no number: reads as the lower bound, needs no clamp
    };
    for (const auto &c : cases) {
        TSpinForm form;
        form.spin->SetRange(10, 250);
        form.spin->SetValue(90);
        QSignalSpy changed(form.spin, &TKitSpinEdit::valueChanged);
        form.Type(QString::fromLatin1(c.typed));
        EXPECT_EQ(form.Text(), QString::fromLatin1(c.typed));
        form.other->setFocus();
        EXPECT_EQ(form.Text(), QString::fromLatin1(c.left)) << c.typed;
        EXPECT_EQ(changed.count(), c.changes) << c.typed;
    }
}

TEST(KitSpinEdit, EnterPressesTheDefaultButtonAndTheWheelNeedsTheFocus)
{
    TSpinForm form;
    form.spin->SetValue(5);
    SaveScreen(form.dialog, QStringLiteral("KitSpinEdit-dialog"));

    form.other->setFocus();
    QWheelEvent wheel(QPointF(5, 5), form.spin->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(form.spin, &wheel);
    EXPECT_EQ(form.Text(), QStringLiteral("5")) << "no wheel steps while unfocused";

    form.spin->setFocus();
    QApplication::sendEvent(form.spin, &wheel);
    EXPECT_EQ(form.Text(), QStringLiteral("6"));

    QStyleOptionSpinBox option;
    option.initFrom(form.spin);
    option.subControls = QStyle::SC_SpinBoxUp;
    const QRect up = form.spin->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, form.spin);
    QTest::mouseClick(form.spin, Qt::LeftButton, Qt::NoModifier, up.center());
    EXPECT_EQ(form.Text(), QStringLiteral("7")) << "the up arrow steps";

    QTest::keyClick(form.spin, Qt::Key_Return);
    EXPECT_EQ(form.dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.Text(), QStringLiteral("7")) << "no line break";
}
