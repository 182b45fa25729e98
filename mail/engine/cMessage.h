#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// One message as the checking window fetched it with TOP: its header block, the decoded text of
// its first lines, the header fields the list shows and the spam rule judges, and the user's marks.
class cMessage {
public:
    // Fills the message from one TOP response (status line and final dot removed). A text without
    // an empty line fills nothing.
    void CreateFromText(const QByteArray& text);
    void CreateFromText(const QString& text) { CreateFromText(text.toUtf8()); }

    // One header value, decoded for the lower-case header name; ends with a space.
    static QString DecodeHeader(const QByteArray& value, const QString& name);
    // The decoded text parts of a MIME message.
    static QString DecodeMessage(const QByteArray& text);

    // Server + Message-ID. A message without a Message-ID is named by a digest of its header
    // block instead, so two such messages never share a key and a message keeps its key between
    // checks.
    QString Key() const;

    QString Headers;
    QString MessageBody;
    QString From;
    QString MessageTo;
    QString CC;
    QString BCC;
    QString ReplyTo;
    QString Subject;
    QString SendDate;
    QString Sender;
    QString ReturnPath;
    QString Received;
    QString MessageID;
    QString InReplyTo;
    QString References;
    QString Keywords;
    QString Comments;
    QString Encrypted;
    QString Server;
    qint32 Index = 0;
    bool Read = false;
    bool Spam = false;
    bool Delete = false;

    // The sender's date as a moment, for sorting the list; invalid when the date was unreadable.
    QDateTime SentAt;
    // The server sent more than the checking window keeps of one message; the text was cut.
    bool Truncated = false;

private:
    void takeHeader(const QString& name, const QByteArray& value);

    QByteArray m_headerDigest;
};
