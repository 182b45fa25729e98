// Reading untrusted ACE headers must never crash, hang or exhaust memory.
#include "platform/archivers/unace/AceArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto members = arckit::readAceMembers(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    return members ? 0 : 0;
}
