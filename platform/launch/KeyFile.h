#pragma once

#include <QHash>
#include <QString>

namespace platform {

// A freedesktop key file (desktop entries, mimeapps.list, mimeinfo.cache): groups of key=value
// lines, "#" comments, keys compared with case. The first of a duplicated key wins.
class KeyFile {
public:
    static KeyFile read(const QString& path);

    bool isEmpty() const { return m_groups.isEmpty(); }
    QString value(const QString& group, const QString& key) const;
    // A ";"-separated list value, empty items left out.
    QStringList list(const QString& group, const QString& key) const;

private:
    QHash<QString, QHash<QString, QString>> m_groups;
};

} // namespace platform
