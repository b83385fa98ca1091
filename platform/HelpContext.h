// Help contexts: a window, panel or command names the page of the help guide
// that F1 opens while it has the focus. The number is kept as the dynamic
// property "helpContext"; 0 means none, and the nearest enclosing widget
// with a context answers for the widgets inside it.
#pragma once

class QObject;
class QWidget;

constexpr char HelpContextProperty[] = "helpContext";

void SetHelpContext(QObject &object, int context);
// The object's own context (a widget's or a command's); 0 when it has none.
int OwnHelpContext(const QObject &object);
// The context of the widget or of the nearest enclosing widget that has one;
// 0 when none has.
int HelpContextOf(const QWidget *widget);
