#include "platform/shell/ClipboardFileList.h"

#include "platform/core/FileName.h"

#include <QMimeData>

namespace platform {
namespace {

const QString UriList = QStringLiteral("text/uri-list");
const QString GnomeFiles = QStringLiteral("x-special/gnome-copied-files");

} // namespace

QByteArray ClipboardFileList::uriOf(const QString& path)
{
    return "file://" + EncodeFileName(path).toPercentEncoding("/");
}

QString ClipboardFileList::pathOfUri(const QByteArray& uri)
{
    QByteArray rest = uri.trimmed();
    if (!rest.startsWith("file://"))
        return {};
    rest = rest.mid(7);
    const int slash = int(rest.indexOf('/'));
    if (slash < 0)
        return {};
    const QByteArray host = rest.left(slash);
    if (!host.isEmpty() && host != "localhost")
        return {};
    return DecodeFileName(QByteArray::fromPercentEncoding(rest.mid(slash)));
}

QMimeData* ClipboardFileList::toMimeData(const QStringList& paths, bool cut)
{
    QByteArrayList uris;
    for (const QString& path : paths)
        uris.append(uriOf(path));
    auto* data = new QMimeData;
    data->setData(UriList, uris.join("\r\n") + "\r\n");
    data->setData(GnomeFiles, QByteArray(cut ? "cut" : "copy") + '\n' + uris.join('\n'));
    return data;
}

QStringList ClipboardFileList::fromMimeData(const QMimeData* data, bool* cut)
{
    QStringList paths;
    if (cut)
        *cut = false;
    if (!data)
        return paths;
    QList<QByteArray> lines;
    if (data->hasFormat(GnomeFiles)) {
        lines = data->data(GnomeFiles).split('\n');
        if (!lines.isEmpty()) {
            if (cut)
                *cut = lines.first().trimmed() == "cut";
            lines.removeFirst();
        }
    } else if (data->hasFormat(UriList)) {
        lines = data->data(UriList).split('\n');
    }
    for (const QByteArray& line : lines) {
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        const QString path = pathOfUri(line);
        if (!path.isEmpty())
            paths.append(path);
    }
    return paths;
}

} // namespace platform
