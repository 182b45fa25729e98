#include "platform/core/ProfileFile.h"

#include "platform/core/CodePage.h"
#include "platform/core/FileSystem.h"

#include <QStringList>

namespace platform {

namespace {

QString unquoted(const QString& value)
{
    const bool quoted = value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'')
                        && value.back() == value.front();
    return quoted ? value.mid(1, value.size() - 2) : value;
}

} // namespace

QString GetPrivateProfileString(const QString& section, const QString& key, const QString& fallback,
                                const QString& path, int maxChars)
{
    const std::optional<QByteArray> content = fs::ReadFile(path);
    if (!content)
        return fallback.left(maxChars);
    bool inSection = false;
    for (const QString& rawLine : TextOfCodePageBytes(*content).split(u'\n')) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            const QString name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inSection || equals <= 0 || line.startsWith(u';'))
            continue;
        if (line.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return unquoted(line.mid(equals + 1).trimmed()).left(maxChars);
    }
    return fallback.left(maxChars);
}

} // namespace platform
