// Screenshots of the windows that widget tests drove, so anyone can look at
// them after a test run: build/test/screens/<form>-<case>.png.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QWidget>

// The layouts still pending are done first (a scroll bar that the last
// change called for, say), so the picture shows what the user sees once the
// event loop comes round; nothing else is run.
inline void SaveScreen(QWidget &widget, const QString &name)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QString folder = QStringLiteral(BL_SCREENS_DIR);
    QDir().mkpath(folder);
    widget.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}
