#pragma once

#include <QByteArray>
#include <QList>
#include <QMetaType>

namespace platform {

// What one item of a list names; the first byte after the item's size.
enum class ItemKind : char {
    Home = 'H',
    Computer = 'C',
    Network = 'N',
    Trash = 'T',
    ControlPanel = 'P',
    Volume = 'V',        // data: the mount point
    Entry = 'F',         // data: the file name's bytes within the parent folder
    TrashEntry = 'R',    // data: the path of the file inside a trash "files" folder
    PanelEntry = 'L',    // data: the path of the settings launcher's .desktop file
};

// An item ID list as a value: items of [16-bit size, size field included][kind][data], ended by a
// 16-bit zero. The empty list (just the zero) is the Desktop; a null list is no list at all.
class ItemIdList {
public:
    struct Item {
        ItemKind kind;
        QByteArray data;
    };

    ItemIdList() = default;                 // null
    static ItemIdList desktop();
    static ItemIdList fromItem(ItemKind kind, const QByteArray& data);
    // Accepts only a well-formed list; anything else gives a null list.
    static ItemIdList fromBytes(const QByteArray& bytes);

    bool isNull() const { return m_bytes.isEmpty(); }
    bool isDesktop() const { return m_bytes.size() == 2; }
    int count() const;
    int totalSize() const { return int(m_bytes.size()); }
    const QByteArray& bytes() const { return m_bytes; }
    int firstItemSize() const;

    QList<Item> items() const;
    Item item(int index) const;             // 0-based
    Item last() const;
    // Item n (1-based) as a one-item list; -1 or beyond the count takes the last one.
    ItemIdList single(int n) const;
    ItemIdList parent() const;
    ItemIdList appended(ItemKind kind, const QByteArray& data) const;
    static ItemIdList join(const ItemIdList& first, const ItemIdList& second);
    bool startsWith(const ItemIdList& prefix) const;

    bool operator==(const ItemIdList& other) const { return m_bytes == other.m_bytes; }
    bool operator!=(const ItemIdList& other) const { return m_bytes != other.m_bytes; }

private:
    explicit ItemIdList(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    // Offsets of every item's start, then the terminator's.
    QList<int> offsets() const;

    QByteArray m_bytes;
};

size_t qHash(const ItemIdList& list, size_t seed = 0);

} // namespace platform

Q_DECLARE_METATYPE(platform::ItemIdList)
