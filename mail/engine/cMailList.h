#pragma once

#include "mail/engine/cMessage.h"

#include <QHash>
#include <QList>

#include <memory>

// The messages fetched so far, in the order they came, each under its key (cMessage::Key).
// Windows and the deletion list share the message objects, so marks set in one show in all.
class cMailList {
public:
    using Message = std::shared_ptr<cMessage>;

    int Count() const { return int(m_items.size()); }
    bool IsEmpty() const { return m_items.isEmpty(); }
    const QList<Message>& Items() const { return m_items; }
    Message Find(const QString& key) const;
    // A message whose key is already there is not added again.
    void Add(const Message& message);
    void Remove(const QString& key);
    void Clear();

    int UnreadCount() const;
    int SpamCount() const;

private:
    QList<Message> m_items;
    QHash<QString, qsizetype> m_positions;
};
