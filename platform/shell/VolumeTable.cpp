#include "platform/shell/VolumeTable.h"

#include "platform/core/FileName.h"
#include "platform/core/MountTable.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QSet>

#include <sys/stat.h>

#include <algorithm>

namespace platform {
namespace {

bool isPseudoType(const QByteArray& type)
{
    static const QSet<QByteArray> pseudo = {
        "proc", "sysfs", "devtmpfs", "devpts", "cgroup", "cgroup2", "securityfs", "pstore", "bpf",
        "debugfs", "tracefs", "mqueue", "hugetlbfs", "fusectl", "configfs", "autofs", "binfmt_misc",
        "rpc_pipefs", "nsfs", "efivarfs", "ramfs", "squashfs", "fuse.portal", "fuse.gvfsd-fuse",
    };
    return pseudo.contains(type);
}

bool isNetworkType(const QByteArray& type)
{
    static const QSet<QByteArray> net = {
        "nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "9p", "davfs", "fuse.sshfs", "fuse.davfs2",
        "fuse.rclone", "fuse.s3fs", "glusterfs", "ceph",
    };
    return net.contains(type);
}

bool isSystemPlace(const QByteArray& mountPoint)
{
    static const QByteArrayList hidden = {"/proc", "/sys", "/dev", "/run", "/snap", "/var/lib/docker", "/boot/efi"};
    if (mountPoint.startsWith("/run/media/"))
        return false;
    for (const QByteArray& place : hidden)
        if (mountPoint == place || mountPoint.startsWith(place + '/'))
            return true;
    return false;
}

bool isFolder(const QByteArray& path)
{
    struct stat st;
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

QString labelOf(const QByteArray& device)
{
    const QDir byLabel(QStringLiteral("/dev/disk/by-label"));
    const QString target = DecodeFileName(device);
    for (const QFileInfo& link : byLabel.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        if (link.symLinkTarget() == target)
            return link.fileName().replace(QLatin1String("\\x20"), QLatin1String(" "));
    return {};
}

bool isRemovableDevice(const QByteArray& device)
{
    if (!device.startsWith("/dev/"))
        return false;
    QByteArray name = device.mid(5);
    while (!name.isEmpty() && std::isdigit(static_cast<unsigned char>(name.back())))
        name.chop(1);
    if (name.endsWith('p') && name.startsWith("nvme"))
        name.chop(1);
    QFile flag(QStringLiteral("/sys/block/%1/removable").arg(QString::fromLatin1(name)));
    return flag.open(QIODevice::ReadOnly) && flag.readAll().trimmed() == "1";
}

} // namespace

QString VolumeTable::sourceFile()
{
    const QString overridden = qEnvironmentVariable("DUOPANE_MOUNTINFO");
    return overridden.isEmpty() ? QStringLiteral("/proc/self/mountinfo") : overridden;
}

QList<Volume> VolumeTable::read()
{
    if (!qEnvironmentVariableIsEmpty("DUOPANE_MOUNTINFO")) {
        QFile file(sourceFile());
        return file.open(QIODevice::ReadOnly) ? parse(file.readAll()) : QList<Volume>();
    }
    // Namespace lookups ask for the table all the time; parsing it stats every mount point and reads
    // the disk labels, so the volumes are parsed again only when the kernel reports a change.
    static QMutex lock;
    static QByteArray parsedText;
    static QList<Volume> volumes;
    const QByteArray text = MountInfoText();
    QMutexLocker hold(&lock);
    if (text != parsedText || volumes.isEmpty()) {
        volumes = parse(text);
        parsedText = text;
    }
    return volumes;
}

QList<Volume> VolumeTable::parse(const QByteArray& text)
{
    QList<Volume> result;
    QSet<QByteArray> seen;
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const int dash = int(fields.indexOf("-"));
        if (fields.size() < 5 || dash < 6 || dash + 2 >= fields.size())
            continue;
        Volume v;
        v.mountPoint = UnescapeMountField(fields[4]);
        v.fsType = fields[dash + 1];
        v.device = UnescapeMountField(fields[dash + 2]);
        if (isPseudoType(v.fsType) || (v.mountPoint != "/" && isSystemPlace(v.mountPoint)))
            continue;
        if (!isFolder(v.mountPoint))
            continue;   // a file bound over another, as containers do with /etc/hosts
        // A later mount on the same point hides the earlier one.
        if (seen.contains(v.mountPoint))
            result.removeIf([&](const Volume& o) { return o.mountPoint == v.mountPoint; });
        seen.insert(v.mountPoint);
        v.network = isNetworkType(v.fsType);
        v.optical = v.device.startsWith("/dev/sr") || v.fsType == "iso9660" || v.fsType == "udf";
        v.removable = v.optical || isRemovableDevice(v.device);
        v.label = v.device.startsWith("/dev/") ? labelOf(v.device) : QString();
        result.append(v);
    }
    std::stable_sort(result.begin(), result.end(), [](const Volume& a, const Volume& b) {
        if ((a.mountPoint == "/") != (b.mountPoint == "/"))
            return a.mountPoint == "/";
        return a.mountPoint < b.mountPoint;
    });
    return result;
}

QList<Volume> VolumeTable::localVolumes(const QList<Volume>& all)
{
    QList<Volume> result;
    for (const Volume& v : all)
        if (!v.network)
            result.append(v);
    return result;
}

QList<Volume> VolumeTable::networkVolumes(const QList<Volume>& all)
{
    QList<Volume> result;
    for (const Volume& v : all)
        if (v.network)
            result.append(v);
    return result;
}

Volume VolumeTable::volumeOf(const QList<Volume>& all, const QByteArray& absolutePath)
{
    Volume best;
    best.mountPoint = "/";
    for (const Volume& v : all) {
        const bool holds = v.mountPoint == "/" || absolutePath == v.mountPoint
            || absolutePath.startsWith(v.mountPoint + '/');
        if (holds && v.mountPoint.size() >= best.mountPoint.size())
            best = v;
    }
    return best;
}

} // namespace platform
