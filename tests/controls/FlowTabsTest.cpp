#include "FlowTabs.h"
#include "Screens.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

TEST(FlowTabs, TabsWrapIntoRowsWithEveryCaptionWhole)
{
    TFlowTabs tabs;
    for (const char *caption : {"Text", "Shape", "Deformation", "Material", "Light", "Texture", "Shadow"})
        tabs.AddPage(new QLabel(QString::fromLatin1(caption)), QString::fromLatin1(caption));
    for (const int width : {tabs.minimumSizeHint().width(), 205, 330, 1000}) {
        tabs.resize(width, 300);
        tabs.show();
        QApplication::processEvents();
        QRegion covered;
        for (int i = 0; i < tabs.Count(); ++i) {
            const QToolButton *button = tabs.TabButton(i);
            const QRect place = button->geometry();
            EXPECT_GE(place.width(), button->sizeHint().width()) << width << ": " << i << " is cut";
            EXPECT_LE(place.right(), width - 1) << width << ": " << i;
            EXPECT_FALSE(covered.intersects(place)) << width << ": " << i << " overlaps";
            covered += place;
        }
        if (width == 1000) {
            EXPECT_EQ(tabs.TabButton(6)->y(), tabs.TabButton(0)->y()) << "one row when there is room";
        }
        SaveScreen(tabs, QStringLiteral("FlowTabs-%1").arg(width));
    }
}

TEST(FlowTabs, OnlyTheUsersChoiceIsReported)
{
    TFlowTabs tabs;
    for (const char *caption : {"One", "Two", "Three"})
        tabs.AddPage(new QLabel(QString::fromLatin1(caption)), QString::fromLatin1(caption));
    tabs.show();
    QSignalSpy changed(&tabs, &TFlowTabs::currentChanged);
    tabs.SetCurrentIndex(2);
    EXPECT_EQ(tabs.CurrentIndex(), 2);
    EXPECT_TRUE(tabs.TabButton(2)->isChecked());
    EXPECT_EQ(changed.count(), 0);
    QTest::mouseClick(tabs.TabButton(1), Qt::LeftButton);
    EXPECT_EQ(tabs.CurrentIndex(), 1);
    EXPECT_TRUE(tabs.Page(1)->isVisible());
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.front().front().toInt(), 1);
}
