#include "mail/engine/cMailList.h"

#include <algorithm>

cMailList::Message cMailList::Find(const QString& key) const
{
    const auto it = m_positions.constFind(key);
    return it == m_positions.cend() ? nullptr : m_items[*it];
}

void cMailList::Add(const Message& message)
{
    const QString key = message->Key();
    if (m_positions.contains(key))
        return;
    m_positions.insert(key, m_items.size());
    m_items.append(message);
}

void cMailList::Remove(const QString& key)
{
    const auto it = m_positions.constFind(key);
    if (it == m_positions.cend())
        return;
    const qsizetype at = *it;
    m_items.removeAt(at);
    m_positions.erase(it);
    for (auto p = m_positions.begin(); p != m_positions.end(); ++p) {
        if (*p > at)
            --*p;
    }
}

void cMailList::Clear()
{
    m_items.clear();
    m_positions.clear();
}

int cMailList::UnreadCount() const
{
    return int(std::count_if(m_items.cbegin(), m_items.cend(), [](const Message& m) { return !m->Read; }));
}

int cMailList::SpamCount() const
{
    return int(std::count_if(m_items.cbegin(), m_items.cend(), [](const Message& m) { return m->Spam; }));
}
