#include "common/cRegistry.h"

#include "platform/registry/Registry.h"

#include <QCoreApplication>
#include <QFileInfo>

using namespace platform::registry;

namespace {

// Expands %NAME% references from the environment; unknown names stay as they are.
QString expandEnvironmentStrings(const QString& text)
{
    QString out;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype open = text.indexOf(u'%', pos);
        const qsizetype close = open < 0 ? -1 : text.indexOf(u'%', open + 1);
        if (close < 0) {
            out += text.mid(pos);
            break;
        }
        const QString name = text.mid(open + 1, close - open - 1);
        out += text.mid(pos, open - pos);
        if (!name.isEmpty() && qEnvironmentVariableIsSet(name.toLocal8Bit().constData())) {
            out += qEnvironmentVariable(name.toLocal8Bit().constData());
            pos = close + 1;
        } else {
            out += u'%' + name;
            pos = close; // the closing % may open the next reference
        }
    }
    return out;
}

// A text with a "%" and another "%" at least two characters after it is an expandable string.
bool looksExpandable(const QString& text)
{
    const qsizetype first = text.indexOf(u'%');
    return first >= 0 && text.indexOf(u'%', first + 2) >= 0;
}

bool isWholeNumber32(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
        return true;
    default:
        return false;
    }
}

QString sourceName()
{
    const QString program = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    return QFileInfo(program).completeBaseName() + QStringLiteral(".cRegistry");
}

struct KeyHandle {
    HKEY handle = 0;
    ~KeyHandle()
    {
        if (handle)
            RegCloseKey(handle);
    }
};

} // namespace

QVariant cRegistry::Value()
{
    KeyHandle key;
    if (RegOpenKeyEx(ClassKey, SectionKey, 0, KEY_QUERY_VALUE, &key.handle) != ERROR_SUCCESS)
        return Default;
    DWORD type = 0;
    DWORD size = 0;
    const LONG asked = RegQueryValueEx(key.handle, ValueKey, &type, nullptr, &size);
    if (asked != ERROR_SUCCESS && asked != ERROR_MORE_DATA)
        return Default;
    QByteArray data(qsizetype(size), '\0');
    if (RegQueryValueEx(key.handle, ValueKey, &type, reinterpret_cast<quint8*>(data.data()), &size) != ERROR_SUCCESS)
        return Default;
    data.truncate(qsizetype(size));
    ValueType = type;
    const auto* b = reinterpret_cast<const uchar*>(data.constData());
    switch (type) {
    case REG_DWORD:
        return data.size() < 4 ? Default : QVariant(qint32(b[0] | (b[1] << 8) | (b[2] << 16) | (quint32(b[3]) << 24)));
    case REG_DWORD_BIG_ENDIAN:
        return data.size() < 4 ? Default : QVariant(qint32(b[3] | (b[2] << 8) | (b[1] << 16) | (quint32(b[0]) << 24)));
    case REG_SZ:
    case REG_MULTI_SZ:
    case REG_EXPAND_SZ: {
        // The stored terminating NUL is not part of the text; inner NULs of a list are.
        if (data.endsWith('\0'))
            data.chop(1);
        const QString text = QString::fromUtf8(data);
        return type == REG_EXPAND_SZ ? expandEnvironmentStrings(text) : text;
    }
    default:
        return data;
    }
}

bool cRegistry::SetValue(const QVariant& value)
{
    const QString failure = QStringLiteral("Failed to set registry value Key: '%1',Section: '%2',Key: '%3' to value: '%4'")
                                .arg(keyText(), SectionKey, ValueKey, value.toString());
    KeyHandle key;
    if (RegCreateKeyEx(ClassKey, SectionKey, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, &key.handle) != ERROR_SUCCESS)
        return fail(errCreateOpenDelete, failure);
    LONG rc = ERROR_SUCCESS;
    auto store = [&](DWORD type, const QByteArray& data) {
        rc = RegSetValueEx(key.handle, ValueKey, type, reinterpret_cast<const quint8*>(data.constData()),
                           DWORD(data.size()));
    };
    switch (ValueType) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
        const QString text = value.toString();
        store(looksExpandable(text) ? REG_EXPAND_SZ : REG_SZ, text.toUtf8() + '\0');
        break;
    }
    case REG_BINARY:
        if (value.typeId() == QMetaType::QByteArray)
            store(REG_BINARY, value.toByteArray());
        break;
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN:
        if (isWholeNumber32(value)) {
            const quint32 n = value.toUInt();
            const char bytes[4] = {char(n & 0xff), char((n >> 8) & 0xff), char((n >> 16) & 0xff), char(n >> 24)};
            store(REG_DWORD, QByteArray(bytes, 4));
        }
        break;
    default:
        rc = ERROR_INVALID_DATA;
    }
    if (rc != ERROR_SUCCESS)
        return fail(errWrite, failure);
    m_lastValue = value;
    return true;
}

bool cRegistry::KeyExists() const
{
    KeyHandle key;
    return RegOpenKeyEx(ClassKey, SectionKey, 0, KEY_QUERY_VALUE, &key.handle) == ERROR_SUCCESS;
}

bool cRegistry::DeleteKey()
{
    if (RegDeleteKey(ClassKey, SectionKey) == ERROR_SUCCESS)
        return true;
    return fail(errCreateOpenDelete,
                QStringLiteral("Failed to delete registry Key: '%1',Section: '%2").arg(keyText(), SectionKey));
}

