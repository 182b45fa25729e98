#include "foldertree/cColShell.h"

#include <gtest/gtest.h>

namespace {

TEST(cColShell, RefreshesMergeByFolderPrefix)
{
    const struct {
        QStringList queued;
        QStringList result;
    } cases[] = {
        // a drive replaces a folder on it; the folder adds nothing while the drive waits
        {{"D\\C\\Vol\\a\\b\\", "D\\C\\Vol\\"}, {"D\\C\\Vol"}},
        {{"D\\C\\Vol\\", "D\\C\\Vol\\a\\b"}, {"D\\C\\Vol"}},
        {{"D\\C\\Vol\\a", "D\\C\\Vol\\b"}, {"D\\C\\Vol\\a", "D\\C\\Vol\\b"}},
        {{"D\\C\\vol\\A", "D\\C\\VOL\\a\\x"}, {"D\\C\\vol\\A"}},
        // a name that merely starts like another is not below it
        {{"D\\C\\Docs", "D\\C\\Docs2"}, {"D\\C\\Docs", "D\\C\\Docs2"}},
        {{"D\\C\\a\\1", "D\\C\\b", "D\\C\\a\\2", "D\\C\\a"}, {"D\\C\\b", "D\\C\\a"}},
    };
    for (const auto& c : cases) {
        cColShell queue;
        for (const QString& hier : c.queued)
            queue.add(hier);
        EXPECT_EQ(queue.items(), c.result) << c.queued.join(" + ").toStdString();
    }
}

} // namespace
