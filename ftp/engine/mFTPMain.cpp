#include "ftp/engine/mFTPMain.h"

#include <QLocale>

#include <cmath>

namespace mFTPMain {

namespace {

QLocale sizeLocale()
{
    // "##,##0" always groups, even where the locale would leave the grouping out.
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    return locale;
}

} // namespace

FtpUrl ParseFtpUrl(const QString& url)
{
    FtpUrl result;
    QString text = url;
    if (text.isEmpty())
        return result;
    if (text.endsWith(QLatin1Char('/')))
        text.chop(1);
    const int slashes = text.indexOf(QLatin1String("//"));
    if (slashes >= 0)
        text = text.mid(slashes + 2);
    text.replace(QLatin1Char(':'), QChar(0)).replace(QLatin1Char('@'), QChar(0));
    const QStringList parts = text.split(QChar(0));
    QString hostAndPath;
    switch (parts.size()) {
    case 1: hostAndPath = parts[0]; break;
    case 2: result.userName = parts[0]; hostAndPath = parts[1]; break;
    case 3: result.userName = parts[0]; result.password = parts[1]; hostAndPath = parts[2]; break;
    default: return result;
    }
    const int slash = hostAndPath.indexOf(QLatin1Char('/'));
    result.host = slash < 0 ? hostAndPath : hostAndPath.left(slash);
    if (slash >= 0)
        result.remoteFolder = hostAndPath.mid(slash);
    if (result.userName.compare(kAnonymousUser, Qt::CaseInsensitive) == 0)
        result.password = kAnonymousPassword;
    return result;
}

QString NormalizePath(const QString& path)
{
    QString text = path;
    for (int at = text.indexOf(QLatin1String("//")); at >= 0; at = text.indexOf(QLatin1String("//")))
        text = text.mid(at + 1);
    QStringList parts = text.split(QLatin1Char('/'));
    for (int i = 0; i < parts.size(); ++i) {
        if (parts[i] == QLatin1String(".")) {
            parts[i].clear();
        } else if (parts[i] == QLatin1String("..")) {
            parts[i].clear();
            for (int back = i - 1; back >= 0; --back) {
                if (!parts[back].isEmpty()) {
                    parts[back].clear();
                    break;
                }
            }
        }
    }
    QString result = QStringLiteral("/");
    for (const QString& part : parts) {
        if (!part.isEmpty())
            result += part + QLatin1Char('/');
    }
    return result;
}

QString StripTrailingSlash(const QString& text)
{
    if (text.endsWith(QLatin1Char('/')) && text != QLatin1String("/"))
        return text.left(text.size() - 1);
    return text;
}

QString FormatDuration(double seconds)
{
    const qint64 total = std::llround(std::max(0.0, seconds));
    return QStringLiteral("%1:%2:%3")
        .arg(total / 3600, 2, 10, QLatin1Char('0'))
        .arg(total / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(total % 60, 2, 10, QLatin1Char('0'));
}

QString MaskPassword(const QString& text)
{
    if (!text.contains(QLatin1String("PASS")))
        return text;
    return QStringLiteral("PASS ") + QString(std::max<qsizetype>(0, text.size() - 5), QLatin1Char('*'));
}

QString FormatSize(qint64 size)
{
    return sizeLocale().toString(size);
}

qint64 SizeFromText(const QString& text)
{
    const QLocale locale = sizeLocale();
    QString digits = text.trimmed();
    digits.remove(locale.groupSeparator());
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok);
    return ok && value >= 0 ? value : -1;
}

BatchItem SplitBatchItem(const QString& item)
{
    const int mark = item.indexOf(QLatin1Char('?'));
    if (mark < 0)
        return {item, 0};
    return {item.left(mark), std::max<qint64>(0, SizeFromText(item.mid(mark + 1)))};
}

QString MakeBatchItem(const QString& path, qint64 size)
{
    return path + QLatin1Char('?') + FormatSize(size);
}

PassiveAddress ParsePassiveReply(const QString& line)
{
    PassiveAddress result;
    const qsizetype open = line.indexOf(QLatin1Char('('));
    const qsizetype close = line.indexOf(QLatin1Char(')'));
    if (open < 0 || close < open)
        return result;
    const QStringList numbers = line.mid(open + 1, close - open - 1).split(QLatin1Char(','));
    if (numbers.size() < 6)
        return result;
    int values[6];
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        values[i] = numbers[i].trimmed().toInt(&ok);
        if (!ok || values[i] < 0 || values[i] > 255)
            return result;
    }
    result.host = QStringLiteral("%1.%2.%3.%4").arg(values[0]).arg(values[1]).arg(values[2]).arg(values[3]);
    result.port = quint16(values[4] * 256 + values[5]);
    result.valid = result.port != 0;
    return result;
}

qint64 ParseAnnouncedSize(const QString& line)
{
    const qsizetype open = line.lastIndexOf(QLatin1Char('('));
    const qsizetype close = line.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close - open < 3)
        return -1;
    bool ok = false;
    const qint64 size = line.mid(open + 1, close - open - 1).section(QLatin1Char(' '), 0, 0).toLongLong(&ok);
    return ok && size >= 0 ? size : -1;
}

bool IsSafeRelativePath(const QString& relative)
{
    if (relative.isEmpty() || relative.startsWith(QLatin1Char('/')))
        return false;
    if (relative.contains(QLatin1Char('\\')) || relative.contains(QChar(0)))
        return false;
    const QStringList parts = relative.split(QLatin1Char('/'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        // A folder path may end with "/"; nothing else may be empty.
        if (part.isEmpty() && i + 1 == parts.size() && i > 0)
            continue;
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    }
    return true;
}

} // namespace mFTPMain
