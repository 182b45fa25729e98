#include "archiver/cUnZip.h"

cUnZip::cUnZip()
    : cArchiverDriver({QStringLiteral("ZIP"), QStringLiteral("UnZip32.DLL"), "UnZip", 81, 324, true, 0, false})
{
}

qint16 cUnZip::SetArcFile(const QString& file)
{
    if (Version() >= 80)
        return cArchiverDriver::SetArcFile(file);
    setCommandLine(QStringLiteral("-l ") + file);
    return ParseListOutput(OutPut());
}

qint16 cUnZip::ParseListOutput(const QString& output)
{
    m_entries.clear();
    const QStringList lines = output.split(QLatin1Char('\n'));
    for (int i = 2; i < lines.size() && i < 2 + 257; ++i) {
        QString rest = lines[i];
        rest.remove(QLatin1Char('\r'));
        if (rest.startsWith(QLatin1String("--------------")))
            break;
        // Eight fields from the right, the rest is the name (which may hold spaces).
        QString fields[8];
        for (QString& field : fields) {
            rest = rest.trimmed();
            const int space = rest.lastIndexOf(QLatin1Char(' '));
            field = rest.mid(space + 1);
            rest = space < 0 ? QString() : rest.left(space);
        }
        Entry entry;
        splitName(rest.trimmed(), entry);
        entry.FileCRC = fields[0];
        entry.FileType = fields[1];
        entry.FileAttr = fields[2];
        entry.FILETIME = fields[3];
        entry.FileDate = fields[4];
        entry.FileRatio = fields[5];
        entry.FilePacked = fields[6];
        entry.FileOriginal = fields[7];
        m_entries << entry;
    }
    return qint16(m_entries.size());
}
