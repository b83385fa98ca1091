#include "PropertyPanels.h"

#include "ProjU.h"
#include "FlowTabs.h"
#include "StockControls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QToolButton>

namespace {

constexpr const char *PanelNames[] = {"PropFr1", "PropFr2", "PropFr3"};

QToolButton *StepButton(Qt::ArrowType arrow, const char *name, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(arrow);
    button->setFixedSize(11, 125);
    button->setAutoRaise(true);
    return button;
}

}  // namespace

TPropertyPanels::TPropertyPanels(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PropPanel"));
    setMinimumWidth(227);
    FPrev = StepButton(Qt::LeftArrow, "PrevProp", this);
    FNext = StepButton(Qt::RightArrow, "NextProp", this);
    FStack = new QWidget(this);
    FStack->setObjectName(QStringLiteral("Panel1"));
    auto *stackLayout = new QGridLayout(FStack);
    stackLayout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 3; ++i) {
        auto *placeholder = new TFrame;
        placeholder->setObjectName(QString::fromLatin1(PanelNames[i]));
        placeholder->setFrameShape(QFrame::StyledPanel);
        SetPanel(TPropPanel(i), placeholder, {});
    }
    // The stepping buttons and the narrowest panel make up the least width.
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FPrev, 0, Qt::AlignVCenter);
    layout->addWidget(FStack, 1);
    layout->addWidget(FNext, 0, Qt::AlignVCenter);
    connect(FPrev, &QToolButton::clicked, this, &TPropertyPanels::PrevPropClick);
    connect(FNext, &QToolButton::clicked, this, &TPropertyPanels::NextPropClick);
}

void TPropertyPanels::SetPanel(TPropPanel which, TFrame *panel, std::function<void()> load)
{
    TPlace &place = FPanels[which];
    const bool on = place.Frame ? place.Frame->isEnabled() : false;
    const bool shown = place.Frame ? !place.Frame->isHidden() : false;
    delete place.Frame;
    place.Frame = panel;
    place.Load = std::move(load);
    panel->setParent(FStack);
    panel->setMinimumWidth(205);
    static_cast<QGridLayout *>(FStack->layout())->addWidget(panel, 0, 0);
    panel->setEnabled(on);
    panel->setVisible(shown);
}

void TPropertyPanels::ShowPanel(TPropPanel which, bool load)
{
    TPlace &place = FPanels[which];
    place.Frame->setEnabled(true);
    place.Frame->show();
    if (load && place.Load)
        place.Load();
}

void TPropertyPanels::HidePanel(TPropPanel which)
{
    FPanels[which].Frame->setEnabled(false);
    FPanels[which].Frame->hide();
}

void TPropertyPanels::ShowDisabled(TPropPanel which)
{
    FPanels[which].Frame->setEnabled(false);
    FPanels[which].Frame->show();
}

bool TPropertyPanels::IsOn(TPropPanel which) const { return FPanels[which].Frame->isEnabled(); }

void TPropertyPanels::PrevPropClick()
{
    if (IsOn(ppState)) {
        HidePanel(ppState);
        ShowPanel(ppButton);
    } else if (IsOn(ppButton)) {
        HidePanel(ppButton);
        ShowPanel(ppProject);
        FPrev->setEnabled(false);
    }
    FNext->setEnabled(true);
}

void TPropertyPanels::NextPropClick()
{
    if (IsOn(ppProject)) {
        if (Proj->CurrentButton()) {
            HidePanel(ppProject);
            ShowPanel(ppButton);
            FPrev->setEnabled(true);
        }
        if (!Proj->CurrentState())
            FNext->setEnabled(false);
    } else if (IsOn(ppButton) && Proj->CurrentState()) {
        HidePanel(ppButton);
        ShowPanel(ppState);
        FNext->setEnabled(false);
        FPrev->setEnabled(true);
    }
}

void TPropertyPanels::ShowStatePage(int page)
{
    HidePanel(ppProject);
    HidePanel(ppButton);
    ShowPanel(ppState, false);
    if (auto *pages = Panel(ppState).findChild<TFlowTabs *>())
        pages->SetCurrentIndex(page);
}
