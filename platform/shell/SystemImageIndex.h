#pragma once

#include <QString>

namespace platform {

// The system image list's indexes: every icon the shell hands out has one stable number for the
// life of the process. The first numbers are fixed (as the system list's first pictures are);
// icons met later are appended. The pictures themselves are drawn by platform/ui/shell.
class SystemImageIndex {
public:
    enum Fixed : int {
        UnknownFile = 0,
        Document = 1,
        Application = 2,
        Folder = 3,
        FolderOpen = 4,
        Floppy = 6,
        Removable = 7,
        HardDisk = 8,
        NetworkDrive = 9,
        NetworkDriveOff = 10,
        Optical = 11,
        RamDisk = 12,
        EntireNetwork = 13,
        NetworkServer = 14,
        Computer = 15,
        Desktop = 16,
        Home = 17,
        TrashEmpty = 18,
        TrashFull = 19,
        ControlPanel = 20,
        FixedCount = 21,
    };

    // The index of a theme icon name; generic is the name to fall back on when the theme lacks it.
    static int indexOf(const QString& iconName, const QString& generic = {});
    static QString iconName(int index);
    static QString genericName(int index);
    static int count();
};

} // namespace platform
