// Program entry: the Qt application, the program's folders and, later, the
// main window.
#include "NotImplemented.h"
#include "UtilsU.h"

#include <QApplication>
#include <unistd.h>

int main(int argc, char **argv)
{
    // The embedded browser's sandbox refuses to start for the root user.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bright Lane"));
    InstallNotImplementedBox();
    InitAppFolders(ExecutableDir());
    return 0;
}
