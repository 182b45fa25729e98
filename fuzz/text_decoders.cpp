// Mail bodies, header words and stored passwords are untrusted: every decoder must take any input.
#include "common/cEncode.h"
#include "common/mmEncrypt.h"
#include "platform/core/FileName.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const cEncode enc;
    for (const QString& text : {QString::fromUtf8(bytes), QString::fromLatin1(bytes)}) {
        for (qint32 code : {3, 4, 8, 64, 259, 261, 263, 264, 268})
            (void)enc.Conv(text, code, 0);
        (void)mmEncrypt::UnscramblePassword(text);
        // Scrambling gives back every password without NUL that UTF-8 can hold.
        const bool holdable = !text.contains(QChar(0)) && QString::fromUtf8(text.toUtf8()) == text;
        if (holdable && mmEncrypt::UnscramblePassword(mmEncrypt::ScramblePassword(text)) != text)
            std::abort();
    }
    // File names: any bytes survive the text form.
    if (platform::EncodeFileName(platform::DecodeFileName(bytes)) != bytes)
        std::abort();
    return 0;
}
