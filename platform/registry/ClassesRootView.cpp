#include "platform/registry/ClassesRootView.h"

#include <QMimeDatabase>

namespace platform::registry {
namespace {

RegValue stringValue(const QString& name, const QString& text)
{
    return RegValue{name, REG_SZ, text.toUtf8() + '\0'};
}

} // namespace

HiveData classesRootFromMimeDatabase()
{
    HiveData data;
    data.ensureKey(QString());
    const QMimeDatabase db;
    for (const QMimeType& type : db.allMimeTypes()) {
        bool any = false;
        for (const QString& suffix : type.suffixes()) {
            if (suffix.contains(u'\\'))
                continue;
            const QString extension = u'.' + suffix;
            if (data.hasKey(extension))
                continue; // the first type that claims a suffix keeps it
            data.setValue(extension, stringValue(QString(), type.name()));
            data.setValue(extension, stringValue(QStringLiteral("Content Type"), type.name()));
            any = true;
        }
        if (any)
            data.setValue(type.name(), stringValue(QString(), type.comment()));
    }
    return data;
}

} // namespace platform::registry
