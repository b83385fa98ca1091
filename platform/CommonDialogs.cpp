#include "CommonDialogs.h"

#include "QtCommonDialogs.h"

#include <QStringList>

namespace {
ICommonDialogs *InstalledService = nullptr;

// "*.jpg; *.jpeg" in Qt's spelling: patterns separated by blanks.
QString QtPatterns(const QString &patterns)
{
    QStringList list = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString &pattern : list)
        pattern = pattern.trimmed();
    list.removeAll(QString());
    return list.join(QLatin1Char(' '));
}

// The shown text with its own pattern list, if it has one, in Qt's spelling.
QString QtFilterText(const QString &text, const QString &patterns)
{
    const qsizetype open = text.lastIndexOf(QLatin1Char('('));
    const QString label = (open >= 0 ? text.left(open) : text).trimmed();
    return label + QStringLiteral(" (") + QtPatterns(patterns) + QLatin1Char(')');
}
}  // namespace

ICommonDialogs &CommonDialogs()
{
    static TQtCommonDialogs dialogs;
    return InstalledService ? *InstalledService : dialogs;
}

ICommonDialogs *SetCommonDialogs(ICommonDialogs *service)
{
    ICommonDialogs *previous = InstalledService;
    InstalledService = service;
    return previous;
}

QString QtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << QtFilterText(parts[i], parts[i + 1]);
    return filters.join(QStringLiteral(";;"));
}
