// Reading untrusted ARJ headers must never crash, hang or exhaust memory.
#include "platform/archivers/unarj32/ArjFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto listing = arckit::ArjFormat::parse(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    return listing ? 0 : 0;
}
