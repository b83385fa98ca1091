#include "AboutBox.h"

#include "FormTranslation.h"
#include "HelpContext.h"
#include "KitLabel.h"
#include "LangSupU.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAboutF *AboutF = nullptr;

namespace {

QLabel *PlainLabel(const char *text, QWidget *parent)
{
    auto *label = new QLabel(QString::fromLatin1(text), parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

TAboutF::TAboutF(QWidget *parent)
    : QDialog(parent), KitLabel2(new TKitLabel), BitBtn1(new QPushButton(QStringLiteral("Ok")))
{
    setObjectName(QStringLiteral("AboutF"));
    setWindowTitle(QStringLiteral("About"));
    SetTag(*this, 1);
    SetHelpContext(*this, 8);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    KitLabel2->setParent(panel);
    KitLabel2->setObjectName(QStringLiteral("KitLabel2"));
    KitLabel2->SetCaption(QStringLiteral("Bright Lane v1.0"));
    KitLabel2->SetShadowSize(0);
    QFont font = KitLabel2->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    KitLabel2->setFont(font);
    KitLabel2->SetFontColor(palette().color(QPalette::Highlight));
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(KitLabel2, 0, Qt::AlignHCenter);
    panelLayout->addWidget(PlainLabel("Three-dimensional buttons for web-page menus", panel));
    panelLayout->addWidget(PlainLabel("Made with Qt and OpenGL", panel));

    BitBtn1->setParent(this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    SetTag(*BitBtn1, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(BitBtn1, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(KitLabel2, &TKitLabel::MouseEnter, this, &TAboutF::KitLabel1MouseEnter);
    connect(KitLabel2, &TKitLabel::MouseLeave, this, &TAboutF::KitLabel1MouseEnter);
    TranslateForm(*this, *Lang);
}

void TAboutF::KitLabel1MouseEnter()
{
    const bool over = KitLabel2->MouseInControl();
    KitLabel2->setCursor(over ? Qt::PointingHandCursor : Qt::ArrowCursor);
    KitLabel2->SetFontColor(over ? QColor(0, 0, 255) : palette().color(QPalette::Highlight));
}
