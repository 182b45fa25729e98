// Listing untrusted cab archives must never crash, hang or exhaust memory.
#include "fuzz/ArchiveListFuzz.h"
#include "platform/archivers/cab32/CabFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static arckit::CabFormat format;
    fuzzListing(format, data, size);
    return 0;
}
