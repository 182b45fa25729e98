#include "platform/registry/Registry.h"

#include "platform/registry/ClassesRootView.h"
#include "platform/registry/HiveFile.h"

#include <QDir>
#include <QHash>
#include <QMutex>
#include <QStandardPaths>

#include <memory>
#include <unistd.h>

namespace platform::registry {
namespace {

inline constexpr LONG ERROR_KEY_DELETED = 1018;

struct OpenKey {
    HKEY root;
    QString path;
    REGSAM access;
};

class RegistryState {
public:
    static RegistryState& instance()
    {
        static RegistryState state;
        return state;
    }

    HiveFile* file(HKEY root)
    {
        if (root == HKEY_CURRENT_USER)
            return &m_user;
        if (root == HKEY_LOCAL_MACHINE)
            return &m_machine;
        return nullptr;
    }

    HiveData snapshot(HKEY root)
    {
        if (HiveFile* f = file(root))
            return f->snapshot();
        QMutexLocker lock(&m_mutex);
        if (!m_classesRoot)
            m_classesRoot = std::make_unique<HiveData>(classesRootFromMimeDatabase());
        return *m_classesRoot;
    }

    bool writable(HKEY root)
    {
        HiveFile* f = file(root);
        return f && f->isWritable();
    }

    LONG update(HKEY root, const std::function<LONG(HiveData&)>& change)
    {
        HiveFile* f = file(root);
        return f ? f->update(change) : ERROR_ACCESS_DENIED;
    }

    std::optional<OpenKey> resolve(HKEY handle)
    {
        if (handle == HKEY_CLASSES_ROOT || handle == HKEY_CURRENT_USER || handle == HKEY_LOCAL_MACHINE)
            return OpenKey{handle, QString(), KEY_ALL_ACCESS};
        QMutexLocker lock(&m_mutex);
        auto it = m_handles.constFind(handle);
        if (it == m_handles.cend())
            return std::nullopt;
        return it.value();
    }

    HKEY open(const OpenKey& key)
    {
        QMutexLocker lock(&m_mutex);
        const HKEY handle = m_nextHandle++;
        m_handles.insert(handle, key);
        return handle;
    }

    LONG close(HKEY handle)
    {
        QMutexLocker lock(&m_mutex);
        return m_handles.remove(handle) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
    }

private:
    RegistryState()
        : m_user(hivePath(HKEY_CURRENT_USER), rootName(HKEY_CURRENT_USER), true, 0600)
        , m_machine(hivePath(HKEY_LOCAL_MACHINE), rootName(HKEY_LOCAL_MACHINE), ::geteuid() == 0, 0644)
    {
    }

