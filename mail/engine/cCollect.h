#pragma once

#include <QList>
#include <QVariant>

// A small ordered collection with 1-based positions; the account list is one. When Sorted is on,
// values are kept in ascending order and each appears once.
class cCollect {
public:
    void Add(const QVariant& value);
    void Remove(int n);
    void Clear();
    int Count() const { return int(m_items.size()); }
    // An empty value when n is 0 or beyond the count.
    QVariant Item(int n) const;
    void RepIace(int n, const QVariant& value);
    // Position of an equal value, 0 when absent.
    int Index(const QVariant& value) const;

    bool Sorted() const { return m_sorted; }
    // Only an empty collection can change its order; otherwise the user is warned and nothing changes.
    void SetSorted(bool sorted);

private:
    // First position whose value is not less than value (0-based), by bisection.
    int lowerBound(const QVariant& value) const;

    QList<QVariant> m_items;
    bool m_sorted = false;
};
