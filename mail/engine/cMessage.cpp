#include "mail/engine/cMessage.h"

#include "mail/engine/mMimeText.h"

#include <QCryptographicHash>
#include <QList>

namespace {

enum class Take { Replace, Append, Trimmed, Date };

struct HeaderField {
    const char* name;
    QString cMessage::*field;
    Take take;
};

const HeaderField headerFields[] = {
    {"from", &cMessage::From, Take::Trimmed},
    {"to", &cMessage::MessageTo, Take::Append},
    {"cc", &cMessage::CC, Take::Append},
    {"bcc", &cMessage::BCC, Take::Append},
    {"reply-to", &cMessage::ReplyTo, Take::Append},
    {"subject", &cMessage::Subject, Take::Append},
    {"date", &cMessage::SendDate, Take::Date},
    {"sender", &cMessage::Sender, Take::Replace},
    {"return-path", &cMessage::ReturnPath, Take::Replace},
    {"received", &cMessage::Received, Take::Replace},
    {"message-id", &cMessage::MessageID, Take::Replace},
    {"in-reply-to", &cMessage::InReplyTo, Take::Replace},
    {"references", &cMessage::References, Take::Replace},
    {"keywords", &cMessage::Keywords, Take::Replace},
    {"comments", &cMessage::Comments, Take::Replace},
    {"encrypted", &cMessage::Encrypted, Take::Replace},
};

const HeaderField* fieldNamed(const QString& name)
{
    for (const HeaderField& f : headerFields) {
        if (name == QLatin1String(f.name))
            return &f;
    }
    return nullptr;
}

bool isAddressHeader(const QString& name)
{
    static const QStringList names{"from", "to", "cc", "bcc", "reply-to"};
    return names.contains(name);
}

// Header lines with their folded continuations joined: a line that begins with a blank
// continues the one before, even when it holds a ":".
QList<QByteArray> unfoldedLines(const QByteArray& headers)
{
    QList<QByteArray> lines;
    for (QByteArray line : headers.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        line.replace('\t', ' ');
        if (line.startsWith(' ') && !lines.isEmpty())
            lines.last() += line;
        else
            lines.append(line);
    }
    return lines;
}

} // namespace

void cMessage::CreateFromText(const QByteArray& text)
{
    const qsizetype blank = text.indexOf("\r\n\r\n");
    const QByteArray headers = blank < 0 ? text : text.left(blank);
    m_headerDigest = QCryptographicHash::hash(headers, QCryptographicHash::Sha1).toHex();
    if (blank < 0)
        return;
    Headers = mMimeText::ToText(headers);
    MessageBody = text.toLower().contains("content-type:") ? DecodeMessage(text)
                                                          : mMimeText::ToText(text.mid(blank + 4));
    for (const QByteArray& line : unfoldedLines(headers)) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0)
            takeHeader(QString::fromLatin1(line.left(colon)).trimmed().toLower(), line.mid(colon + 1).trimmed());
    }
}

void cMessage::takeHeader(const QString& name, const QByteArray& value)
{
    const HeaderField* f = fieldNamed(name);
    if (!f)
        return;
    QString& target = this->*(f->field);
    switch (f->take) {
    case Take::Replace: target = mMimeText::ToText(value); break;
    case Take::Append: target += DecodeHeader(value, name); break;
    case Take::Trimmed: target = DecodeHeader(value, name).trimmed(); break;
    case Take::Date: target = mMimeText::ConvertDate(mMimeText::DecodeEncodedWords(value), &SentAt); break;
    }
}

QString cMessage::DecodeHeader(const QByteArray& value, const QString& name)
{
    QByteArray joined = value;
    joined.replace("\r\n", "");
    if (name == QLatin1String("date"))
        return mMimeText::ConvertDate(mMimeText::DecodeEncodedWords(joined));
    QString decoded = mMimeText::DecodeEncodedWords(joined);
    if (isAddressHeader(name))
        decoded.remove('"');
    return decoded + ' ';
}

QString cMessage::DecodeMessage(const QByteArray& text)
{
    return mMimeText::DecodeParts(text);
}

QString cMessage::Key() const
{
    if (!MessageID.isEmpty())
        return Server + MessageID;
    return Server + QStringLiteral("<no-id:") + QString::fromLatin1(m_headerDigest) + '>';
}
