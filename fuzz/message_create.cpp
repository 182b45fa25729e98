// cMessage::CreateFromText on any bytes a POP3 server may send as the top of a message:
// header unfolding, encoded words in any charset, MIME parts and dates.
#include "mail/engine/cMessage.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    cMessage message;
    message.Server = QStringLiteral("pop.example.com");
    message.CreateFromText(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    // Every field the list shows must be readable afterwards.
    volatile qsizetype shown = message.Key().size() + message.MessageBody.size() + message.SendDate.size()
        + message.From.size() + message.Subject.size();
    (void)shown;
    return 0;
}
