#pragma once

#include "platform/registry/HiveData.h"

namespace platform::registry {

// REGEDIT4-style text of one hive. A damaged text is read as far as it parses.
struct HiveParse {
    HiveData data;
    int damagedLine = 0; // 1-based line where reading stopped; 0 when the whole text parsed
};

HiveParse parseHiveText(const QByteArray& text, const QString& rootName);
QByteArray hiveText(const HiveData& data, const QString& rootName);

} // namespace platform::registry
