#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace platform {

// One mounted file system the user would call a drive.
struct Volume {
    QByteArray mountPoint;   // bytes, no trailing separator except for "/"
    QByteArray device;
    QByteArray fsType;
    QString label;
    bool network = false;
    bool removable = false;
    bool optical = false;

    bool operator==(const Volume& o) const { return mountPoint == o.mountPoint && device == o.device; }
};

// The mount table read from /proc/self/mountinfo (or $DUOPANE_MOUNTINFO), filtered to the volumes a
// user works with: "/" first, then local volumes by mount point; network file systems apart.
class VolumeTable {
public:
    static QString sourceFile();
    static QList<Volume> read();
    static QList<Volume> localVolumes(const QList<Volume>& all);
    static QList<Volume> networkVolumes(const QList<Volume>& all);
    // The volume whose mount point holds the absolute path (the longest match); "/" at worst.
    static Volume volumeOf(const QList<Volume>& all, const QByteArray& absolutePath);
    // Parses the text of a mountinfo file.
    static QList<Volume> parse(const QByteArray& text);
};

} // namespace platform
