#include "ExternalTool.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

QString FindTool(const QString &name)
{
    if (name.startsWith('/'))
        return QFile::exists(name) ? name : QString();
    return QStandardPaths::findExecutable(name);
}

ToolResult RunTool(const QString &program, const QStringList &args,
                   const QByteArray &input, int timeoutMs)
{
    ToolResult result;
    QProcess process;
    process.start(program, args);
    if (!process.waitForStarted(timeoutMs))
        return result;
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return result;
}
