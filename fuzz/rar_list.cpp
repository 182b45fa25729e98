// Listing untrusted rar archives must never crash, hang or exhaust memory.
#include "fuzz/ArchiveListFuzz.h"
#include "platform/archivers/unrar32/RarFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static arckit::RarFormat format;
    fuzzListing(format, data, size);
    return 0;
}
