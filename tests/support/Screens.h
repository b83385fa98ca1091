// Screenshots of the windows that widget tests drove, so anyone can look at
// them after a test run: build/test/screens/<form>-<case>.png.
#pragma once

#include <QDir>
#include <QWidget>

inline void SaveScreen(QWidget &widget, const QString &name)
{
    const QString folder = QStringLiteral(BL_SCREENS_DIR);
    QDir().mkpath(folder);
    widget.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}
