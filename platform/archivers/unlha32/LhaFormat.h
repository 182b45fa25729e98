#pragma once

#include "platform/archivers/kit/LibarchiveFormat.h"

namespace arckit {

// LHA archives. Headers are read here, member data through libarchive. Commands are a letter,
// switches, the archive, a folder and specs: x extract with folders, e without, t test (-m1
// answers yes to every question, i.e. overwrites; -a1 -c1 -f1 -jp1 -+ are accepted); a, u, f,
// m pack from the folder (-r2 recurse, -a1 hidden files too, -x0 without folder names); d deletes.
class LhaFormat : public LibarchiveFormat {
public:
    quint16 version() const override { return 100; }
    std::optional<ArcListing> list(const QString& archive) override;
    int run(const QByteArray& command, ArcOutput& output) override;

protected:
    void enableFormats(struct archive* reader) const override;
};

// Accepts the LHA style switches: -x1, -jp1, -a1, -+ …
bool isLhaSwitch(const QString& word);

} // namespace arckit
