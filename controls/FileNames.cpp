#include "FileNames.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {
constexpr int NameMax = 255;  // bytes of one part of a path
}

bool IsExistingDir(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool IsValidFileName(const QString &name)
{
    if (name.isEmpty() || name.contains(QChar(0)) || name.contains(QLatin1Char('"')))
        return false;
    const QStringList parts = name.split(QLatin1Char('/'));
    return std::all_of(parts.begin(), parts.end(),
                       [](const QString &part) { return QFile::encodeName(part).size() <= NameMax; });
}
