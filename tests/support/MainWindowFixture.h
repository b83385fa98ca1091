// A fixture for widget tests of the main window and the forms it reaches:
// the program's folders in a temporary folder, scripted message boxes and
// modal questions, the stand-in browser, and the forms made as at start-up.
// Nothing is shown until a test shows the window.
#pragma once

#include "ActionList.h"
#include "Browser.h"
#include "CommandIcons.h"
#include "FileSystem.h"
#include "Forms.h"
#include "MainU.h"
#include "ProjU.h"
#include "ScriptedCommonDialogs.h"
#include "ScriptedMessageBoxes.h"
#include "StubBrowser.h"
#include "UtilsU.h"

#include <QAction>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        InitAppFolders(FilePathBytes(FDir.path()));
        SetBrowserFactory([](QWidget *parent) { return new TStubBrowser(parent); });
        ChooseIconTheme();
        CreateForms();
    }
    void TearDown() override
    {
        FreeForms();
        SetBrowserFactory({});
    }

    TMainF &Main() const { return *MainF; }
    QAction &Action(const char *name) const { return Main().Actions()[name]; }
    TStubBrowser &Browser() const { return static_cast<TStubBrowser &>(Main().Browser()); }

    // Runs a command as the user would, through its action.
    void Run(const char *name) const { Action(name).trigger(); }

    QTemporaryDir FDir;
    TScriptedMessageBoxes FBoxes;
    TScriptedCommonDialogs FDialogs;
};
