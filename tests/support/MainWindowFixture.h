// A fixture for widget tests of the main window and the forms it reaches:
// the program's folders in a temporary folder, scripted message boxes and
// modal questions (all of which must have been asked by the end of the
// test), the stand-in browser, and the forms made as at start-up. Nothing is
// shown until a test shows the window.
#pragma once

#include "ActionList.h"
#include "Browser.h"
#include "CommandIcons.h"
#include "FileSystem.h"
#include "Forms.h"
#include "MainU.h"
#include "NameDialogs.h"
#include "ParamU.h"
#include "ProjU.h"
#include "ProjectTree.h"
#include "QStringPrinter.h"
#include "ScriptedCommonDialogs.h"
#include "ScriptedMessageBoxes.h"
#include "StubBrowser.h"
#include "UtilsU.h"

#include <QAction>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
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
        Main().CommandLine = {"brightlane"};
    }
    void TearDown() override
    {
        EXPECT_TRUE(FDialogs.AllAnswered()) << "a scripted answer was never asked for";
        FreeForms();
        SetBrowserFactory({});
        AppParam() = TParam();
    }

    TMainF &Main() const { return *MainF; }
    QAction &Action(const char *name) const { return Main().Actions()[name]; }
    TStubBrowser &Browser() const { return static_cast<TStubBrowser &>(Main().Browser()); }
    TProjectTree &Tree() const { return Main().Tree(); }
    int Enabled() const { return Main().Actions().EnabledCount(); }

    // Runs a command as the user would, through its action.
    void Run(const char *name) const { Action(name).trigger(); }

    // The next name dialog gets this name typed and OK (or Cancel) clicked.
    void AnswerName(const QString &name, bool ok = true)
    {
        FDialogs.AnswerForm([name, ok](QDialog &dialog) {
            static_cast<TNameDialog &>(dialog).SetName(name);
            dialog.findChild<QPushButton *>(ok ? "BitBtn1" : "BitBtn2")->click();
        });
    }

    // A new project with buttons of these names, the last one's normal state
    // selected.
    void NewProjectWith(const QStringList &names)
    {
        Run("NewProject");
        for (const QString &name : names) {
            AnswerName(name);
            Run("NewButton");
        }
    }

    // A left click on a node, as the user gives it.
    void Click(QTreeWidgetItem *node) const
    {
        QTreeWidget &view = Tree().View();
        view.scrollToItem(node);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualItemRect(node).center());
    }
    // The node of button b, or of its state s.
    QTreeWidgetItem *Node(int b, int s = -1) const
    {
        QTreeWidgetItem *button = Tree().RootNode()->child(b);
        return s < 0 ? button : button->child(s);
    }

    QTemporaryDir FDir;
    TScriptedMessageBoxes FBoxes;
    TScriptedCommonDialogs FDialogs;
};
