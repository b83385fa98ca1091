// A fixture for widget tests of the windows: the project fixture (folders in
// a temporary folder, a fake host, a fresh Proj) with default settings, the
// built-in texts and scripted modal questions, all of which must have been
// asked by the end of the test.
#pragma once

#include "LangSupU.h"
#include "ParamU.h"
#include "ProjectFixture.h"
#include "ScriptedCommonDialogs.h"
#include "ScriptedMessageBoxes.h"

class WindowTest : public ProjectTest {
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        AppParam() = TParam();
        Lang = std::make_unique<TLanguage>();
    }
    void TearDown() override
    {
        EXPECT_TRUE(Dialogs.AllAnswered()) << "a scripted answer was never asked for";
        AppParam() = TParam();
        Lang = std::make_unique<TLanguage>();
        ProjectTest::TearDown();
    }

    // A file of the given text.
    static void WriteText(const std::string &name, const std::string &text)
    {
        WriteFile(name, std::vector<uint8_t>(text.begin(), text.end()));
    }

    TScriptedCommonDialogs Dialogs;
    TScriptedMessageBoxes Boxes;
};
