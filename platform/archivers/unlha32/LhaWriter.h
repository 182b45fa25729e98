#pragma once

#include "platform/archivers/kit/ArcOutput.h"
#include "platform/archivers/kit/ArcSelection.h"
#include "platform/archivers/kit/PackList.h"

#include <QString>

namespace arckit {

// Writes LHA archives (level 2 headers, -lh5-, or -lh0- where packing does not pay). Members
// kept from the old archive are copied as they are; the archive is replaced only when complete.
class LhaWriter {
public:
    // action: 'a' add/replace, 'u' update (newer only), 'f' freshen (existing, newer), 'm' move.
    static int pack(const QString& archive, const QList<PackItem>& items, char action, bool keepFolders,
        ArcOutput& output);
    static int remove(const QString& archive, const ArcSelection& selection, ArcOutput& output);
};

} // namespace arckit
