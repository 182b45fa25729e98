// Listing untrusted lha archives must never crash, hang or exhaust memory.
#include "fuzz/ArchiveListFuzz.h"
#include "platform/archivers/unlha32/LhaFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static arckit::LhaFormat format;
    fuzzListing(format, data, size);
    return 0;
}
