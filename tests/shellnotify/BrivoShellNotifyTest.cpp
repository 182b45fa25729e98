#include "shellnotify/BrivoShellNotify.h"

#include "platform/shell/FileOperation.h"
#include "platform/shell/ShellChangeHub.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/shell/ShellTypes.h"
#include "tests/shell/ShellTestSupport.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace platform;
using namespace duopane::test;

namespace {

struct Event {
    QString name;
    ItemIdList pidl1, pidl2;
    QString name1, path1, hier1, name2, path2, hier2;
};

class BrivoShellNotifyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        notify.Activate();
        QObject::connect(&notify, &BrivoShellNotify::ShellEvent,
                         [this](const QString& e, const ItemIdList& p1, const QString& n1, const QString& s1, const QString& h1,
                                const ItemIdList& p2, const QString& n2, const QString& s2, const QString& h2) {
                             events.append({e, p1, p2, n1, s1, h1, n2, s2, h2});
                         });
    }
    // Events arrive from the event loop; wait for the first one named event.
    const Event* waitFor(const QString& event, int ms = 3000)
    {
        for (int waited = 0; waited <= ms; waited += 20) {
            for (const Event& e : events)
                if (e.name == event)
                    return &e;
            QTest::qWait(20);
        }
        return nullptr;
    }

    BrivoShellNotify notify;
    QList<Event> events;
    QTemporaryDir dir;
};

TEST_F(BrivoShellNotifyTest, MakingAFolderRaisesMkdirWithItsPath)
{
    ASSERT_NE(notify.m_hSHNotify, 0u);
    ASSERT_TRUE(runFileOperation({FO_COPY, {}, dir.path() + "/made/", FOF_SILENT | FOF_NOCONFIRMMKDIR}).ok());
    const Event* e = waitFor(QStringLiteral("SHCNE_MKDIR"));
    ASSERT_NE(e, nullptr);
    EXPECT_FALSE(e->pidl1.isNull());
    EXPECT_EQ(e->path1, dir.path() + "/made/");
    EXPECT_EQ(e->name1, QStringLiteral("made"));
    EXPECT_TRUE(e->hier1.endsWith(QStringLiteral("\\made\\")));
    EXPECT_TRUE(e->pidl2.isNull());
    EXPECT_TRUE(e->name2.isEmpty() && e->path2.isEmpty() && e->hier2.isEmpty());
}

TEST_F(BrivoShellNotifyTest, RenamingAFileNamesOldThenNewBothWithTrailingSeparators)
{
    writeBytes(bytesOf(dir.path()) + "/before.txt", "x");
    ASSERT_TRUE(runFileOperation({FO_RENAME, {dir.path() + "/before.txt"}, QStringLiteral("after.txt"), 0}).ok());
    const Event* e = waitFor(QStringLiteral("SHCNE_RENAMEITEM"));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->path1, dir.path() + "/before.txt/");
    EXPECT_EQ(e->path2, dir.path() + "/after.txt/");
}

TEST_F(BrivoShellNotifyTest, ChangesByOtherProgramsInWatchedFoldersArrive)
{
    ShellChangeHub::instance().watchFolder(bytesOf(dir.path()));
    ASSERT_EQ(QProcess::execute(QStringLiteral("mkdir"), {dir.path() + "/by-another"}), 0);
    const Event* e = waitFor(QStringLiteral("SHCNE_MKDIR"));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->path1, dir.path() + "/by-another/");
    ShellChangeHub::instance().unwatchFolder(bytesOf(dir.path()));
    EXPECT_FALSE(ShellChangeHub::instance().isWatched(bytesOf(dir.path())));
}

TEST_F(BrivoShellNotifyTest, EventsWithoutItemsAndUnknownCodes)
{
    const ItemIdList folder = ShellNamespace::parse(dir.path());
    notify.HandleShellNotify({SHCNE_FREESPACE, folder, {}});
    notify.HandleShellNotify({SHCNE_UPDATEIMAGE, folder, {}});
    notify.HandleShellNotify({SHCNE_MKDIR, {}, {}});
    EXPECT_TRUE(events.isEmpty());
    notify.HandleShellNotify({0x12345, folder, {}});
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events[0].name, QString());
    // A virtual item has a name but no path.
    notify.HandleShellNotify({SHCNE_UPDATEDIR, ShellNamespace::specialFolder(CSIDL_DRIVES), {}});
    ASSERT_EQ(events.size(), 2);
    EXPECT_EQ(events[1].name1, QStringLiteral("Computer"));
    EXPECT_TRUE(events[1].path1.isEmpty());
    EXPECT_EQ(events[1].hier1, QStringLiteral("Desktop\\Computer\\"));
    const struct {
        quint32 code;
        const char* name;
    } names[] = {{0x1, "SHCNE_RENAMEITEM"}, {0x100, "SHCNE_DRIVEADD"}, {0x2381F, "SHCNE_DISKEVENTS"},
                 {0x7FFFFFFF, "SHCNE_ALLEVENTS"}, {0x80000000, "SHCNE_INTERRUPT"}, {0x3, ""}};
    for (const auto& n : names)
        EXPECT_EQ(BrivoShellNotify::EventName(n.code), QString::fromLatin1(n.name)) << n.code;
}

TEST_F(BrivoShellNotifyTest, TerminateTwiceOrBeforeActivateIsHarmless)
{
    BrivoShellNotify fresh;
    fresh.Terminate();
    EXPECT_EQ(fresh.m_hSHNotify, 0u);
    fresh.Activate();
    const quint32 handle = fresh.m_hSHNotify;
    fresh.Activate();
    EXPECT_EQ(fresh.m_hSHNotify, handle);
    fresh.Terminate();
    fresh.Terminate();
    EXPECT_EQ(fresh.m_hSHNotify, 0u);
}

TEST_F(BrivoShellNotifyTest, AVolumeMountedAndUnmountedIsADriveEvent)
{
    auto mount = std::make_unique<TmpfsMount>();
    DUOPANE_NEED_TMPFS(*mount);
    const QString where = mount->path();
    ShellChangeHub::instance().rescanMounts();
    const Event* added = waitFor(QStringLiteral("SHCNE_DRIVEADD"));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->path1, where + "/");
    mount->unmount();
    const Event* removed = waitFor(QStringLiteral("SHCNE_DRIVEREMOVED"));
    ASSERT_NE(removed, nullptr);
    EXPECT_EQ(removed->path1, where + "/");
}

} // namespace
