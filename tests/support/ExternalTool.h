// Running independent command-line tools (image decoders, validators) from
// tests, and skipping a test with a clear message when a tool is missing.
#pragma once

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

struct ToolResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Full path of an executable found on PATH, or empty.
QString FindTool(const QString &name);

// Runs a program with arguments and optional standard input; waits at most
// timeoutMs. A program that cannot start gives exit code -1.
ToolResult RunTool(const QString &program, const QStringList &args,
                   const QByteArray &input = {}, int timeoutMs = 60000);

#define SKIP_WITHOUT_TOOL(name)                                                      \
    do {                                                                             \
        if (FindTool(name).isEmpty())                                                \
            GTEST_SKIP() << "skipped: the tool " << name << " is not installed";     \
    } while (0)

// The source tree, for files checked in beside the tests (fuzz seeds, the
// browser script); files a test makes go into a QTemporaryDir instead.
inline QString SourceDir() { return QStringLiteral(BL_SOURCE_DIR); }