bool cRegistry::CreateKey()
{
    KeyHandle key;
    if (RegCreateKeyEx(ClassKey, SectionKey, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, &key.handle) == ERROR_SUCCESS)
        return true;
    return fail(errCreateOpenDelete, QStringLiteral("Failed to create registry Key: '%1").arg(SectionKey));
}

bool cRegistry::DeleteValue()
{
    KeyHandle key;
    if (RegOpenKeyEx(ClassKey, SectionKey, 0, KEY_ALL_ACCESS, &key.handle) != ERROR_SUCCESS)
        return fail(errCreateOpenDelete, QStringLiteral("Failed to open key '%1',Section: '%2' for delete access")
                                             .arg(keyText(), SectionKey));
    if (RegDeleteValue(key.handle, ValueKey) == ERROR_SUCCESS)
        return true;
    return fail(errCreateOpenDelete, QStringLiteral("Failed to delete registry Key: '%1',Section: '%2',Key: '%3")
                                         .arg(keyText(), SectionKey, ValueKey));
}

bool cRegistry::EnumerateSections(QStringList& names, int& count)
{
    names.clear();
    count = 0;
    KeyHandle key;
    if (RegOpenKeyEx(ClassKey, SectionKey, 0, KEY_ENUMERATE_SUB_KEYS, &key.handle) != ERROR_SUCCESS)
        return true;
    QString name;
    LONG rc = ERROR_SUCCESS;
    for (DWORD i = 0; (rc = RegEnumKeyEx(key.handle, i, &name)) == ERROR_SUCCESS; ++i)
        names.append(name.left(255));
    count = int(names.size());
    if (rc != ERROR_NO_MORE_ITEMS)
        return fail(errEnumSections, QStringLiteral("Failed to enumerate the subkeys of '%1' (error %2)").arg(SectionKey).arg(rc));
    return true;
}

bool cRegistry::EnumerateValues(QStringList& names, int& count)
{
    names.clear();
    count = 0;
    KeyHandle key;
    if (RegOpenKeyEx(ClassKey, SectionKey, 0, KEY_QUERY_VALUE, &key.handle) != ERROR_SUCCESS)
        return fail(errEnumValues, QStringLiteral("Failed to open key '%1' to list its values").arg(SectionKey));
    QString name;
    for (DWORD i = 0; RegEnumValue(key.handle, i, &name) == ERROR_SUCCESS; ++i)
        names.append(name);
    count = int(names.size());
    return true;
}

bool cRegistry::writeString(const QString& section, const QString& text)
{
    SectionKey = section;
    ValueKey.clear();
    ValueType = REG_SZ;
    return SetValue(text);
}

bool cRegistry::CreateEXEAssociation(const QString& programPath, const QString& className,
                                     const QString& classDescription, const QString& extension,
                                     const QString& openText, bool print, const QString& printText, bool makeNew,
                                     const QString& newText, bool install, const QString& installText, int iconIndex)
{
    QString path = programPath.trimmed();
    if (!path.startsWith(u'"'))
        path.prepend(u'"');
    if (!path.endsWith(u'"') || path.size() == 1)
        path.append(u'"');
    const QString arg = QStringLiteral(" \"%1\"");
    auto verb = [&](const QString& name, const QString& caption, const QString& fallback, const QString& flag) {
        const QString base = className + QStringLiteral("\\shell\\") + name;
        return writeString(base, caption.isEmpty() ? fallback : caption)
            && writeString(base + QStringLiteral("\\command"), path + flag + arg);
    };
    ClassKey = HKEY_CLASSES_ROOT;
    bool ok = writeString(u'.' + extension, className) && writeString(className, classDescription)
        && verb(QStringLiteral("open"), openText, QStringLiteral("&Open"), QString());
    if (ok && print)
        ok = verb(QStringLiteral("print"), printText, QStringLiteral("&Print"), QStringLiteral(" /p"));
    if (ok && install)
        ok = verb(QStringLiteral("add"), installText, QStringLiteral("&Install ") + extension, QStringLiteral(" /a"));
    if (ok && makeNew)
        ok = verb(QStringLiteral("new"), newText, QStringLiteral("&New"), QStringLiteral(" /n"));
    if (ok && iconIndex >= 0)
        ok = writeString(className + QStringLiteral("\\DefaultIcon"), path + u',' + QString::number(iconIndex));
    return ok;
}

bool cRegistry::CreateAdditionalEXEAssociations(const QString& className, const QStringList& items)
{
    if (items.size() % 3 != 0)
        return fail(errAssociationList,
                    QStringLiteral("Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command"));
    SectionKey = className;
    if (!KeyExists())
        return fail(errAssociationClass,
                    QStringLiteral("Error - attempt to create additional associations before class defined."));
    for (qsizetype i = 0; i < items.size(); i += 3) {
        const QString base = className + QStringLiteral("\\shell\\") + items[i];
        if (!writeString(base, items[i + 1]) || !writeString(base + QStringLiteral("\\command"), items[i + 2]))
            return false;
    }
    return true;
}

bool cRegistry::fail(qint64 number, const QString& description)
{
    m_lastError = {number, sourceName(), description};
    return false;
}
