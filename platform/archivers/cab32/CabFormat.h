#pragma once

#include "platform/archivers/kit/LibarchiveFormat.h"

namespace arckit {

// Cabinets. "-a -mz -k -r cabinet base\ @list" packs (MSZIP, keeping folder names, recursing);
// reading over libarchive: "-x" extracts (with folders unless "-j"), "-o"
// overwrites, "-v" lists names, "-t" tests; then the cabinet, the target folder and specs.
class CabFormat : public LibarchiveFormat {
public:
    quint16 version() const override { return 100; }
    int run(const QByteArray& command, ArcOutput& output) override;

protected:
    void enableFormats(struct archive* reader) const override;
};

} // namespace arckit
