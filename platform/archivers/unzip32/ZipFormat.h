#pragma once

#include "platform/archivers/kit/ArcFormat.h"
#include "platform/archivers/kit/ArcSelection.h"
#include "platform/archivers/kit/ExtractTarget.h"

#include <zip.h>

namespace arckit {

// ZIP reading over libzip: listing, "-x" extraction (with or without folders), "-t" test and
// the "-l" text listing; encrypted members ask for their password.
class ZipFormat : public ArcFormat {
public:
    quint16 version() const override { return 100; }
    std::optional<ArcListing> list(const QString& archive) override;
    int run(const QByteArray& command, ArcOutput& output) override;

    static ArcEntry entryAt(zip_t* zip, zip_uint64_t index);

private:
    int extract(zip_t* zip, const ArcSelection& selection, ExtractTarget* target, ArcOutput& output);
    int extractMember(zip_t* zip, zip_uint64_t index, ExtractTarget* target, ArcOutput& output);
    zip_file_t* openMember(zip_t* zip, zip_uint64_t index, const QByteArray& name, bool& skipped);
    int printListing(zip_t* zip, ArcOutput& output);

    QByteArray m_password;
};

} // namespace arckit
