// Listing untrusted zip archives must never crash, hang or exhaust memory.
#include "fuzz/ArchiveListFuzz.h"
#include "platform/archivers/unzip32/ZipFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static arckit::ZipFormat format;
    fuzzListing(format, data, size);
    return 0;
}
