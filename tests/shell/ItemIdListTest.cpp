#include "platform/shell/ItemIdList.h"

#include <gtest/gtest.h>

using platform::ItemIdList;
using platform::ItemKind;

namespace {

ItemIdList threeItems()
{
    return ItemIdList::fromItem(ItemKind::Computer, {}).appended(ItemKind::Volume, "/").appended(ItemKind::Entry, "home");
}

TEST(ItemIdList, LayoutIsSizePrefixedItemsEndedByZero)
{
    const ItemIdList list = ItemIdList::fromItem(ItemKind::Entry, "ab");
    const QByteArray expected("\x05\x00" "Fab" "\x00\x00", 7);
    EXPECT_EQ(list.bytes(), expected);
    EXPECT_EQ(list.totalSize(), 7);
    EXPECT_EQ(list.firstItemSize(), 5);
    EXPECT_EQ(ItemIdList::desktop().bytes(), QByteArray(2, '\0'));
    EXPECT_TRUE(ItemIdList::desktop().isDesktop());
    EXPECT_FALSE(ItemIdList().isDesktop());
    EXPECT_TRUE(ItemIdList().isNull());
    EXPECT_EQ(ItemIdList().totalSize(), 0);
}

TEST(ItemIdList, SingleItemsParentsAndJoins)
{
    const ItemIdList list = threeItems();
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.single(-1), ItemIdList::fromItem(ItemKind::Entry, "home"));
    EXPECT_EQ(list.single(9), ItemIdList::fromItem(ItemKind::Entry, "home"));
    EXPECT_EQ(list.single(2), ItemIdList::fromItem(ItemKind::Volume, "/"));
    EXPECT_EQ(list.single(1).parent(), ItemIdList::desktop());
    EXPECT_EQ(list.parent().count(), 2);
    EXPECT_EQ(ItemIdList::join(list.parent(), list.single(-1)), list);
    EXPECT_EQ(ItemIdList::join(ItemIdList(), list), list);
    EXPECT_EQ(ItemIdList::join(list, ItemIdList()), list);
    EXPECT_EQ(ItemIdList::join(ItemIdList::desktop(), list), list);
    EXPECT_TRUE(list.startsWith(list.parent()));
    EXPECT_TRUE(list.startsWith(ItemIdList::desktop()));
    EXPECT_FALSE(list.parent().startsWith(list));
    EXPECT_TRUE(ItemIdList::desktop().parent().isNull());
}

TEST(ItemIdList, MalformedBytesGiveNoList)
{
    const struct {
        QByteArray bytes;
        bool valid;
    } cases[] = {
        {QByteArray(2, '\0'), true},
        {QByteArray("\x04\x00" "Fa" "\x00\x00", 6), true},
        {QByteArray("\x04\x00" "Fa", 4), false},                 // no terminator
        {QByteArray("\x09\x00" "Fa" "\x00\x00", 6), false},      // size past the end
        {QByteArray("\x02\x00" "\x00\x00", 4), false},            // an item too small to hold its kind
        {QByteArray("\x04\x00" "Fa" "\x00\x00" "x", 7), false},  // bytes after the terminator
        {QByteArray("\x00", 1), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(!ItemIdList::fromBytes(c.bytes).isNull(), c.valid) << c.bytes.toHex().toStdString();
    EXPECT_EQ(ItemIdList::fromBytes(threeItems().bytes()), threeItems());
}

TEST(ItemIdList, NamesWithAnyBytesSurvive)
{
    const QByteArray name("a\nb\xff\xfe c", 8);
    const ItemIdList list = ItemIdList::fromItem(ItemKind::Entry, name);
    EXPECT_EQ(list.last().data, name);
    EXPECT_EQ(ItemIdList::fromBytes(list.bytes()).last().data, name);
}

} // namespace
