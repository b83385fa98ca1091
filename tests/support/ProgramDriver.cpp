#include "ProgramDriver.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <csignal>
#include <unistd.h>

namespace {

quint16 FreePort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

// One HTTP GET to the DevTools server; the body, empty on failure. The
// server names its WebSocket addresses after the Host header.
QByteArray HttpGet(quint16 port, const QByteArray &path)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(1000))
        return {};
    socket.write("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) + "\r\n\r\n");
    QByteArray reply;
    for (;;) {
        const qsizetype head = reply.indexOf("\r\n\r\n");
        if (head >= 0) {
            const QByteArray lengthKey = "Content-Length:";
            const qsizetype at = reply.indexOf(lengthKey);
            const qsizetype length =
                at < 0 ? 0 : reply.mid(at + lengthKey.size(), reply.indexOf("\r\n", at) - at - lengthKey.size()).trimmed().toLongLong();
            if (reply.size() >= head + 4 + length)
                return reply.mid(head + 4, length);
        }
        if (!socket.waitForReadyRead(3000))
            return {};
        reply += socket.readAll();
    }
}

// A minimal WebSocket client for one DevTools request and its answer.
class TDevToolsSocket {
public:
    bool Open(const QUrl &url)
    {
        FSocket.connectToHost(url.host(), quint16(url.port()));
        if (!FSocket.waitForConnected(1000))
            return false;
        FSocket.write("GET " + url.path().toUtf8() +
                      " HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                      "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
        QByteArray head;
        while (!head.contains("\r\n\r\n") && FSocket.waitForReadyRead(2000))
            head += FSocket.readAll();
        const int end = head.indexOf("\r\n\r\n");
        if (!head.startsWith("HTTP/1.1 101") || end < 0)
            return false;
        FPending = head.mid(end + 4);
        return true;
    }

    void SendText(const QByteArray &text)
    {
        QByteArray frame;
        frame.append(char(0x81));
        const quint64 n = quint64(text.size());
        if (n < 126) {
            frame.append(char(0x80 | n));
        } else {
            frame.append(char(0x80 | 126));
            frame.append(char(n >> 8)).append(char(n & 0xFF));
        }
        const quint32 mask = QRandomGenerator::global()->generate();
        const char key[4] = {char(mask), char(mask >> 8), char(mask >> 16), char(mask >> 24)};
        frame.append(key, 4);
        for (qsizetype i = 0; i < text.size(); ++i)
            frame.append(char(text[i] ^ key[i % 4]));
        FSocket.write(frame);
        FSocket.flush();
    }

    // The next text message, empty when none came in time.
    QByteArray ReceiveText()
    {
        for (;;) {
            if (auto message = TakeFrame())
                return *message;
            if (!FSocket.waitForReadyRead(3000))
                return {};
            FPending += FSocket.readAll();
        }
    }

private:
    std::optional<QByteArray> TakeFrame()
    {
        if (FPending.size() < 2)
            return std::nullopt;
        quint64 length = quint8(FPending[1]) & 0x7F;
        int at = 2;
        if (length == 126) {
            if (FPending.size() < 4)
                return std::nullopt;
            length = (quint64(quint8(FPending[2])) << 8) | quint8(FPending[3]);
            at = 4;
        } else if (length == 127) {
            if (FPending.size() < 10)
                return std::nullopt;
            length = 0;
            for (int i = 2; i < 10; ++i)
                length = (length << 8) | quint8(FPending[i]);
            at = 10;
        }
        if (quint64(FPending.size()) < at + length)
            return std::nullopt;
        QByteArray payload = FPending.mid(at, qsizetype(length));
        FPending.remove(0, at + qsizetype(length));
        return payload;
    }

    QTcpSocket FSocket;
    QByteArray FPending;
};

constexpr char PageQuestion[] =
    "JSON.stringify({url: location.href, state: document.readyState, images: document.images.length,"
    " loaded: Array.from(document.images).filter(i => i.complete && i.naturalWidth > 0).length})";

// The child of xvfb-run that runs the program (not its X server, not xauth);
// 0 while there is none yet.
qint64 ProgramUnder(qint64 xvfbRun, const QString &program)
{
    const QByteArray comm = QFileInfo(program).fileName().left(15).toLocal8Bit();
    QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(xvfbRun));
    if (!children.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &child : children.readAll().trimmed().split(' ')) {
        QFile name("/proc/" + child + "/comm");
        if (!child.isEmpty() && name.open(QIODevice::ReadOnly) && name.readAll().trimmed() == comm)
            return child.toLongLong();
    }
    return 0;
}

// QtWebEngine deletes one of its objects at exit through a pointer to a
// smaller type. AddressSanitizer can ignore that report only by switching its
// new/delete size check off for the whole process, so the sanitizer build
// switches it off for the program under test alone: the tests' own processes
// keep it.
void AllowWebEngineDeleteSizes(QProcessEnvironment &env)
{
#if defined(__SANITIZE_ADDRESS__)
    const QString options = env.value(QStringLiteral("ASAN_OPTIONS"));
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               options + (options.isEmpty() ? "" : ":") + QStringLiteral("new_delete_type_mismatch=0"));
#else
    (void)env;
