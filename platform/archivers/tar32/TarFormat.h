#pragma once

#include "platform/archivers/kit/LibarchiveFormat.h"

namespace arckit {

// The TAR family: tar, tgz, gz, bz2, Z (and xz) over libarchive. Commands are tar's key
// letters, "xvfo" and the like: x extract, t test, v list names, f archive follows, o
// overwrite, a names as given; then the archive, the target folder and the member specs.
class TarFormat : public LibarchiveFormat {
public:
    quint16 version() const override { return 100; }
    int run(const QByteArray& command, ArcOutput& output) override;

protected:
    void enableFormats(struct archive* reader) const override;
};

} // namespace arckit
