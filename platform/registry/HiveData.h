#pragma once

#include "platform/registry/RegistryTypes.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace platform::registry {

struct RegValue {
    QString name;       // empty for the key's default value
    DWORD type = REG_NONE;
    QByteArray data;    // exactly the bytes Windows would store (strings with their NUL)
};

struct RegKey {
    QString path;       // below the root, "\" separated, as first written
    QList<RegValue> values;
};

// The keys and values of one hive. Key and value names compare without regard to case.
class HiveData {
public:
    static QString normalizedPath(const QString& path);

    const RegKey* key(const QString& path) const;
    bool hasKey(const QString& path) const { return key(path) != nullptr; }
    RegKey& ensureKey(const QString& path);
    LONG removeKey(const QString& path);
    QStringList subkeyNames(const QString& path) const;

    const RegValue* value(const QString& path, const QString& name) const;
    void setValue(const QString& path, const RegValue& value);
    LONG removeValue(const QString& path, const QString& name);

    const QMap<QString, RegKey>& keys() const { return m_keys; }
    bool operator==(const HiveData& other) const;

private:
    static QString fold(const QString& path) { return path.toCaseFolded(); }
    QMap<QString, RegKey> m_keys; // folded path -> key
};

} // namespace platform::registry