#endif
}

}  // namespace

TXvfb::TXvfb()
{
    // The server picks a free display and writes its number to fd 1.
    FServer.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    if (!FServer.waitForStarted(5000))
        return;
    QByteArray number;
    while (!number.contains('\n') && FServer.waitForReadyRead(10000))
        number += FServer.readAllStandardOutput();
    if (!number.trimmed().isEmpty())
        FDisplay = ':' + QString::fromLatin1(number.trimmed());
}

TXvfb::~TXvfb()
{
    FServer.terminate();
    if (!FServer.waitForFinished(5000))
        FServer.kill();
    FServer.waitForFinished();
}

TRunningProgram::TRunningProgram(const QString &program, const QStringList &arguments, const QString &display)
    : FPort(FreePort())
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("QTWEBENGINE_REMOTE_DEBUGGING"), QStringLiteral("127.0.0.1:%1").arg(FPort));
    AllowWebEngineDeleteSizes(env);
    FProcess.setProcessChannelMode(QProcess::MergedChannels);
    // A group of its own, so a program that does not end is killed with
    // everything it started.
    FProcess.setChildProcessModifier([] { ::setsid(); });
    if (display.isEmpty()) {
        FProcess.setProcessEnvironment(env);
        FProcess.start(QStringLiteral("xvfb-run"), QStringList{"-a", program} + arguments);
    } else {
        env.insert(QStringLiteral("DISPLAY"), display);
        FProcess.setProcessEnvironment(env);
        FProcess.start(program, arguments);
    }
    if (!FProcess.waitForStarted(10000))
        return;
    FPid = FProcess.processId();
    if (display.isEmpty()) {
        // xvfb-run starts its server first and the program after it.
        const qint64 xvfbRun = FPid;
        QElapsedTimer waited;
        waited.start();
        while ((FPid = ProgramUnder(xvfbRun, program)) == 0 && waited.elapsed() < 20000)
            QThread::msleep(20);
    }
}

TRunningProgram::~TRunningProgram()
{
    if (Running())
        Terminate(5000);
}

bool TRunningProgram::Running() const { return FProcess.state() != QProcess::NotRunning; }

std::optional<TPageState> TRunningProgram::AskPage()
{
    const QJsonArray pages = QJsonDocument::fromJson(HttpGet(FPort, "/json/list")).array();
    for (const QJsonValue &page : pages) {
        if (page["type"].toString() != "page")
            continue;
        TDevToolsSocket socket;
        if (!socket.Open(QUrl(page["webSocketDebuggerUrl"].toString())))
            return std::nullopt;
        QJsonObject params{{"expression", PageQuestion}, {"returnByValue", true}};
        socket.SendText(QJsonDocument(QJsonObject{{"id", 1}, {"method", "Runtime.evaluate"}, {"params", params}})
                            .toJson(QJsonDocument::Compact));
        for (QByteArray message = socket.ReceiveText(); !message.isEmpty(); message = socket.ReceiveText()) {
            const QJsonObject answer = QJsonDocument::fromJson(message).object();
            if (answer["id"].toInt() != 1)
                continue;
            const QJsonObject state =
                QJsonDocument::fromJson(answer["result"]["result"]["value"].toString().toUtf8()).object();
            return TPageState{QUrl(state["url"].toString()), state["state"].toString(), state["images"].toInt(),
                              state["loaded"].toInt()};
        }
    }
    return std::nullopt;
}

std::optional<TPageState> TRunningProgram::WaitForPage(const QUrl &url, int timeoutMs)
{
    QElapsedTimer waited;
    waited.start();
    std::optional<TPageState> last;
    while (waited.elapsed() < timeoutMs && Running()) {
        if (auto state = AskPage()) {
            last = state;
            if (state->Url == url && state->LoadedWhole())
                return last;
        }
        QThread::msleep(5);
    }
    return last;
}

int TRunningProgram::Terminate(int timeoutMs)
{
    Signal(SIGTERM);
    return WaitForEnd(timeoutMs);
}

void TRunningProgram::Signal(int signal)
{
    if (FPid > 0)
        ::kill(pid_t(FPid), signal);
}

int TRunningProgram::WaitForEnd(int timeoutMs, const std::function<void()> &meanwhile)
{
    QElapsedTimer waited;
    waited.start();
    while (Running() && !FProcess.waitForFinished(100) && waited.elapsed() < timeoutMs) {
        if (meanwhile)
            meanwhile();
    }
    if (!Running())
        return FPid > 0 && FProcess.exitStatus() == QProcess::NormalExit ? FProcess.exitCode() : -1;
    ::kill(-pid_t(FProcess.processId()), SIGKILL);
    FProcess.waitForFinished();
    return -1;
}

QByteArray TRunningProgram::Output() { return FProcess.readAll(); }
