#pragma once

#include "platform/archivers/kit/LibarchiveFormat.h"

namespace arckit {

// RAR (versions 4 and 5) over libarchive. Commands: "-x" extract with folders, "-e" without,
// "-t" test; "-u" and "-y" (overwrite all) modify; then archive, target folder and specs.
class RarFormat : public LibarchiveFormat {
public:
    quint16 version() const override { return 100; }
    int run(const QByteArray& command, ArcOutput& output) override;

protected:
    void enableFormats(struct archive* reader) const override;
};

} // namespace arckit
