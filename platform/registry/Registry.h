#pragma once

#include "platform/registry/RegistryTypes.h"

#include <QByteArray>
#include <QString>

// The registry calls the program uses, with Win32 semantics and error codes. HKEY_CURRENT_USER
// and HKEY_LOCAL_MACHINE are stored hive files; HKEY_CLASSES_ROOT is a read-only view of the
// MIME database. Handles are process-wide and safe to use from any thread.
namespace platform::registry {

LONG RegOpenKeyEx(HKEY key, const QString& subKey, DWORD options, REGSAM access, HKEY* result);
LONG RegCreateKeyEx(HKEY key, const QString& subKey, DWORD options, REGSAM access, HKEY* result,
                    DWORD* disposition = nullptr);
LONG RegCloseKey(HKEY key);
LONG RegDeleteKey(HKEY key, const QString& subKey);
LONG RegDeleteValue(HKEY key, const QString& valueName);

// data may be null to ask for type and size only; *size is in and out, as in Win32:
// a buffer too small returns ERROR_MORE_DATA with the needed size.
LONG RegQueryValueEx(HKEY key, const QString& valueName, DWORD* type, quint8* data, DWORD* size);
LONG RegSetValueEx(HKEY key, const QString& valueName, DWORD type, const quint8* data, DWORD size);

LONG RegEnumKeyEx(HKEY key, DWORD index, QString* name);
LONG RegEnumValue(HKEY key, DWORD index, QString* name, DWORD* type = nullptr, QByteArray* data = nullptr);
LONG RegQueryInfoKey(HKEY key, DWORD* subKeys, DWORD* maxSubKeyLength, DWORD* values,
                     DWORD* maxValueNameLength, DWORD* maxValueLength);

// Where the hive files are: $DUOPANE_HIVE_DIR when set (tests), else the XDG locations.
QString hivePath(HKEY root);
// The machine hive is writable only by root; a test can take that right away.
void setHiveWritable(HKEY root, bool writable);
QString rootName(HKEY root);

} // namespace platform::registry
