#pragma once

#include <QStringList>

class QMimeData;

namespace platform {

// The clipboard's file list, as the desktop's file managers exchange it: text/uri-list, and
// x-special/gnome-copied-files with "copy" or "cut" first. Names keep every byte (non-UTF-8
// bytes travel percent-encoded).
class ClipboardFileList {
public:
    static QMimeData* toMimeData(const QStringList& paths, bool cut = false);
    static QStringList fromMimeData(const QMimeData* data, bool* cut = nullptr);
    static QByteArray uriOf(const QString& path);
    static QString pathOfUri(const QByteArray& uri);
};

} // namespace platform
