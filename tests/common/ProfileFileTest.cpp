#include "platform/core/ProfileFile.h"

#include "tests/common/Printers.h"
#include "tests/common/TestFiles.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace platform;

namespace {

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(ProfileFile, WriteKeepsTheRestOfTheFile)
{
    const QString path = duopane::test::freshFolder("profiles") + "Site.url";
    struct Case {
        const char* what;
        QByteArray before;
        QByteArray after;
    };
    const Case cases[] = {
        {"new file", "<none>", "[InternetShortcut]\r\nURL=http://x/\r\n"},
        {"replaced", "[InternetShortcut]\r\nURL=old\r\nIconIndex=0\r\n",
         "[InternetShortcut]\r\nURL=http://x/\r\nIconIndex=0\r\n"},
        {"section without case", "[internetshortcut]\nurl = old\n", "[internetshortcut]\r\nURL=http://x/\r\n"},
        {"added to its section", "[InternetShortcut]\r\nIconIndex=0\r\n\r\n[Other]\r\nURL=keep\r\n",
         "[InternetShortcut]\r\nIconIndex=0\r\nURL=http://x/\r\n\r\n[Other]\r\nURL=keep\r\n"},
        {"new section at the end", "[Other]\r\nURL=keep\r\n", "[Other]\r\nURL=keep\r\n[InternetShortcut]\r\nURL=http://x/\r\n"},
        {"comment kept", "; URL=comment\r\n[InternetShortcut]\r\n; URL=not this\r\n",
         "; URL=comment\r\n[InternetShortcut]\r\n; URL=not this\r\nURL=http://x/\r\n"},
    };
    for (const Case& c : cases) {
        QFile::remove(path);
        if (c.before != "<none>")
            duopane::test::writeBytes(path, c.before);
        ASSERT_TRUE(WritePrivateProfileString("InternetShortcut", "URL", "http://x/", path)) << c.what;
        EXPECT_EQ(contentOf(path), c.after) << c.what;
        EXPECT_EQ(GetPrivateProfileString("InternetShortcut", "URL", "", path, 2047), "http://x/") << c.what;
    }
}

TEST(ProfileFile, NamesThatWouldBreakTheFileAreRefused)
{
    const QString path = duopane::test::freshFolder("profiles") + "bad.url";
    EXPECT_FALSE(WritePrivateProfileString("Sec\r\n[Other]", "URL", "x", path));
    EXPECT_FALSE(WritePrivateProfileString("Sec]", "URL", "x", path));
    EXPECT_FALSE(WritePrivateProfileString("Sec", "U=RL", "x", path));
    EXPECT_FALSE(WritePrivateProfileString("Sec", "", "x", path));
    EXPECT_FALSE(WritePrivateProfileString("Sec", "URL", "x\r\nInjected=1", path));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(WritePrivateProfileString("Sec", "URL", "x", path + "/no/folder"));
    EXPECT_EQ(GetPrivateProfileString("Sec", "URL", "fallback", path, 4), "fall");
}
