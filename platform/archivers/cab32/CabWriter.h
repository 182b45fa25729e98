#pragma once

#include "platform/archivers/kit/PackList.h"

#include <QString>

namespace arckit {

// Writes a new cabinet through libgcab: one folder, MSZIP or no compression, names with "\".
// keepFolders false stores the bare file names. An error code or 0.
int writeCabinet(const QString& archive, const QList<PackItem>& items, bool mszip, bool keepFolders);

} // namespace arckit
