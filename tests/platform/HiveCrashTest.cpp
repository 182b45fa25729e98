#include "platform/registry/HiveText.h"
#include "platform/registry/Registry.h"
#include "tests/support/TestEnvironment.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <gtest/gtest.h>

using namespace platform::registry;

namespace {

QString writer()
{
    return duopane::test::buildDir() + "/bin/hive-writer";
}

HiveParse readHive()
{
    QFile file(hivePath(HKEY_CURRENT_USER));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseHiveText(file.readAll(), "HKEY_CURRENT_USER");
}

quint32 generation(const HiveData& data, const QString& key, const char* name)
{
    const RegValue* v = data.value(key, QString::fromLatin1(name));
    if (!v || v->data.size() != 4)
        return 0;
    quint32 n = 0;
    memcpy(&n, v->data.constData(), 4);
    return n;
}

} // namespace

// A process killed at any moment while it writes leaves a hive that parses and holds, value by
// value, the old or the new generation: never a torn file.
TEST(HiveCrash, KilledWritersNeverTearTheFile)
{
    QRandomGenerator random(20261211);
    bool written = false;
    for (int round = 0; round < 200; ++round) {
        const quint32 base = quint32(round + 1) * 1000000;
        QProcess p;
        p.start(writer(), {"Software\\Crash", "0", QString::number(base)});
        ASSERT_TRUE(p.waitForStarted());
        QThread::msleep(random.bounded(2, 40));
        ::kill(pid_t(p.processId()), SIGKILL);
        p.waitForFinished();

        const HiveParse parsed = readHive();
        ASSERT_EQ(parsed.damagedLine, 0) << "round " << round;
        // Values are written in order A..E, each writer with higher generations than the one
        // before: a later value is the same generation, one behind, or an older writer's.
        quint32 previous = generation(parsed.data, "Software\\Crash", "A");
        EXPECT_TRUE(previous || !written) << "round " << round << ": values once stored were lost";
        written = written || previous;
        for (const char* name : {"B", "C", "D", "E"}) {
            const quint32 g = generation(parsed.data, "Software\\Crash", name);
            EXPECT_TRUE(g == previous || g + 1 == previous || g / 1000000 < previous / 1000000)
                << "round " << round << ": " << name << "=" << g << " after " << previous;
            previous = g;
        }
    }
}

TEST(HiveCrash, ConcurrentWritersKeepEachOthersValues)
{
    QProcess one, two;
    one.start(writer(), {"Software\\One", "150", "1"});
    two.start(writer(), {"Software\\Two", "150", "1"});
    ASSERT_TRUE(one.waitForFinished(60000));
    ASSERT_TRUE(two.waitForFinished(60000));
    EXPECT_EQ(one.exitCode(), 0);
    EXPECT_EQ(two.exitCode(), 0);
    const HiveParse parsed = readHive();
    for (const char* key : {"Software\\One", "Software\\Two"})
        for (const char* name : {"A", "B", "C", "D", "E"})
            EXPECT_EQ(generation(parsed.data, key, name), 150u) << key << " " << name;
}
