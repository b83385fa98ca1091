// A fixture for tests of the project object: the program's folders in a
// temporary folder, a fake host, and a fresh Proj.
#pragma once

#include "FakeHost.h"
#include "FileSystem.h"
#include "ProjU.h"
#include "StreamBytes.h"
#include "UtilsU.h"

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

    static void WriteFile(const std::string &name, const std::vector<uint8_t> &bytes)
    {
        ASSERT_TRUE(WriteFileBytes(name, bytes));
    }

    QTemporaryDir FDir;
    TFakeHost FHost;
    std::unique_ptr<TProj> FProj;
};
