#pragma once

#include <QString>
#include <QStringList>

// The tree's refresh queue of hierarchy texts, merged by prefix: a folder covers everything below it.
class cColShell {
public:
    void add(QString hier);
    QString takeFirst() { return m_items.takeFirst(); }
    bool isEmpty() const { return m_items.isEmpty(); }
    const QStringList& items() const { return m_items; }

private:
    QStringList m_items;
};
