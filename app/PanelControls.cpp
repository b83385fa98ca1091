#include "PanelControls.h"

#include "Codepage.h"
#include "KitSpin.h"
#include "LangSupU.h"
#include "VerticalScroller.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

QLabel *Label(const char *text, int tag)
{
    auto *label = new QLabel(QString::fromLatin1(text));
    SetTag(*label, tag);
    return label;
}

QLabel *Heading(const char *text, int tag)
{
    QLabel *label = Label(text, tag);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

void FillInterfaceList(QComboBox &combo, int firstCode, int count, int index)
{
    const QSignalBlocker blocker(combo);
    const int shown = combo.currentIndex();
    const QString text = combo.currentText();
    const bool typed = combo.isEditable() && shown >= 0 && text != combo.itemText(shown);
    combo.clear();
    for (int code = firstCode; code < firstCode + count; ++code)
        combo.addItem(FromAnsi(Lang->GetInterfaceString(code)));
    combo.setCurrentIndex(shown >= 0 && shown < count ? shown : index);
    if (typed)
        combo.setEditText(text);
}

TKitSpinEdit *IntegerSpin(const char *name, int min, int max, int value)
{
    auto *spin = Named(new TKitSpinEdit, name);
    spin->SetRange(min, max);
    spin->SetValue(value);
    return spin;
}

QFormLayout *FormLayout(QWidget *page)
{
    auto *form = new QFormLayout(page);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignLeft);
    return form;
}

QWidget *ScrollingPage(QWidget *panel)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(VerticalScroller(page));
    return page;
}

QWidget *InLine(std::initializer_list<QWidget *> widgets, QWidget *stretched)
{
    auto *line = new QWidget;
    auto *layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget *widget : widgets)
        layout->addWidget(widget, widget == stretched ? 1 : 0);
    return line;
}

QFormLayout *StackedFormLayout(QWidget *page)
{
    QFormLayout *form = FormLayout(page);
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    return form;
}

void TClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

QWidget *WrappingCheckBox(QCheckBox *box, const char *text, int tag)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box, 0, Qt::AlignTop);
    auto *caption = new TClickLabel(QString::fromLatin1(text));
    caption->setWordWrap(true);
    SetTag(*caption, tag);
    layout->addWidget(caption, 1);
    QObject::connect(caption, &TClickLabel::clicked, box, &QCheckBox::click);
    return row;
}
