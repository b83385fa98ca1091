#include "HelpWindow.h"

#include "HelpContext.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>

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

bool THelp::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1 &&
        watched->isWidgetType()) {
        QWidget *focus = QApplication::focusWidget();
        Show(HelpContextOf(focus ? focus : static_cast<QWidget *>(watched)));
        return true;
    }
    return QObject::eventFilter(watched, event);
}
