#include "platform/core/ProfileFile.h"

#include "platform/core/CodePage.h"
#include "platform/core/FileSystem.h"

#include <QStringList>

namespace platform {

namespace {

// A line's section name, or a null text for a line that starts no section.
QString sectionOf(const QString& line)
{
    if (!line.startsWith(u'['))
        return QString();
    const qsizetype close = line.indexOf(u']');
    return line.mid(1, close < 0 ? -1 : close - 1).trimmed();
}

bool isKeyLine(const QString& line, const QString& key)
{
    const qsizetype equals = line.indexOf(u'=');
    return equals > 0 && !line.startsWith(u';') && line.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0;
}

bool breaksForm(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

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
        if (const QString name = sectionOf(line); !name.isNull()) {
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (inSection && isKeyLine(line, key))
            return unquoted(line.mid(line.indexOf(u'=') + 1).trimmed()).left(maxChars);
    }
    return fallback.left(maxChars);
}

bool WritePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& path)
{
    if (breaksForm(section) || section.contains(u']') || breaksForm(key) || key.contains(u'=') || breaksForm(value)
        || key.trimmed().isEmpty())
        return false;
    QStringList lines;
    if (const std::optional<QByteArray> content = fs::ReadFile(path); content && !content->isEmpty()) {
        lines = TextOfCodePageBytes(*content).split(u'\n');
        if (lines.constLast().isEmpty())
            lines.removeLast();
        for (QString& line : lines) {
            if (line.endsWith(u'\r'))
                line.chop(1);
        }
    }
    const QString keyLine = key + u'=' + value;
    qsizetype sectionAt = -1;
    qsizetype insertAt = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (const QString name = sectionOf(line); !name.isNull()) {
            if (sectionAt >= 0)
                break;
            if (name.compare(section, Qt::CaseInsensitive) == 0)
                sectionAt = insertAt = i + 1;
            continue;
        }
        if (sectionAt < 0)
            continue;
        if (isKeyLine(line, key)) {
            lines[i] = keyLine;
            return fs::WriteFile(path, CodePageBytes(lines.join("\r\n") + "\r\n"));
        }
        if (!line.isEmpty())
            insertAt = i + 1;
    }
    if (sectionAt < 0)
        lines << u'[' + section + u']' << keyLine;
    else
        lines.insert(insertAt, keyLine);
    return fs::WriteFile(path, CodePageBytes(lines.join("\r\n") + "\r\n"));
}

} // namespace platform
