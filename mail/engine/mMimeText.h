#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// Turning the bytes of a fetched message into the texts the mail list shows: encoded words,
// MIME text parts and the sender's date.
namespace mMimeText {

// Bytes in the charset a message names. Without a charset we know, valid UTF-8 is read as UTF-8
// and anything else as Windows-1252, which is what unlabelled 8-bit mail usually is.
QString ToText(const QByteArray& bytes, const QByteArray& charset = {});

// A header value with every encoded word decoded; white space between two encoded words goes.
QString DecodeEncodedWords(const QByteArray& value);

// The body text of every text/plain and text/html part, each followed by CR LF.
QString DecodeParts(const QByteArray& message);

// "Tue, 05 Mar 02 21:10:05 +0900" → the short date and time of the system's locale, taken as
// written (no zone conversion). when receives the moment for sorting; invalid when unreadable,
// and then the text comes back unchanged.
QString ConvertDate(const QString& text, QDateTime* when = nullptr);

} // namespace mMimeText
