#include "common/mmFileVersion.h"

#include <QStringList>

namespace mmFileVersion {

namespace {

bool halvesOf(quint32 word, quint32& high, quint32& low)
{
    high = word >> 16;
    low = word & 0xFFFF;
    return high < 32768 && low < 32768;
}

} // namespace

VS_FIXEDFILEINFO FixedFileInfo(const QString& path)
{
    return platform::ReadFileVersionRecord(path);
}

QString VersionWordPair(quint32 word, bool* ok)
{
    quint32 high = 0;
    quint32 low = 0;
    const bool usable = halvesOf(word, high, low);
    if (ok)
        *ok = usable;
    return usable ? QString::number(high) + u'.' + QString::number(low) : QString();
}

QString FileVersionText(const QString& path)
{
    if (path.isEmpty())
        return QString();
    const VS_FIXEDFILEINFO info = FixedFileInfo(path);
    bool highOk = false;
    bool lowOk = false;
    const QString high = VersionWordPair(info.dwFileVersionMS, &highOk);
    const QString low = VersionWordPair(info.dwFileVersionLS, &lowOk);
    return highOk && lowOk ? high + u'.' + low : QString();
}

bool VersionAtLeast(const QString& path, const QString& minimum)
{
    if (path.isEmpty())
        return false;
    const VS_FIXEDFILEINFO info = FixedFileInfo(path);
    quint32 a = 0;
    quint32 b = 0;
    if (info.dwSignature != platform::kVersionSignature || !halvesOf(info.dwFileVersionMS, a, b))
        return false;
    const QStringList parts = minimum.split(u'.');
    bool raOk = false;
    bool rbOk = false;
    const quint32 ra = parts.value(0).toUInt(&raOk);
    const quint32 rb = parts.value(1).toUInt(&rbOk);
    if (!raOk || !rbOk)
        return false;
    return a > ra || (a == ra && b >= rb);
}

} // namespace mmFileVersion