    HiveFile m_user;
    HiveFile m_machine;
    std::unique_ptr<HiveData> m_classesRoot;
    QMutex m_mutex;
    QHash<HKEY, OpenKey> m_handles;
    HKEY m_nextHandle = 0x100;
};

QString joined(const QString& base, const QString& sub)
{
    return HiveData::normalizedPath(base + u'\\' + sub);
}

bool validKeyName(const QString& path)
{
    for (QChar c : path)
        if (c.unicode() < 0x20)
            return false;
    return true;
}

// An open key as it is now: its handle's record, the hive's current contents and the key in it.
struct KeyView {
    OpenKey open;
    HiveData hive;
    const RegKey* key = nullptr;
};

LONG viewOf(HKEY handle, KeyView& view)
{
    auto& state = RegistryState::instance();
    const auto open = state.resolve(handle);
    if (!open)
        return ERROR_INVALID_HANDLE;
    view.open = *open;
    view.hive = state.snapshot(open->root);
    view.key = view.hive.key(open->path);
    return view.key ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

} // namespace

QString rootName(HKEY root)
{
    switch (root) {
    case HKEY_CLASSES_ROOT: return QStringLiteral("HKEY_CLASSES_ROOT");
    case HKEY_CURRENT_USER: return QStringLiteral("HKEY_CURRENT_USER");
    case HKEY_LOCAL_MACHINE: return QStringLiteral("HKEY_LOCAL_MACHINE");
    default: return QString();
    }
}

QString hivePath(HKEY root)
{
    const QString name = root == HKEY_LOCAL_MACHINE ? QStringLiteral("machine.reg") : QStringLiteral("user.reg");
    const QString redirected = qEnvironmentVariable("DUOPANE_HIVE_DIR");
    if (!redirected.isEmpty())
        return QDir(redirected).filePath(name);
    if (root == HKEY_LOCAL_MACHINE)
        return QStringLiteral("/etc/xdg/duopane/") + name;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/duopane/") + name;
}

void setHiveWritable(HKEY root, bool writable)
{
    if (HiveFile* f = RegistryState::instance().file(root))
        f->setWritable(writable);
}

LONG RegOpenKeyEx(HKEY key, const QString& subKey, DWORD, REGSAM access, HKEY* result)
{
    auto& state = RegistryState::instance();
    const auto base = state.resolve(key);
    if (!base)
        return ERROR_INVALID_HANDLE;
    const QString path = joined(base->path, subKey);
    if (!state.snapshot(base->root).hasKey(path))
        return ERROR_FILE_NOT_FOUND;
    if (wantsWrite(access) && !state.writable(base->root))
        return ERROR_ACCESS_DENIED;
    if (result)
        *result = state.open({base->root, path, access});
    return ERROR_SUCCESS;
}

LONG RegCreateKeyEx(HKEY key, const QString& subKey, DWORD, REGSAM access, HKEY* result, DWORD* disposition)
{
    auto& state = RegistryState::instance();
    const auto base = state.resolve(key);
    if (!base)
        return ERROR_INVALID_HANDLE;
    const QString path = joined(base->path, subKey);
    if (!validKeyName(path))
        return ERROR_INVALID_PARAMETER;
    bool existed = state.snapshot(base->root).hasKey(path);
    if (!existed || wantsWrite(access)) {
        const LONG rc = state.update(base->root, [&](HiveData& data) {
            existed = data.hasKey(path);
            data.ensureKey(path);
            return ERROR_SUCCESS;
        });
        if (rc != ERROR_SUCCESS)
            return rc;
    }
    if (disposition)
        *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    if (result)
        *result = state.open({base->root, path, access});
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key)
{
    if (key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE)
        return ERROR_SUCCESS;
    return RegistryState::instance().close(key);
}

LONG RegDeleteKey(HKEY key, const QString& subKey)
{
    auto& state = RegistryState::instance();
    const auto base = state.resolve(key);
    if (!base)
        return ERROR_INVALID_HANDLE;
    const QString path = joined(base->path, subKey);
    if (!state.snapshot(base->root).hasKey(path))
        return ERROR_FILE_NOT_FOUND;
    return state.update(base->root, [&](HiveData& data) { return data.removeKey(path); });
}

LONG RegDeleteValue(HKEY key, const QString& valueName)
{
    auto& state = RegistryState::instance();
    const auto open = state.resolve(key);
    if (!open)
        return ERROR_INVALID_HANDLE;
    if (!(open->access & KEY_SET_VALUE))
        return ERROR_ACCESS_DENIED;
    return state.update(open->root, [&](HiveData& data) { return data.removeValue(open->path, valueName); });
}

LONG RegQueryValueEx(HKEY key, const QString& valueName, DWORD* type, quint8* data, DWORD* size)
{
    KeyView view;
    if (const LONG rc = viewOf(key, view); rc != ERROR_SUCCESS)
        return rc;
    if (!(view.open.access & KEY_QUERY_VALUE))
        return ERROR_ACCESS_DENIED;
    const RegValue* value = view.hive.value(view.open.path, valueName);
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    if (type)
        *type = value->type;
    const DWORD needed = DWORD(value->data.size());
    if (!size)
        return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
    if (data && *size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (data)
        std::copy(value->data.cbegin(), value->data.cend(), data);
    *size = needed;
    return ERROR_SUCCESS;
}

LONG RegSetValueEx(HKEY key, const QString& valueName, DWORD type, const quint8* data, DWORD size)
{
    auto& state = RegistryState::instance();
    const auto open = state.resolve(key);
    if (!open)
        return ERROR_INVALID_HANDLE;
    if (!(open->access & KEY_SET_VALUE))
        return ERROR_ACCESS_DENIED;
    if (!data && size)
        return ERROR_INVALID_PARAMETER;
    const RegValue value{valueName, type, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))};
    return state.update(open->root, [&](HiveData& hive) {
        if (!hive.hasKey(open->path))
            return ERROR_KEY_DELETED;
        hive.setValue(open->path, value);
        return ERROR_SUCCESS;
    });
}

LONG RegEnumKeyEx(HKEY key, DWORD index, QString* name)
{
    KeyView view;
    if (const LONG rc = viewOf(key, view); rc != ERROR_SUCCESS)
        return rc;
    const QStringList names = view.hive.subkeyNames(view.open.path);
    if (index >= DWORD(names.size()))
        return ERROR_NO_MORE_ITEMS;
    if (name)
        *name = names[index];
    return ERROR_SUCCESS;
}

LONG RegEnumValue(HKEY key, DWORD index, QString* name, DWORD* type, QByteArray* data)
{
    KeyView view;
    if (const LONG rc = viewOf(key, view); rc != ERROR_SUCCESS)
        return rc;
    if (index >= DWORD(view.key->values.size()))
        return ERROR_NO_MORE_ITEMS;
    const RegValue& v = view.key->values[index];
    if (name)
        *name = v.name;
    if (type)
        *type = v.type;
    if (data)
        *data = v.data;
    return ERROR_SUCCESS;
}

LONG RegQueryInfoKey(HKEY key, DWORD* subKeys, DWORD* maxSubKeyLength, DWORD* values, DWORD* maxValueNameLength,
                     DWORD* maxValueLength)
{
    KeyView view;
    if (const LONG rc = viewOf(key, view); rc != ERROR_SUCCESS)
        return rc;
    const QStringList names = view.hive.subkeyNames(view.open.path);
    DWORD longestKey = 0, longestName = 0, longestData = 0;
    for (const QString& n : names)
        longestKey = std::max(longestKey, DWORD(n.toUtf8().size()));
    for (const RegValue& v : view.key->values) {
        longestName = std::max(longestName, DWORD(v.name.toUtf8().size()));
        longestData = std::max(longestData, DWORD(v.data.size()));
    }
    if (subKeys)
        *subKeys = DWORD(names.size());
    if (maxSubKeyLength)
        *maxSubKeyLength = longestKey;
    if (values)
        *values = DWORD(view.key->values.size());
    if (maxValueNameLength)
        *maxValueNameLength = longestName;
    if (maxValueLength)
        *maxValueLength = longestData;
    return ERROR_SUCCESS;
}

} // namespace platform::registry
