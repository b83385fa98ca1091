#include "NameDialogs.h"

#include "AnsiText.h"
#include "Codepage.h"
#include "FormTranslation.h"
#include "HelpContext.h"
#include "LangSupU.h"
#include "ProjU.h"
#include "ProjectTextField.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

TButtonF *ButtonF = nullptr;
TTempF *TempF = nullptr;

namespace {

// The longest name the user may type; a longer name put in by the caller
// (a project file can hold one) is kept whole.
constexpr int TypedNameLength = 50;

QPushButton *DialogButton(const char *name, const char *text, int tag, QWidget *parent)
{
    auto *button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    SetTag(*button, tag);
    return button;
}

QString NumberedProposal(int textCode, int number)
{
    return FromAnsi(Lang->GetInterfaceString(textCode)) + QStringLiteral(" - ") + QString::number(number);
}

}  // namespace

// Names are kept as the program's 8-bit text, and trimmed as such.
QString TrimmedName(const QString &text) { return FromAnsi(TrimBlanks(ToAnsi(text))); }

TNameDialog::TNameDialog(const char *objectName, const char *caption, const char *prompt, int helpContext,
                         QWidget *parent)
    : QDialog(parent), Label1(new QLabel(QString::fromLatin1(prompt), this)), ComboBox1(new QComboBox(this)),
      BitBtn1(DialogButton("BitBtn1", "Ok", 3, this)), BitBtn2(DialogButton("BitBtn2", "Cancel", 4, this))
{
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QString::fromLatin1(caption));
    SetTag(*this, 1);
    SetTag(*Label1, 2);
    SetHelpContext(*this, helpContext);
    Label1->setObjectName(QStringLiteral("Label1"));
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->lineEdit()->setMaxLength(TypedNameLength);
    TakeProjectText(*ComboBox1->lineEdit());
    Label1->setBuddy(ComboBox1);
    BitBtn1->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto *layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(ComboBox1, 1, 0);
    layout->addLayout(buttons, 2, 0);
    ComboBox1->setMinimumWidth(330);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(BitBtn1, &QPushButton::clicked, this, &TNameDialog::OkClick);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    TranslateForm(*this, *Lang);
}

void TNameDialog::SetName(const QString &name)
{
    ComboBox1->lineEdit()->setMaxLength(std::max(TypedNameLength, int(name.size())));
    ShowProjectText(*ComboBox1->lineEdit(), name);
}

QString TNameDialog::Name() const { return ComboBox1->currentText(); }

QStringList TNameDialog::History() const
{
    QStringList names;
    for (int i = 0; i < ComboBox1->count(); ++i)
        names.push_back(ComboBox1->itemText(i));
    return names;
}

void TNameDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!FRename)
        SetName(Proposal());
    ComboBox1->lineEdit()->selectAll();
    ComboBox1->setFocus();
}

void TNameDialog::OkClick()
{
    const QString name = TrimmedName(ComboBox1->currentText());
    ComboBox1->insertItem(0, name);
    if (ComboBox1->count() > NameHistorySize)
        ComboBox1->removeItem(NameHistorySize);
    ComboBox1->setCurrentIndex(-1);
    ShowProjectText(*ComboBox1->lineEdit(), name);
    accept();
}

TButtonF::TButtonF(QWidget *parent)
    : TNameDialog("ButtonF", "Button's name", "Enter button's name", 3, parent)
{
}

QString TButtonF::Proposal() const { return NumberedProposal(0, Proj ? Proj->NextButtonNo : 1); }

TTempF::TTempF(QWidget *parent)
    : TNameDialog("TempF", "Template's name", "Enter template's name", 4, parent)
{
}

QString TTempF::Proposal() const { return NumberedProposal(10, Proj ? Proj->NextTemplateButtonNo : 1); }
