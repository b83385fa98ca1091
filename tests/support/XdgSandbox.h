// Points the XDG data and config folders at a fresh temporary folder for the
// lifetime of the object and restores them afterwards.
#pragma once

#include <QByteArray>
#include <QTemporaryDir>
#include <cstdlib>

class TXdgSandbox {
public:
    TXdgSandbox()
        : FOldData(qgetenv("XDG_DATA_HOME")), FOldConfig(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_DATA_HOME", (FDir.path() + "/data").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (FDir.path() + "/config").toLocal8Bit());
    }
    ~TXdgSandbox()
    {
        qputenv("XDG_DATA_HOME", FOldData);
        qputenv("XDG_CONFIG_HOME", FOldConfig);
    }
    TXdgSandbox(const TXdgSandbox &) = delete;
    TXdgSandbox &operator=(const TXdgSandbox &) = delete;

    QString DataHome() const { return FDir.path() + "/data"; }
    QString ConfigHome() const { return FDir.path() + "/config"; }

private:
    QTemporaryDir FDir;
    QByteArray FOldData;
    QByteArray FOldConfig;
};
