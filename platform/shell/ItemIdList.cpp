#include "platform/shell/ItemIdList.h"

#include <QHashFunctions>

namespace platform {
namespace {

int sizeAt(const QByteArray& bytes, int offset)
{
    if (offset + 2 > bytes.size())
        return 0;
    return quint8(bytes[offset]) | (quint8(bytes[offset + 1]) << 8);
}

QByteArray itemBytes(ItemKind kind, const QByteArray& data)
{
    const int size = 3 + int(data.size());
    QByteArray item;
    item.reserve(size);
    item += char(size & 0xFF);
    item += char(size >> 8);
    item += char(kind);
    item += data;
    return item;
}

const QByteArray terminator(2, '\0');

} // namespace

ItemIdList ItemIdList::desktop()
{
    return ItemIdList(terminator);
}

ItemIdList ItemIdList::fromItem(ItemKind kind, const QByteArray& data)
{
    if (data.size() > 0xFFFF - 3)
        return {};
    return ItemIdList(itemBytes(kind, data) + terminator);
}

ItemIdList ItemIdList::fromBytes(const QByteArray& bytes)
{
    int offset = 0;
    while (true) {
        const int size = sizeAt(bytes, offset);
        if (offset + 2 > bytes.size())
            return {};
        if (size == 0)
            return offset + 2 == bytes.size() ? ItemIdList(bytes) : ItemIdList();
        if (size < 3 || offset + size > bytes.size())
            return {};
        offset += size;
    }
}

QList<int> ItemIdList::offsets() const
{
    QList<int> result;
    int offset = 0;
    while (int size = sizeAt(m_bytes, offset)) {
        result.append(offset);
        offset += size;
    }
    result.append(offset);
    return result;
}

int ItemIdList::count() const
{
    return isNull() ? 0 : int(offsets().size()) - 1;
}

int ItemIdList::firstItemSize() const
{
    return sizeAt(m_bytes, 0);
}

QList<ItemIdList::Item> ItemIdList::items() const
{
    QList<Item> result;
    int offset = 0;
    while (int size = sizeAt(m_bytes, offset)) {
        result.append({ItemKind(m_bytes[offset + 2]), m_bytes.mid(offset + 3, size - 3)});
        offset += size;
    }
    return result;
}

ItemIdList::Item ItemIdList::item(int index) const
{
    const QList<int> at = offsets();
    if (index < 0 || index >= at.size() - 1)
        return {ItemKind::Entry, {}};
    const int offset = at[index];
    return {ItemKind(m_bytes[offset + 2]), m_bytes.mid(offset + 3, at[index + 1] - offset - 3)};
}

ItemIdList::Item ItemIdList::last() const
{
    int offset = 0;
    int lastAt = -1;
    while (int size = sizeAt(m_bytes, offset)) {
        lastAt = offset;
        offset += size;
    }
    if (lastAt < 0)
        return {ItemKind::Entry, {}};
    return {ItemKind(m_bytes[lastAt + 2]), m_bytes.mid(lastAt + 3, offset - lastAt - 3)};
}

ItemIdList ItemIdList::single(int n) const
{
    const QList<int> at = offsets();
    const int count = int(at.size()) - 1;
    if (isNull() || count == 0)
        return {};
    const int index = (n < 1 || n > count) ? count - 1 : n - 1;
    return ItemIdList(m_bytes.mid(at[index], at[index + 1] - at[index]) + terminator);
}

ItemIdList ItemIdList::parent() const
{
    if (isNull() || isDesktop())
        return {};
    const QList<int> at = offsets();
    return ItemIdList(m_bytes.left(at[at.size() - 2]) + terminator);
}

ItemIdList ItemIdList::appended(ItemKind kind, const QByteArray& data) const
{
    if (isNull() || data.size() > 0xFFFF - 3)
        return {};
    return ItemIdList(m_bytes.left(m_bytes.size() - 2) + itemBytes(kind, data) + terminator);
}

ItemIdList ItemIdList::join(const ItemIdList& first, const ItemIdList& second)
{
    if (first.isNull())
        return second;
    if (second.isNull())
        return first;
    return ItemIdList(first.m_bytes.left(first.m_bytes.size() - 2) + second.m_bytes);
}

bool ItemIdList::startsWith(const ItemIdList& prefix) const
{
    if (isNull() || prefix.isNull())
        return false;
    const QByteArray head = prefix.m_bytes.left(prefix.m_bytes.size() - 2);
    return m_bytes.startsWith(head) && offsets().contains(int(head.size()));
}

size_t qHash(const ItemIdList& list, size_t seed)
{
    return ::qHash(list.bytes(), seed);
}

} // namespace platform
