#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The mount points of this process's mount namespace, from /proc/self/mountinfo. The table is read
// again only when the kernel reports a change on that file, so lookups are cheap.
namespace platform {

// Every mount point, without trailing "/" except for "/" itself.
QStringList MountPoints();
// The mount point that holds an absolute path (the longest mount point the path lies in), with a
// trailing "/"; "/" when nothing else holds it; empty for a path that is not absolute.
QString MountPointOf(const QString& path);
bool IsMountPoint(const QString& path);
// The text of /proc/self/mountinfo as of the last change the kernel reported.
QByteArray MountInfoText();
// A mountinfo field with its \040-style escapes (space, tab, newline, backslash) undone.
QByteArray UnescapeMountField(const QByteArray& field);

} // namespace platform
