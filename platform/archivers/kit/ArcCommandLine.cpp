#include "platform/archivers/kit/ArcCommandLine.h"

#include <QDir>
#include <QFile>

namespace arckit {

ArcCommandLine ArcCommandLine::parse(const QByteArray& command)
{
    ArcCommandLine line;
    const QString text = QString::fromUtf8(command);
    QString word;
    bool quoted = false;
    bool inWord = false;
    auto finish = [&] {
        if (!inWord)
            return;
        if (word.startsWith(QLatin1Char('-')) && word.size() > 1)
            line.m_switches << word;
        else
            line.m_words << word;
        word.clear();
        inWord = false;
    };
    for (const QChar c : text) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            inWord = true;
        } else if (c.isSpace() && !quoted) {
            finish();
        } else {
            word += c;
            inWord = true;
        }
    }
    finish();
    return line;
}

bool ArcCommandLine::onlyKnownSwitches(const QStringList& known, const QString& valuePrefix) const
{
    for (const QString& s : m_switches)
        if (!known.contains(s, Qt::CaseInsensitive) && (valuePrefix.isEmpty() || !s.startsWith(valuePrefix)))
            return false;
    return true;
}

std::optional<QString> ArcCommandLine::value(const QString& prefix) const
{
    for (const QString& s : m_switches)
        if (s.startsWith(prefix, Qt::CaseInsensitive))
            return s.mid(prefix.size());
    return std::nullopt;
}

bool endsWithSeparator(const QString& path)
{
    return path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'));
}

std::optional<QStringList> readListFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A list names members, never megabytes of text: a bound keeps a hostile file harmless.
    const QByteArray data = file.read(64 * 1024 * 1024);
    QStringList specs;
    for (const QByteArray& raw : data.split('\n')) {
        QString line = QString::fromUtf8(raw).trimmed();
        line.remove(QLatin1Char('"'));
        if (!line.isEmpty())
            specs << line;
    }
    return specs;
}

ArcTargetAndSpecs splitTargetAndSpecs(const QStringList& words)
{
    ArcTargetAndSpecs result;
    for (const QString& word : words) {
        if (result.target.isEmpty() && result.specs.isEmpty() && endsWithSeparator(word)) {
            result.target = word;
            continue;
        }
        if (word.startsWith(QLatin1Char('@'))) {
            const auto listed = readListFile(word.mid(1));
            if (!listed)
                result.listFileError = true;
            else
                result.specs << *listed;
        } else {
            result.specs << word;
        }
    }
    if (result.target.isEmpty())
        result.target = QDir::currentPath() + QLatin1Char('/');
    return result;
}

} // namespace arckit
