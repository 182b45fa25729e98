#include "platform/launch/KeyFile.h"

#include "platform/core/FileSystem.h"

#include <QStringList>

namespace platform {

KeyFile KeyFile::read(const QString& path)
{
    KeyFile file;
    const std::optional<QByteArray> content = fs::ReadFile(path);
    if (!content)
        return file;
    QHash<QString, QString>* group = nullptr;
    for (const QString& rawLine : QString::fromUtf8(*content).split(u'\n')) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            group = &file.m_groups[line.mid(1, line.size() - 2)];
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (group && equals > 0) {
            const QString key = line.left(equals).trimmed();
            if (!group->contains(key))
                group->insert(key, line.mid(equals + 1).trimmed());
        }
    }
    return file;
}

QString KeyFile::value(const QString& group, const QString& key) const
{
    return m_groups.value(group).value(key);
}

QStringList KeyFile::list(const QString& group, const QString& key) const
{
    return value(group, key).split(u';', Qt::SkipEmptyParts);
}

} // namespace platform
