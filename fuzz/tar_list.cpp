// Listing untrusted tar archives must never crash, hang or exhaust memory.
#include "fuzz/ArchiveListFuzz.h"
#include "platform/archivers/tar32/TarFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static arckit::TarFormat format;
    fuzzListing(format, data, size);
    return 0;
}
