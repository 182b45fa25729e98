#include "platform/core/FileName.h"
#include "platform/core/MountTable.h"
#include "tests/common/TestFiles.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace platform;

TEST(FileName, BytesSurviveTheTextForm)
{
    const QByteArray names[] = {
        "plain", "with space", "new\nline", "caf\xC3\xA9", "caf\xE9", "\xFF\xFE\x80", "\xF0\x9F\x98\x80 smile",
        "\xED\xA0\x80 encoded surrogate", "\xC0\xAF overlong slash", "\xF4\x90\x80\x80 above U+10FFFF",
        "\xE2\x82 cut short", "\xE2\x82",
    };
    for (const QByteArray& name : names) {
        const QString text = DecodeFileName(name);
        EXPECT_EQ(EncodeFileName(text), name) << name.toHex().toStdString();
    }
    EXPECT_EQ(DecodeFileName("caf\xC3\xA9"), QString::fromUtf8("café"));
    EXPECT_EQ(DecodeFileName("caf\xE9"), QString("caf") + QChar(0xDCE9));
    EXPECT_EQ(EncodeFileName(QString::fromUtf8("ü😀")), QByteArray("\xC3\xBC\xF0\x9F\x98\x80"));
}

TEST(MountTable, RootAndProcAreMountPoints)
{
    EXPECT_TRUE(MountPoints().contains("/"));
    EXPECT_TRUE(IsMountPoint("/"));
    EXPECT_TRUE(IsMountPoint("/proc"));
    EXPECT_TRUE(IsMountPoint("/proc/"));
    EXPECT_FALSE(IsMountPoint("/proc/self"));
    EXPECT_FALSE(IsMountPoint("relative"));
    EXPECT_EQ(MountPointOf("/proc/self/status"), "/proc/");
    EXPECT_EQ(MountPointOf("/procfake/x"), MountPointOf("/"));
    EXPECT_EQ(MountPointOf("relative/x"), "");
}

TEST(MountTable, SeesVolumesComeAndGo)
{
    // A folder with a blank, so the table's escaped form of the mount point is read too.
    const QString folder = duopane::test::freshFolder("mount point");
    const QString point = folder.chopped(1);
    ASSERT_FALSE(IsMountPoint(point));
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=1m", "none", point}) != 0)
        GTEST_SKIP() << "mounting a tmpfs was refused here";
    const bool mounted = IsMountPoint(point);
    const QString holder = MountPointOf(folder + "inner/file");
    QProcess::execute("umount", {point});
    EXPECT_TRUE(mounted);
    EXPECT_EQ(holder, folder);
    EXPECT_FALSE(IsMountPoint(point));
    EXPECT_NE(MountPointOf(folder + "inner/file"), folder);
}
