#include "Codepage.h"

#include "FileSystem.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr const char *CodePageName = "windows-1251";
}

QString FromAnsi(const std::string &bytes)
{
    QStringDecoder decoder(CodePageName);
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::string ToAnsi(const QString &text)
{
    QStringEncoder encoder(CodePageName, QStringEncoder::Flag::Default);
    const QByteArray bytes = encoder.encode(text);
    return std::string(bytes.constData(), size_t(bytes.size()));
}

QString FromDisplayText(const TDisplayText &text)
{
    QString shown;
    for (const TDisplaySpan &span : text.Spans())
        shown += span.FromSystem ? QtFilePath(span.Bytes) : FromAnsi(span.Bytes);
    return shown;
}
