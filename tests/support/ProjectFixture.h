// A fixture for tests of the project object: the program's folders in a
// temporary folder, a fake host, and a fresh Proj.
#pragma once

#include "FakeHost.h"
#include "FileSystem.h"
#include "ProjU.h"
#include "UtilsU.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class ProjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitAppFolders(FilePathBytes(FDir.path()));
        FProj = std::make_unique<TProj>();
        Proj = FProj.get();
    }
    void TearDown() override { Proj = nullptr; }

    TProj &P() { return *FProj; }

    std::string ProjectPath(const char *name) const { return ProjectsDir + name; }

    static std::vector<uint8_t> FileBytes(const std::string &name)
    {
        QFile file(QtFilePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QByteArray all = file.readAll();
        return std::vector<uint8_t>(all.begin(), all.end());
    }
    static void WriteFile(const std::string &name, const std::vector<uint8_t> &bytes)
    {
        QFile file(QtFilePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size()));
    }

    QTemporaryDir FDir;
    TFakeHost FHost;
    std::unique_ptr<TProj> FProj;
};
