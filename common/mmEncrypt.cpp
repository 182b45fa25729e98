#include "common/mmEncrypt.h"

#include "common/cEncode.h"

namespace mmEncrypt {

QString ScramblePassword(const QString& password)
{
    return XorWithKey(cEncode::Base64Encode(cEncode::EncodeHexBytes(password)), kScrambleKey);
}

QString UnscramblePassword(const QString& stored)
{
    return cEncode::DecodeQuoted(cEncode::Base64Decode(XorWithKey(stored, kScrambleKey)));
}

QString XorWithKey(const QString& text, const QString& key)
{
    if (key.isEmpty())
        return text;
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const char16_t c = out.at(i).unicode();
        const char16_t k = key.at((i + 1) % key.size()).unicode();
        if (c != k)
            out[i] = QChar(char16_t(c ^ k));
    }
    return out;
}

} // namespace mmEncrypt
