#include "mail/engine/mMimeText.h"

#include "mail/engine/mTransferDecode.h"

#include <QLocale>
#include <QStringDecoder>

namespace mMimeText {
namespace {

QString decodeStrict(const QByteArray& bytes, QStringDecoder& decoder, bool* ok)
{
    QString text = decoder.decode(bytes);
    *ok = !decoder.hasError();
    return text;
}

// One encoded word: =?charset?B|Q?text?=; the charset may carry an RFC 2231 language (*en).
struct EncodedWord {
    qsizetype begin = -1;
    qsizetype end = -1; // one past the closing "?="
    QByteArray charset;
    char method = 0;
    QByteArray payload;
};

EncodedWord findEncodedWord(const QByteArray& value, qsizetype from)
{
    for (qsizetype at = value.indexOf("=?", from); at >= 0; at = value.indexOf("=?", at + 2)) {
        const qsizetype q1 = value.indexOf('?', at + 2);
        if (q1 < 0 || q1 + 2 >= value.size() || value[q1 + 2] != '?')
            continue;
        const char method = char(QChar::toUpper(uchar(value[q1 + 1])));
        if (method != 'B' && method != 'Q')
            continue;
        const qsizetype close = value.indexOf("?=", q1 + 3);
        if (close < 0)
            return {};
        const QByteArray payload = value.mid(q1 + 3, close - q1 - 3);
        if (payload.contains(' '))
            continue;
        QByteArray charset = value.mid(at + 2, q1 - at - 2);
        charset.truncate(charset.indexOf('*') < 0 ? charset.size() : charset.indexOf('*'));
        return {at, close + 2, charset, method, payload};
    }
    return {};
}

bool onlySpace(const QByteArray& bytes)
{
    for (char c : bytes) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return false;
    }
    return true;
}

// A header parameter such as charset="iso-8859-1" from a part's header block, found by its name
// in the block's lower-case copy.
QByteArray parameter(const QByteArray& block, const QByteArray& lowerBlock, const QByteArray& name)
{
    const qsizetype at = lowerBlock.indexOf(name + '=');
    if (at < 0)
        return {};
    qsizetype from = at + name.size() + 1;
    const bool quoted = from < block.size() && block[from] == '"';
    if (quoted)
        ++from;
    qsizetype to = from;
    while (to < block.size() && (quoted ? block[to] != '"' : !QByteArray(" \t\r\n;").contains(block[to])))
        ++to;
    return block.mid(from, to - from).trimmed();
}

// text/plain or text/html, with or without parameters after it, in a lower-case header block.
bool isTextPart(const QByteArray& lower)
{
    for (const char* type : {"text/plain", "text/html"}) {
        for (qsizetype at = lower.indexOf(type); at >= 0; at = lower.indexOf(type, at + 1)) {
            const qsizetype after = at + qstrlen(type);
            if (after == lower.size() || QByteArray("; \t\r\n").contains(lower[after]))
                return true;
        }
    }
    return false;
}

// The encoding named in a lower-case header block.
QByteArray transferEncoding(const QByteArray& lower)
{
    const QByteArray key = "content-transfer-encoding:";
    const qsizetype at = lower.indexOf(key);
    if (at < 0)
        return {};
    const qsizetype from = at + key.size();
    const qsizetype eol = lower.indexOf('\r', from);
    return lower.mid(from, eol < 0 ? -1 : eol - from).trimmed();
}

// Where the next part's header lines begin: a line starting "Content-", in any letter case.
qsizetype nextPartHeader(const QByteArray& lower, qsizetype from)
{
    if (from == 0 && lower.startsWith("content-"))
        return 0;
    const qsizetype at = lower.indexOf("\r\ncontent-", from);
    return at < 0 ? -1 : at + 2;
}

// A part's body stops before the boundary line ("--" and the boundary, no blanks) that opens the
// next part; blank lines around it are not part of the text.
QByteArray withoutBoundaryTail(QByteArray body)
{
    for (;;) {
        while (body.endsWith("\r\n"))
            body.chop(2);
        const qsizetype lastBreak = body.lastIndexOf("\r\n");
        const QByteArray lastLine = body.sliced(lastBreak < 0 ? 0 : lastBreak + 2);
        if (lastLine.size() < 3 || !lastLine.startsWith("--") || lastLine.contains(' '))
            return body;
        body.truncate(lastBreak < 0 ? 0 : lastBreak);
    }
}

QByteArray decodeBody(const QByteArray& body, const QByteArray& encoding)
{
    if (encoding == "base64")
        return mTransferDecode::Base64(body);
    if (encoding == "quoted-printable")
        return mTransferDecode::QuotedPrintable(body, mTransferDecode::Body);
    return body;
}

} // namespace

