#include "platform/core/CodePage.h"

#include <QStringDecoder>

namespace platform {

QByteArray CodePageBytes(const QString& text)
{
    return text.toUtf8();
}

QString TextOfCodePageBytes(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

QByteArray BytesOfCharacters(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        if (text.at(i).unicode() <= 0xFF) {
            bytes += char(text.at(i).unicode());
            ++i;
            continue;
        }
        // A run of wider characters is encoded as a whole so surrogate pairs stay together.
        qsizetype end = i;
        while (end < text.size() && text.at(end).unicode() > 0xFF)
            ++end;
        bytes += QStringView(text).mid(i, end - i).toUtf8();
        i = end;
    }
    return bytes;
}

} // namespace platform
