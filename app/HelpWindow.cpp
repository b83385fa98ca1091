#include "HelpWindow.h"

#include "HelpContext.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

static void LoadGuideResource() { Q_INIT_RESOURCE(help); }

THelp::THelp(QWidget &owner) : QObject(&owner), FOwner(owner)
{
    LoadGuideResource();
    qApp->installEventFilter(this);
}

THelp::~THelp() { qApp->removeEventFilter(this); }

QUrl THelp::ContextUrl(int context)
{
    QUrl url(QStringLiteral("qrc:/help/guide.html"));
    if (context > 0)
        url.setFragment(QStringLiteral("context-%1").arg(context));
    return url;
}

QWidget &THelp::HelpParent() const
{
    QWidget *modal = QApplication::activeModalWidget();
    return modal ? *modal : FOwner;
}

void THelp::MakeWindow(QWidget &parent)
{
    FBrowser = new QTextBrowser(&parent);
    FBrowser->setWindowFlag(Qt::Window);
    FBrowser->setObjectName(QStringLiteral("HelpWindow"));
    FBrowser->setWindowTitle(QStringLiteral("Bright Lane Help"));
    FBrowser->setOpenExternalLinks(true);
    FBrowser->resize(640, 560);
    auto *close = new QAction(FBrowser);
    close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    connect(close, &QAction::triggered, FBrowser, &QWidget::close);
    FBrowser->addAction(close);
}

void THelp::Show(int context)
{
    QWidget &parent = HelpParent();
    if (!FBrowser)
        MakeWindow(parent);
    else if (FBrowser->parentWidget() != &parent)
        FBrowser->setParent(&parent, FBrowser->windowFlags());
    FBrowser->setSource(ContextUrl(context));
    // A window that was closed, or that moves to another parent, opens over
    // its parent.
    if (FBrowser->isHidden())
        FBrowser->move(parent.frameGeometry().center() - FBrowser->rect().center());
    FBrowser->show();
    FBrowser->raise();
    FBrowser->activateWindow();
}

int THelp::ContextOfKey(QWidget &target) const
{
    if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget()))
        if (const QAction *command = menu->activeAction())
            if (const int context = OwnHelpContext(*command); context > 0) {
                while (QWidget *popup = QApplication::activePopupWidget())
                    popup->close();
                return context;
            }
    QWidget *focus = QApplication::focusWidget();
    return HelpContextOf(focus ? focus : &target);
}

void THelp::LeaveClosingParent(QWidget &closing)
{
    QWidget *under = closing.parentWidget() ? closing.parentWidget()->window() : &FOwner;
    const QRect place = FBrowser->geometry();
    FBrowser->setParent(under, FBrowser->windowFlags());
    FBrowser->setGeometry(place);
    FBrowser->show();
}

bool THelp::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1 &&
        watched->isWidgetType()) {
        Show(ContextOfKey(*static_cast<QWidget *>(watched)));
        return true;
    }
    // A window manager hides a minimized dialog itself: the help window
    // goes with it then.
    if (event->type() == QEvent::Hide && !event->spontaneous() && FBrowser && FBrowser->isVisible() &&
        watched == FBrowser->parentWidget() && watched != &FOwner)
        LeaveClosingParent(*FBrowser->parentWidget());
    return QObject::eventFilter(watched, event);
}
