#include "platform/launch/ApplicationEntry.h"

#include "platform/core/FileSystem.h"
#include "platform/launch/KeyFile.h"

namespace platform {

namespace {

const QString kGroup = QStringLiteral("Desktop Entry");

QString programOnPath(const QString& program)
{
    if (program.isEmpty())
        return QString();
    if (program.startsWith(u'/'))
        return fs::Exists(program) && !fs::IsFolder(program) ? program : QString();
    return fs::SearchPath(program);
}

} // namespace

QStringList ApplicationEntry::splitExec(const QString& exec)
{
    QStringList arguments;
    QString current;
    bool inQuotes = false;
    bool any = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (inQuotes && c == u'\\' && i + 1 < exec.size()) {
            current += exec.at(++i);
        } else if (c == u'"') {
            inQuotes = !inQuotes;
            any = true;
        } else if (!inQuotes && (c == u' ' || c == u'\t')) {
            if (any || !current.isEmpty())
                arguments << current;
            current.clear();
            any = false;
        } else if (c == u'%' && i + 1 < exec.size() && exec.at(i + 1) == u'%') {
            current += u'%';
            ++i;
        } else {
            current += c;
        }
    }
    if (any || !current.isEmpty())
        arguments << current;
    return arguments;
}

ApplicationEntry ApplicationEntry::read(const QString& path)
{
    ApplicationEntry entry;
    entry.path = path;
    const KeyFile file = KeyFile::read(path);
    if (file.value(kGroup, "Type") != u"Application")
        return entry;
    entry.name = file.value(kGroup, "Name");
    entry.exec = splitExec(file.value(kGroup, "Exec"));
    entry.mimeTypes = file.list(kGroup, "MimeType");
    entry.hidden = file.value(kGroup, "Hidden") == u"true";
    const QString tryExec = file.value(kGroup, "TryExec");
    if (tryExec.isEmpty() || !programOnPath(tryExec).isEmpty())
        entry.program = programOnPath(entry.exec.value(0));
    return entry;
}

} // namespace platform
