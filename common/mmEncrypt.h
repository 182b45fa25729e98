#pragma once

#include <QString>

// The password scrambler of the FTP site file and the mail settings. The stored text holds only
// characters 1 to 127 and is four characters per code-page byte of the password.
namespace mmEncrypt {

inline const QString kScrambleKey = QStringLiteral("8827193-264718");

QString ScramblePassword(const QString& password);
// Gives back every password without NUL characters, any script included.
QString UnscramblePassword(const QString& stored);
// Character i (from 1) is paired with key character (i mod key length) + 1; a character equal to
// its key character stays, so no NUL appears and applying it twice gives the text back.
QString XorWithKey(const QString& text, const QString& key);

} // namespace mmEncrypt
