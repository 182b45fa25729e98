#pragma once

#include "platform/archivers/kit/ArcFormat.h"
#include "platform/archivers/kit/ExtractTarget.h"

namespace arckit {

// ARJ archives. The headers are read here (every header's CRC checked); members are unpacked
// by Debian's arj program into a private folder inside the target and then moved into place
// through the same checks as every other kind. Commands: x (with folders) or e (without),
// switches -i- -y+ -!@ and the like, then the archive, the target folder and the specs.
class ArjFormat : public ArcFormat {
public:
    quint16 version() const override { return 100; }
    std::optional<ArcListing> list(const QString& archive) override;
    int run(const QByteArray& command, ArcOutput& output) override;

    // The listing of ARJ data in memory (the fuzzer's way in).
    static std::optional<ArcListing> parse(const QByteArray& data);

private:
    int extract(const QString& archive, const ArcListing& chosen, ExtractTarget& target);
};

} // namespace arckit
