// Keys as X11 delivers them, with the character each produces: Delete
// carries U+007F, Ctrl+V the control character 0x16 and a letter key its
// letter, whatever the keyboard's language. QTest's own key
// helpers give Delete no character and Ctrl+V the letter "v", so a control
// that looks at the character would be tested on keys no user can send.
#pragma once

#include <QTest>

inline void PressDelete(QWidget *widget)
{
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_Delete, QString(QChar(0x7F)), Qt::NoModifier);
}

inline void PressPaste(QWidget *widget)
{
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_V, QString(QChar(0x16)), Qt::ControlModifier);
}

inline void TypeCharacter(QWidget *widget, QChar character)
{
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(character.toUpper().unicode()), QString(character), Qt::NoModifier);
}
