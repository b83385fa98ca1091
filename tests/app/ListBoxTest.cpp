#include "ListBox.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

// Only the user clicks: code that fills and selects stays quiet.
TEST(ListBox, ClickComesFromMouseAndKeyboardMovesOnly)
{
    TListBox list;
    list.addItems({"a", "b", "c"});
    list.show();
    QSignalSpy clicks(&list, &TListBox::Click);
    list.SetItemIndex(1);
    EXPECT_EQ(list.ItemIndex(), 1);
    list.SetItemIndex(7);
    EXPECT_EQ(list.ItemIndex(), -1);
    EXPECT_EQ(clicks.count(), 0);

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(2)).center());
    EXPECT_EQ(list.ItemIndex(), 2);
    EXPECT_EQ(clicks.count(), 1);
    QTest::keyClick(&list, Qt::Key_Up);
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(clicks.count(), 2);
    QTest::keyClick(&list, Qt::Key_Home);
    QTest::keyClick(&list, Qt::Key_Up);  // already at the top: no move
    EXPECT_EQ(list.ItemIndex(), 0);
    EXPECT_EQ(clicks.count(), 3);
}
