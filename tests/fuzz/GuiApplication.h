// Fuzz targets that render captions need fonts, so a Qt GUI application on
// the offscreen platform. It lives to the end of the process: Qt's own
// clean-up at exit must not run after it.
#pragma once

#include <QGuiApplication>

inline void StartGuiApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication *application = new QGuiApplication(argc, argv);
    (void)application;
}
