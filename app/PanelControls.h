// Small builders shared by the property panels: tagged labels, named
// controls, integer spin edits and the form layout that the narrow panels
// use.
#pragma once

#include "FormTranslation.h"

#include <QLabel>
#include <QString>

#include <initializer_list>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QWidget;
class TKitSpinEdit;

// A label with its built-in text, translated by its tag.
QLabel *Label(const char *text, int tag);
// A bold label that heads a group of rows.
QLabel *Heading(const char *text, int tag);

// The control with its object name and, when given, its tag.
template <typename Control>
Control *Named(Control *control, const char *name, int tag = 0)
{
    control->setObjectName(QLatin1String(name));
    if (tag)
        SetTag(*control, tag);
    return control;
}

// Fills a drop-down list with the interface strings from firstCode on; a
// list that shows a choice keeps showing it in the new texts (a typed text
// too), an empty one starts at the given entry. Raises no change event.
void FillInterfaceList(QComboBox &combo, int firstCode, int count, int index);

// An integer spin edit within min..max (no bounds when they are equal).
TKitSpinEdit *IntegerSpin(const char *name, int min, int max, int value);

// Labels on the left, fields growing to the right.
QFormLayout *FormLayout(QWidget *page);
// The page that the panel's controls go on: it fills the panel and scrolls
// when the panel is shorter than the controls need.
QWidget *ScrollingPage(QWidget *panel);
// The widgets side by side on one line, the stretched one taking the room
// left over.
QWidget *InLine(std::initializer_list<QWidget *> widgets, QWidget *stretched);
// Each label above its field, for panels whose fields need the whole width.
QFormLayout *StackedFormLayout(QWidget *page);

// A label that reports a click, so that it can stand for a control.
class TClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// The check box beside a caption that wraps onto further lines in a narrow
// panel; a click on the caption toggles the box. The caption carries the tag.
QWidget *WrappingCheckBox(QCheckBox *box, const char *text, int tag);
