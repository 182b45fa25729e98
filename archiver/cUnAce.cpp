#include "archiver/cUnAce.h"

#include "platform/archive/ArchiverLibrary.h"
#include "platform/archivers/ArchiverApi.h"
#include "platform/prompt/Prompt.h"
#include "platform/prompt/SystemMessageBox.h"

#include <QFile>

namespace {

void warn(const QString& text)
{
    platform::SystemMessageBox(text, QStringLiteral("ACE Message"), platform::MB_OK | platform::MB_ICONWARNING);
}

// The password question; empty when cancelled or left empty.
QString askPassword()
{
    return platform::InputBox(QStringLiteral("Password"), QStringLiteral("Password"), {}, true).value_or(QString());
}

} // namespace

cUnAce::cUnAce()
    : m_library(std::make_unique<platform::ArchiverLibrary>(QStringLiteral("UnAce.dll")))
{
}

cUnAce::~cUnAce() = default;

void* cUnAce::call(const char* name) const
{
    return m_library->symbol(name);
}

bool cUnAce::CheckArchive(const QString& file)
{
    auto open = reinterpret_cast<AceOpenArchiveFn>(call("ACEOpenArchive"));
    auto close = reinterpret_cast<AceCloseArchiveFn>(call("ACECloseArchive"));
    if (!open || !close)
        return false;
    const QByteArray path = file.toUtf8();
    AceOpenRecord record {path.constData(), 0, 1, {}};
    const ArcHandle handle = open(&record);
    if (handle)
        close(handle);
    return handle && record.openResult == 0;
}

bool cUnAce::readListing(const QString& file)
{
    auto open = reinterpret_cast<AceOpenArchiveFn>(call("ACEOpenArchive"));
    auto read = reinterpret_cast<AceReadHeaderFn>(call("ACEReadHeader"));
    auto close = reinterpret_cast<AceCloseArchiveFn>(call("ACECloseArchive"));
    if (!open || !read || !close)
        return false;
    const QByteArray path = file.toUtf8();
    AceOpenRecord record {path.constData(), 1, 1, {}};
    const ArcHandle handle = open(&record);
    if (!handle || record.openResult != 0)
        return false;
    AceHeaderRecord h {};
    while (read(handle, &h) == 0 && m_entries.size() < 32767) {
        if (h.attributes & 0x10)
            continue;
        Entry e;
        const QString name = QString::fromUtf8(h.fileName, int(qstrnlen(h.fileName, sizeof h.fileName)));
        const int slash = int(qMax(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))));
        e.FilePath = slash < 0 ? QStringLiteral("\\") : name.left(slash + 1);
        e.FileName = name.mid(slash + 1);
        e.FileOriginal = GroupedSize(h.unpackedSize);
        e.FilePacked = GroupedSize(h.packedSize);
        e.FileRatio = (h.unpackedSize ? QString::number((1.0 - double(h.packedSize) / h.unpackedSize) * 100.0, 'f', 1)
                                      : QStringLiteral("100.0")) + QLatin1Char('%');
        const quint16 date = quint16(h.dateTime >> 16);
        const quint16 time = quint16(h.dateTime & 0xFFFF);
        e.FileDate = DosDateText(date);
        e.FILETIME = DosTimeText(time);
        e.FileAttr = QString::number(h.attributes);
        e.FileType = h.method == 0 ? QStringLiteral("STORED") : h.method == 1 ? QStringLiteral("LZ77") : QString();
        e.FileCRC = CrcText(h.crc);
        m_entries << e;
    }
    close(handle);
    return true;
}

qint16 cUnAce::SetArcFile(const QString& file)
{
    return loadListing(file, QStringLiteral("ACE"), [this](const QString& f) { return readListing(f); });
}

bool cUnAce::IsChosen(const QString& list, const QString& fullName)
{
    if (list.startsWith(QLatin1String("*.*")))
        return true;
    if (list.startsWith(QLatin1String("*.")))
        return fullName.endsWith(list.mid(1).section(QLatin1Char('\r'), 0, 0), Qt::CaseInsensitive);
    const QStringList parts = fullName.split(QLatin1Char('\\'));
    QString prefix;
    for (const QString& part : parts) {
        prefix += (prefix.isEmpty() ? QString() : QStringLiteral("\\")) + part;
        if (list.contains(prefix + QStringLiteral("\r\n")))
            return true;
    }
    return false;
}

int cUnAce::extractAll(quint32 handle, const QString& dir, const QString& list, bool useFolder)
{
    auto read = reinterpret_cast<AceReadHeaderFn>(call("ACEReadHeader"));
    auto process = reinterpret_cast<AceProcessFileFn>(call("ACEProcessFile"));
    auto setPassword = reinterpret_cast<AceSetPasswordFn>(call("ACESetPassword"));
    int count = 0;
    AceHeaderRecord h {};
    while (read(handle, &h) == 0) {
        QString name = QString::fromUtf8(h.fileName, int(qstrnlen(h.fileName, sizeof h.fileName)));
        name.replace(QLatin1Char('/'), QLatin1Char('\\'));
        const bool folder = h.attributes & 0x10;
        const int operation = !folder && IsChosen(list, name) ? 2 : 0;
        const QString part = useFolder ? name : name.mid(name.lastIndexOf(QLatin1Char('\\')) + 1);
        QString target = dir + (folder ? name : part);
        const QByteArray destination = target.replace(QLatin1Char('\\'), QLatin1Char('/')).toUtf8();
        for (;;) {
            const int result = process(handle, operation, destination.constData());
            if (result == 0) {
                count += operation == 2 ? 1 : 0;
                break;
            }
            if (result == 11)
                break;
            if (result == 9 || result == 131) {
                if (result == 9)
                    warn(QStringLiteral("Password is not correct ! Try it again."));
                const QString password = askPassword();
                if (password.isEmpty())
                    return count;
                setPassword(handle, password.toUtf8().constData());
                continue;
            }
            warn(result == 132 ? QStringLiteral("Unknown compression method !")
                               : QStringLiteral("%1 %2 %3").arg(result).arg(h.method).arg(name));
            return count;
        }
    }
    return count;
}

int cUnAce::ACEExtract(const QString& sArcFile, const QString& sArcDir, const QString& sArcList, bool bUseFolder)
{
    QString list = sArcList;
    if (list.startsWith(QLatin1Char('@'))) {
        QFile file(list.mid(1));
        list = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.read(16 * 1024 * 1024)) : QString();
        list = list.split(QLatin1Char('\n')).replaceInStrings(QStringLiteral("\r"), QString()).join(QStringLiteral("\r\n"));
    }
    list.remove(QLatin1Char('"'));
    list.replace(QLatin1Char('/'), QLatin1Char('\\'));
    list.remove(QStringLiteral("\\*.*"));
    QString dir = sArcDir;
    if (!dir.endsWith(QLatin1Char('/')) && !dir.endsWith(QLatin1Char('\\')))
        dir += QLatin1Char('/');
    auto open = reinterpret_cast<AceOpenArchiveFn>(call("ACEOpenArchive"));
    auto close = reinterpret_cast<AceCloseArchiveFn>(call("ACECloseArchive"));
    if (!open || !close || !call("ACEReadHeader") || !call("ACEProcessFile") || !call("ACESetPassword"))
        return 0;
    const QByteArray path = sArcFile.toUtf8();
    AceOpenRecord record {path.constData(), 1, 1, {}};
    const ArcHandle handle = open(&record);
    if (!handle || record.openResult != 0)
        return 0;
    const int count = extractAll(handle, dir, list, bUseFolder);
    close(handle);
    return count;
}
