#include "platform/ui/FontTable.h"

#include <QHash>
#include <QMutex>

namespace platform {
namespace {

struct Table {
    QMutex mutex;
    QHash<quint32, QFont> fonts;
    quint32 next = 0x0A000001;
};

Table& table()
{
    static Table t;
    return t;
}

} // namespace

quint32 CreateFontHandle(const QFont& font)
{
    Table& t = table();
    QMutexLocker lock(&t.mutex);
    const quint32 handle = t.next++;
    t.fonts.insert(handle, font);
    return handle;
}

std::optional<QFont> FontOfHandle(quint32 handle)
{
    Table& t = table();
    QMutexLocker lock(&t.mutex);
    auto it = t.fonts.constFind(handle);
    if (it == t.fonts.cend())
        return std::nullopt;
    return it.value();
}

bool DeleteFontHandle(quint32 handle)
{
    Table& t = table();
    QMutexLocker lock(&t.mutex);
    return t.fonts.remove(handle);
}

} // namespace platform
