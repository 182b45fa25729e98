// Changes by other programs reach the watcher with inotify and, where inotify is silent, by the
// folder stamp check.
#include "platform/shell/InotifyWatcher.h"

#include "platform/shell/ShellTypes.h"
#include "tests/shell/ShellTestSupport.h"

#include <QDir>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/resource.h>

using namespace platform;
using namespace duopane::test;

namespace {

struct Heard {
    quint32 event;
    QByteArray path;
};

class WatcherHarness {
public:
    WatcherHarness() : watcher([this](quint32 e, const QByteArray& a, const QByteArray&) { heard.append({e, a}); }) {}
    bool waitFor(quint32 event, const QByteArray& path, int ms)
    {
        return QTest::qWaitFor([&] {
            return std::any_of(heard.begin(), heard.end(), [&](const Heard& h) { return h.event == event && h.path == path; });
        }, ms);
    }
    int count(quint32 event) const
    {
        return int(std::count_if(heard.begin(), heard.end(), [&](const Heard& h) { return h.event == event; }));
    }

    QList<Heard> heard;
    InotifyWatcher watcher;
};

// The watcher made while no file descriptor is left, as when the inotify limits are spent.
std::unique_ptr<WatcherHarness> harnessWithoutInotify()
{
    rlimit saved {};
    ::getrlimit(RLIMIT_NOFILE, &saved);
    rlimit none = saved;
    none.rlim_cur = 0;
    ::setrlimit(RLIMIT_NOFILE, &none);
    auto harness = std::make_unique<WatcherHarness>();
    ::setrlimit(RLIMIT_NOFILE, &saved);
    return harness;
}

TEST(InotifyWatcher, AFolderMadeByAnotherProgramIsOneMkdir)
{
    QTemporaryDir dir;
    WatcherHarness h;
    ASSERT_TRUE(h.watcher.isValid());
    h.watcher.watch(bytesOf(dir.path()));
    ASSERT_EQ(QProcess::execute(QStringLiteral("mkdir"), {dir.path() + "/made"}), 0);
    EXPECT_TRUE(h.waitFor(SHCNE_MKDIR, bytesOf(dir.path() + "/made"), 5000));
    // The stamp check that follows knows inotify already told of this change.
    QTest::qWait(InotifyWatcher::PollInterval * 2 + 200);
    EXPECT_EQ(h.count(SHCNE_UPDATEDIR), 0);
    EXPECT_EQ(h.count(SHCNE_MKDIR), 1);
}

TEST(InotifyWatcher, WithoutInotifyTheStampCheckStillSeesChanges)
{
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + "/doomed");
    auto h = harnessWithoutInotify();
    ASSERT_FALSE(h->watcher.isValid());
    const QByteArray folder = bytesOf(dir.path());
    h->watcher.watch(folder);
    h->watcher.watch(folder + "/doomed");
    EXPECT_TRUE(h->watcher.isWatched(folder));
    ASSERT_EQ(QProcess::execute(QStringLiteral("mkdir"), {dir.path() + "/made"}), 0);
    EXPECT_TRUE(h->waitFor(SHCNE_UPDATEDIR, folder, InotifyWatcher::PollInterval * 3));
    ASSERT_EQ(QProcess::execute(QStringLiteral("rmdir"), {dir.path() + "/doomed"}), 0);
    EXPECT_TRUE(h->waitFor(SHCNE_RMDIR, folder + "/doomed", InotifyWatcher::PollInterval * 3));
    // A folder no longer watched is no longer checked.
    h->watcher.unwatch(folder);
    h->heard.clear();
    ASSERT_EQ(QProcess::execute(QStringLiteral("mkdir"), {dir.path() + "/later"}), 0);
    QTest::qWait(InotifyWatcher::PollInterval + 500);
    EXPECT_EQ(h->count(SHCNE_UPDATEDIR), 0);
}

} // namespace
