#include "platform/registry/HiveData.h"

namespace platform::registry {

QString HiveData::normalizedPath(const QString& path)
{
    return path.split(u'\\', Qt::SkipEmptyParts).join(u'\\');
}

const RegKey* HiveData::key(const QString& path) const
{
    auto it = m_keys.constFind(fold(normalizedPath(path)));
    return it == m_keys.cend() ? nullptr : &it.value();
}

RegKey& HiveData::ensureKey(const QString& path)
{
    const QString normal = normalizedPath(path);
    // Ancestors exist whenever a key does, as in the real registry.
    const int cut = normal.lastIndexOf(u'\\');
    if (!normal.isEmpty())
        ensureKey(cut < 0 ? QString() : normal.left(cut));
    auto it = m_keys.find(fold(normal));
    if (it == m_keys.end())
        it = m_keys.insert(fold(normal), RegKey{normal, {}});
    return it.value();
}

LONG HiveData::removeKey(const QString& path)
{
    const QString normal = normalizedPath(path);
    if (normal.isEmpty())
        return ERROR_ACCESS_DENIED;
    auto it = m_keys.find(fold(normal));
    if (it == m_keys.end())
        return ERROR_FILE_NOT_FOUND;
    if (!subkeyNames(normal).isEmpty())
        return ERROR_ACCESS_DENIED; // RegDeleteKey refuses keys with subkeys
    m_keys.erase(it);
    return ERROR_SUCCESS;
}

QStringList HiveData::subkeyNames(const QString& path) const
{
    const QString normal = normalizedPath(path);
    const QString prefix = normal.isEmpty() ? QString() : fold(normal) + u'\\';
    QStringList names;
    for (auto it = m_keys.lowerBound(prefix); it != m_keys.cend(); ++it) {
        if (!it.key().startsWith(prefix))
            break;
        const QString rest = it.key().mid(prefix.size());
        if (!rest.isEmpty() && !rest.contains(u'\\'))
            names.append(it.value().path.mid(prefix.size()));
    }
    return names;
}

const RegValue* HiveData::value(const QString& path, const QString& name) const
{
    const RegKey* k = key(path);
    if (!k)
        return nullptr;
    const QString folded = name.toCaseFolded();
    for (const RegValue& v : k->values)
        if (v.name.toCaseFolded() == folded)
            return &v;
    return nullptr;
}

void HiveData::setValue(const QString& path, const RegValue& value)
{
    RegKey& k = ensureKey(path);
    const QString folded = value.name.toCaseFolded();
    for (RegValue& v : k.values) {
        if (v.name.toCaseFolded() == folded) {
            v.type = value.type;
            v.data = value.data;
            return;
        }
    }
    k.values.append(value);
}

LONG HiveData::removeValue(const QString& path, const QString& name)
{
    auto it = m_keys.find(fold(normalizedPath(path)));
    if (it == m_keys.end())
        return ERROR_FILE_NOT_FOUND;
    const QString folded = name.toCaseFolded();
    const auto removed = it->values.removeIf([&](const RegValue& v) { return v.name.toCaseFolded() == folded; });
    return removed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

bool HiveData::operator==(const HiveData& other) const
{
    if (m_keys.keys() != other.m_keys.keys())
        return false;
    for (auto it = m_keys.cbegin(); it != m_keys.cend(); ++it) {
        const auto& mine = it.value().values;
        const auto& theirs = other.m_keys[it.key()].values;
        if (mine.size() != theirs.size())
            return false;
        for (int i = 0; i < mine.size(); ++i)
            if (mine[i].name != theirs[i].name || mine[i].type != theirs[i].type || mine[i].data != theirs[i].data)
                return false;
    }
    return true;
}

} // namespace platform::registry
