#pragma once

#include "platform/archivers/kit/ArcFormat.h"
#include "platform/archivers/kit/ArcSelection.h"
#include "platform/archivers/kit/ExtractTarget.h"

struct archive;

namespace arckit {

// Reading through libarchive: the kinds a library accepts are chosen by enableFormats().
// Listing walks the headers; extraction streams each chosen member into an ExtractTarget.
class LibarchiveFormat : public ArcFormat {
public:
    std::optional<ArcListing> list(const QString& archive) override;

protected:
    virtual void enableFormats(struct archive* reader) const = 0;
    // Extracts (target given) or tests (no target) the chosen members; an error code or 0.
    int extract(const QString& archive, const ArcSelection& selection, ExtractTarget* target, ArcOutput& output);
    // The usual end of a command: open the target, extract, report.
    int extractTo(const QString& archive, const ArcTargetAndSpecs& rest, ExtractTarget::Options options,
        ArcOutput& output);

private:
    struct archive* open(const QString& archive) const;
};

} // namespace arckit