QString ToText(const QByteArray& bytes, const QByteArray& charset)
{
    bool ok = false;
    if (!charset.isEmpty()) {
        QStringDecoder named(charset.constData(), QStringDecoder::Flag::Stateless);
        if (named.isValid())
            return named.decode(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decodeStrict(bytes, utf8, &ok);
    if (ok)
        return text;
    QStringDecoder western("windows-1252", QStringDecoder::Flag::Stateless);
    return western.isValid() ? western.decode(bytes) : QString::fromLatin1(bytes);
}

QString DecodeEncodedWords(const QByteArray& value)
{
    QString result;
    qsizetype done = 0;
    bool afterWord = false;
    for (EncodedWord word = findEncodedWord(value, 0); word.begin >= 0; word = findEncodedWord(value, done)) {
        const QByteArray between = value.mid(done, word.begin - done);
        if (!(afterWord && onlySpace(between)))
            result += ToText(between);
        const QByteArray bytes = word.method == 'B'
            ? mTransferDecode::Base64(word.payload)
            : mTransferDecode::QuotedPrintable(word.payload, mTransferDecode::EncodedWord);
        result += ToText(bytes, word.charset);
        done = word.end;
        afterWord = true;
    }
    return result + ToText(value.mid(done));
}

QString DecodeParts(const QByteArray& message)
{
    const QByteArray lower = message.toLower();
    QString result;
    qsizetype from = 0;
    for (;;) {
        const qsizetype header = nextPartHeader(lower, from);
        if (header < 0)
            break;
        const qsizetype blank = message.indexOf("\r\n\r\n", header);
        if (blank < 0)
            break;
        const QByteArray block = message.mid(header, blank - header);
        const QByteArray lowerBlock = lower.mid(header, blank - header);
        const qsizetype bodyStart = blank + 4;
        const qsizetype next = nextPartHeader(lower, bodyStart);
        const qsizetype bodyEnd = next < 0 ? message.size() : next - 2;
        from = qMax(bodyEnd, bodyStart);
        if (!isTextPart(lowerBlock))
            continue;
        const QByteArray body = withoutBoundaryTail(message.mid(bodyStart, bodyEnd - bodyStart));
        result += ToText(decodeBody(body, transferEncoding(lowerBlock)), parameter(block, lowerBlock, "charset"))
            + "\r\n";
    }
    return result;
}

QString ConvertDate(const QString& text, QDateTime* when)
{
    QString rest = text;
    const qsizetype comma = rest.indexOf(',');
    if (comma >= 0)
        rest = rest.mid(comma + 1);
    QStringList words = rest.trimmed().split(' ', Qt::SkipEmptyParts);
    if (words.size() > 2 && words[2].size() == 2)
        words[2].prepend(words[2].toInt() <= 90 ? "20" : "19");
    if (words.size() > 4 && words[4].compare("PM", Qt::CaseInsensitive) == 0) {
        QStringList clock = words[3].split(':');
        clock[0] = QString::number(clock[0].toInt() + 12);
        words[3] = clock.join(':');
    }
    QString joined = words.join(' ');
    const qsizetype colon = joined.indexOf(':');
    const qsizetype cut = colon < 0 ? -1 : joined.indexOf(' ', colon);
    if (cut >= 0)
        joined.truncate(cut);

    const QLocale c = QLocale::c();
    QDateTime moment;
    for (const char* format : {"d MMM yyyy H:mm:ss", "d MMM yyyy H:mm"}) {
        moment = c.toDateTime(joined, QString::fromLatin1(format));
        if (moment.isValid())
            break;
    }
    if (when)
        *when = moment;
    if (!moment.isValid())
        return text.trimmed();
    const QLocale system = QLocale::system();
    return system.toString(moment.date(), QLocale::ShortFormat) + ' '
        + system.toString(moment.time(), QLocale::ShortFormat);
}

} // namespace mMimeText
