// Program entry: the application object, the program's folders, the forms,
// and the message loop until the main window closes.
#include "CommandIcons.h"
#include "Forms.h"
#include "MainU.h"
#include "TerminationSignals.h"
#include "UtilsU.h"

#include <QApplication>
#include <QLoggingCategory>
#include <unistd.h>

int main(int argc, char **argv)
{
    // The embedded browser shares OpenGL with the window system's contexts,
    // needs no GPU and refuses its sandbox to the root user.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --disable-gpu");
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    // The browser's start-up report is for its own developers.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    QApplication::setApplicationName(QStringLiteral("Bright Lane"));
    ChooseIconTheme();
    InitAppFolders(ExecutableDir());

    CreateForms();
    // The arguments stay bytes: a file name that is not UTF-8 names its file.
    MainF->CommandLine.assign(argv, argv + argc);
    TTerminationSignals ending(*MainF);
    MainF->show();
    const int result = ending.Exec();
    FreeForms();
    return result;
}
