#include "QuotedNames.h"

#include "FileSystem.h"

QString Unquoted(const QString &name)
{
    const bool quoted = name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"'));
    return quoted ? name.mid(1, name.size() - 2) : name;
}

bool HasQuoteInside(const QString &name) { return Unquoted(name).contains(QLatin1Char('"')); }

TDisplayText InvalidFileNameText(const QString &name)
{
    return "Invalid file name - " + SystemText(FilePathBytes(name));
}
