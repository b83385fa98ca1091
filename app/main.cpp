// Program entry: the Qt application and, later, the main window.
#include <QApplication>
#include <unistd.h>

int main(int argc, char **argv)
{
    // The embedded browser's sandbox refuses to start for the root user.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bright Lane"));
    return 0;
}
