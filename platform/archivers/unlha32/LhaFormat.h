#pragma once

#include "platform/archivers/kit/LibarchiveFormat.h"

namespace arckit {

// LHA archives. Reading over libarchive; commands are a letter, switches, the archive, a
// folder and specs: x extract with folders, e without, t test (switches such as -a1 -c1 -f1
// -jp1 -+ are accepted, -m1 answers yes to every question, i.e. overwrites).
class LhaFormat : public LibarchiveFormat {
public:
    quint16 version() const override { return 100; }
    int run(const QByteArray& command, ArcOutput& output) override;

protected:
    void enableFormats(struct archive* reader) const override;
};

// Accepts the LHA style switches: -x1, -jp1, -a1, -+ …
bool isLhaSwitch(const QString& word);

} // namespace arckit
