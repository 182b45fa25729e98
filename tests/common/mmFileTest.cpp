#include "common/mmFile.h"

#include "platform/core/FileName.h"
#include "platform/core/MountTable.h"
#include "tests/common/Printers.h"
#include "tests/common/TestFiles.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QRegularExpression>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace mmFile;
using duopane::test::freshFolder;
using duopane::test::writeBytes;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Keeps the process's current folder across a test that changes it.
struct CurrentFolderGuard {
    QString saved = QDir::currentPath();
    ~CurrentFolderGuard() { QDir::setCurrent(saved); }
};

} // namespace

TEST(mmFile, Classification)
{
    using Test = bool (*)(const QString&);
    struct Case {
        const char* name;
        Test test;
        QString text;
        bool expected;
    };
    const Case cases[] = {
        {"IsDrivePath", IsDrivePath, "C:\\", true},
        {"IsDrivePath", IsDrivePath, "c:\\dir\\file", true},
        {"IsDrivePath", IsDrivePath, "C:dir", false},
        {"IsDrivePath", IsDrivePath, "\\\\srv\\share", false},
        {"IsDrivePath", IsDrivePath, "/home/user/", true},
        {"IsDrivePath", IsDrivePath, "relative/dir", false},
        {"IsDriveRoot", IsDriveRoot, "C:\\", true},
        {"IsDriveRoot", IsDriveRoot, "C:\\Temp\\", false},
        {"IsDriveRoot", IsDriveRoot, "/", true},
        {"IsDriveRoot", IsDriveRoot, "/proc/", true},       // a mount point
        {"IsDriveRoot", IsDriveRoot, "/proc/self/", false},
        {"IsDriveSubfolder", IsDriveSubfolder, "C:\\Temp", true},
        {"IsDriveSubfolder", IsDriveSubfolder, "C:\\", false},
        {"IsDriveSubfolder", IsDriveSubfolder, "/usr/share/", true},
        {"IsDriveSubfolder", IsDriveSubfolder, "/", false},
        {"IsUncPath", IsUncPath, "\\\\srv", true},
        {"IsUncPath", IsUncPath, "\\srv", false},
        {"IsUncServer", IsUncServer, "\\\\srv", true},
        {"IsUncServer", IsUncServer, "\\\\srv\\", true},
        {"IsUncServer", IsUncServer, "\\\\srv\\share", false},
        {"IsUncServer", IsUncServer, "C:\\", false},
        {"IsUncBelowServer", IsUncBelowServer, "\\\\srv\\share", true},
        {"IsUncBelowServer", IsUncBelowServer, "\\\\srv\\", false},
        {"IsHttpUrl", IsHttpUrl, "Http://x", true},
        {"IsHttpUrl", IsHttpUrl, "https://x", false},
        {"IsHttpUrl", IsHttpUrl, "http:/", false},
        {"IsFtpUrl", IsFtpUrl, "FTP://host", true},
        {"IsFtpUrl", IsFtpUrl, "ftp.example", true},
        {"IsFtpUrl", IsFtpUrl, "FTPnotes.txt", true},
        {"IsFtpUrl", IsFtpUrl, "ftp", false},
        {"IsFtpUrl", IsFtpUrl, "my.ftp", false},
        {"IsUrlShortcut", IsUrlShortcut, "Site.Url", true},
        {"IsUrlShortcut", IsUrlShortcut, "url", false},
        {"IsArchiveName", IsArchiveName, "a.ZiP", true},
        {"IsArchiveName", IsArchiveName, "x.tar.gz", true},
        {"IsArchiveName", IsArchiveName, "x.z", true},
        {"IsArchiveName", IsArchiveName, "C:\\dir.old\\readme", false},
        {"IsArchiveName", IsArchiveName, "C:\\dir.zip\\readme", false},
        {"IsArchiveName", IsArchiveName, "zip", false},
        {"IsHtmlName", IsHtmlName, "index.HTM", true},
        {"IsHtmlName", IsHtmlName, "index.html", true},
        {"IsHtmlName", IsHtmlName, "index.shtml.bak", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.test(c.text), c.expected) << c.name << "(" << c.text.toStdString() << ")";
}

TEST(mmFile, PathPieces)
{
    using Piece = QString (*)(const QString&);
    struct Case {
        const char* name;
        Piece piece;
        QString text;
        QString expected;
    };
    const Case cases[] = {
        {"Separator", Separator, "x/y\\z", "\\"},
        {"Separator", Separator, "ftp://h/d", "/"},
        {"Separator", Separator, "name", ""},
        {"Separator", Separator, "/odd\\name", "/"},        // a POSIX name may hold a backslash
        {"StripTrailingSeparator", StripTrailingSeparator, "C:\\", "C:\\"},
        {"StripTrailingSeparator", StripTrailingSeparator, "\\\\", "\\\\"},
        {"StripTrailingSeparator", StripTrailingSeparator, "C:\\Temp\\", "C:\\Temp"},
        {"StripTrailingSeparator", StripTrailingSeparator, "ftp://host/dir/", "ftp://host/dir"},
        {"StripTrailingSeparator", StripTrailingSeparator, "\\\\srv\\", "\\\\srv"},
        {"StripTrailingSeparator", StripTrailingSeparator, "/", "/"},
        {"StripTrailingSeparator", StripTrailingSeparator, "/home/u/", "/home/u"},
        {"StripTrailingSeparator", StripTrailingSeparator, "name", "name"},
        {"StripTrailingSeparator", StripTrailingSeparator, "", ""},
        {"AddTrailingSeparator", AddTrailingSeparator, "C:\\Temp", "C:\\Temp\\"},
        {"AddTrailingSeparator", AddTrailingSeparator, "C:\\Temp\\", "C:\\Temp\\"},
        {"AddTrailingSeparator", AddTrailingSeparator, "/home/u", "/home/u/"},
        {"AddTrailingSeparator", AddTrailingSeparator, "name", "name"},
        {"ParentPart", ParentPart, "C:\\a\\b.txt", "C:\\a\\"},
        {"ParentPart", ParentPart, "/home/u/file", "/home/u/"},
        {"ParentPart", ParentPart, "name", "name"},
        {"LastPart", LastPart, "x/y\\z", "z"},
        {"LastPart", LastPart, "C:\\a\\", ""},
        {"LastPart", LastPart, "/home/odd\\name", "odd\\name"},
        {"LastPart", LastPart, "plain", "plain"},
        {"BaseName", BaseName, "C:\\a\\b.tar.gz", "b.tar"},
        {"BaseName", BaseName, "C:\\a\\readme", "readme"},
        {"Extension", Extension, "C:\\dir.old\\readme", "old\\readme"},
        {"Extension", Extension, "file.TXT", "TXT"},
        {"Extension", Extension, "C:\\dir\\x.zip\\", "zip"},
        {"Extension", Extension, "noext", ""},
        {"CutAtNul", CutAtNul, QString::fromLatin1("ab\0cd", 5), "ab"},
        {"CutAtNul", CutAtNul, "abc", "abc"},
        {"SingleQuoted", SingleQuoted, "a b", "'a b'"},
        {"QuoteIfSpaced", QuoteIfSpaced, "a b", "\"a b\""},
        {"QuoteIfSpaced", QuoteIfSpaced, "a,b", "\"a,b\""},
        {"QuoteIfSpaced", QuoteIfSpaced, "ab", "ab"},
        {"QuoteIfSpaced", QuoteIfSpaced, "\"a b", "\"a b"},
        {"QuoteIfSpaced", QuoteIfSpaced, "a b\"", "a b\""},
        {"QuoteIfSpaced", QuoteIfSpaced, "", ""},
        {"LastWord", LastWord, "open the door", "door"},
        {"LastWord", LastWord, "single", "single"},
        {"LastWord", LastWord, "", ""},
        {"DriveRootOf", DriveRootOf, "C:\\dir\\x", "C:\\"},
        {"DriveRootOf", DriveRootOf, "/proc/self/status", "/proc/"},
        {"DriveRootOf", DriveRootOf, "/", "/"},
        {"DriveRootOf", DriveRootOf, "relative", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.piece(c.text), c.expected) << c.name << "(" << c.text.toStdString() << ")";
}

TEST(mmFile, CompactPath)
{
    struct Case {
        QString path;
        int maxLen;
        QString expected;
    };
    const Case cases[] = {
        {"C:\\a\\b\\c\\d\\e\\f.txt", 12, "C:\\a\\...\\e\\f.txt"},
        {"C:\\a\\b\\c\\d\\e\\f.txt", 19, "C:\\a\\b\\c\\d\\e\\f.txt"},   // shorter than maxLen
        {"C:\\a\\b\\c\\d\\e\\f.txt", 18, "C:\\a\\b\\c\\d\\e\\f.txt"},   // not longer than maxLen
        {"C:\\a\\b\\c\\d\\e\\f.txt", 17, "C:\\a\\b\\...\\d\\e\\f.txt"},
        {"C:\\aaaa\\bbbb\\cccc\\dddd\\", 5, "C:\\aaaa\\...\\cccc\\dddd\\"}, // n = 4: part 2 dropped
        {"C:\\averyveryverylongfolder\\b\\c", 5, "C:\\averyveryverylongfolder\\b\\c"}, // four parts
        {"C:\\x\\longname1\\longname2\\longname3\\y\\z", 20, "C:\\x\\longname1\\...\\y\\z"},
        {"/home/user/projects/duopane/src/common/file.cpp", 30, "/home/user/.../src/common/file.cpp"},
        {"/home/user/projects/duopane/src/common/", 30, "/home/user/.../duopane/src/common/"},
        {"noseparator-but-very-long-name", 5, "noseparator-but-very-long-name"},
        {"", 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CompactPath(c.path, c.maxLen), c.expected) << c.path.toStdString() << " " << c.maxLen;
}

TEST(mmFile, ReadTextFileLineEnds)
{
    const QString folder = freshFolder("text");
    struct Case {
        QByteArray content;
        QString expected;
    };
    const Case cases[] = {
        {"one\r\ntwo\r\n", "one\r\ntwo\r\n"},
        {"one\ntwo\n", "one\ntwo\n\r\n"},             // a bare line feed ends no line
        {"one\rtwo", "one\r\ntwo\r\n"},
        {"last line without end", "last line without end\r\n"},
        {"\r\n", "\r\n"},
        {"", ""},
        {"caf\xC3\xA9\r\n", QString::fromUtf8("café\r\n")},
        {"caf\xE9\r\n", QString::fromLatin1("caf\xE9\r\n")},   // an 8-bit file keeps its letters
    };
    for (const Case& c : cases) {
        writeBytes(folder + "f.txt", c.content);
        EXPECT_EQ(ReadTextFile(folder + "f.txt"), c.expected) << c.content.toStdString();
    }
    EXPECT_EQ(ReadTextFile(folder + "missing.txt"), "");
    EXPECT_EQ(ReadTextFile(folder), "");
}

TEST(mmFile, WriteTextFileAndCanCreateFile)
{
    const QString folder = freshFolder("write");
    EXPECT_TRUE(WriteTextFile(folder + "a.txt", QString::fromUtf8("line 1\r\nzwei ü")));
    EXPECT_EQ(readBytes(folder + "a.txt"), QByteArray("line 1\r\nzwei \xC3\xBC\r\n"));
    EXPECT_EQ(ReadTextFile(folder + "a.txt"), QString::fromUtf8("line 1\r\nzwei ü\r\n"));
    EXPECT_TRUE(CanCreateFile(folder + "a.txt"));
    EXPECT_EQ(readBytes(folder + "a.txt"), QByteArray());   // an existing file is left empty
    EXPECT_FALSE(WriteTextFile(folder + "no/such/folder.txt", "x"));
    EXPECT_FALSE(CanCreateFile(folder + "no/such/folder.txt"));
    EXPECT_FALSE(CanCreateFile(folder));
    EXPECT_FALSE(WriteTextFile("/proc/version", "x"));
}

TEST(mmFile, OddNamesAreFilesAndFolders)
{
    const QString folder = freshFolder("odd");
    const QString names[] = {"with space", "new\nline", "tab\there", "back\\slash", QString::fromUtf8("ünï 😀"),
                             platform::DecodeFileName("caf\xE9"), platform::DecodeFileName("\xFF\xFE")};
    for (const QString& name : names) {
        const QString file = folder + name;
        ASSERT_TRUE(WriteTextFile(file, "x")) << name.toStdString();
        EXPECT_TRUE(IsFile(file)) << name.toStdString();
        EXPECT_FALSE(IsFolder(file)) << name.toStdString();
        EXPECT_EQ(ReadTextFile(file), "x\r\n") << name.toStdString();
        EXPECT_EQ(LastPart(file), name);
        ASSERT_EQ(::unlink(platform::EncodeFileName(file).constData()), 0);
        ASSERT_EQ(::mkdir(platform::EncodeFileName(file).constData(), 0755), 0);
        EXPECT_TRUE(IsFolder(file)) << name.toStdString();
        EXPECT_TRUE(IsFolder(file + "/")) << name.toStdString();
        EXPECT_FALSE(IsFile(file)) << name.toStdString();
    }
    // The stray bytes of a name that is not UTF-8 reach the disk unchanged.
    EXPECT_EQ(::access((folder.toUtf8() + "caf\xE9").constData(), F_OK), 0);
    for (const QString& name : names) // Qt cannot see these names, so the test's cleanup could not remove them
        ::rmdir(platform::EncodeFileName(folder + name).constData());
    for (const QString& missing : {QString(), folder + "missing", QStringLiteral("C:\\Windows")}) {
        EXPECT_FALSE(IsFile(missing));
        EXPECT_FALSE(IsFolder(missing));
    }
    ASSERT_EQ(::symlink("nowhere", platform::EncodeFileName(folder + "dangling").constData()), 0);
    EXPECT_TRUE(IsFile(folder + "dangling"));
}

TEST(mmFile, TempFolderAndNames)
{
    int error = -1;
    const QString temp = TempFolder(&error);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(temp, duopane::test::testRoot() + "/tmp/");
    const QString first = TempFileName(temp, "DPXlist", &error);
    const QString second = TempFileName(temp, "DPX", &error);
    EXPECT_EQ(error, 0);
    EXPECT_NE(first, second);
    for (const QString& name : {first, second}) {
        EXPECT_TRUE(IsFile(name)) << name.toStdString();
        EXPECT_EQ(readBytes(name), QByteArray());
        EXPECT_TRUE(QRegularExpression("^DPX[0-9A-F]{4}\\.TMP$").match(LastPart(name)).hasMatch()) << name.toStdString();
        EXPECT_EQ(ParentPart(name), temp);
    }
    EXPECT_EQ(TempFileName(temp + "missing/", "DPX", &error), "");
    EXPECT_EQ(error, 0);
    EXPECT_EQ(TempFileName(temp, "../", &error), "");
    EXPECT_EQ(error, EINVAL);
    const QString locked = freshFolder("locked");
    ::chmod(platform::EncodeFileName(locked).constData(), 0500);
    if (::geteuid() != 0) {
        EXPECT_EQ(TempFileName(locked, "DPX", &error), "");
        EXPECT_EQ(error, EACCES);
    }
    ::chmod(platform::EncodeFileName(locked).constData(), 0700);
}

TEST(mmFile, SystemFolders)
{
    EXPECT_EQ(WindowsFolder(), "/usr/");
    int error = -1;
    const QString system = SystemFolder(&error);
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(system.endsWith("/lib/duopane/")) << system.toStdString();
    EXPECT_TRUE(IsFile(system + "libduopane-platform.so"));
    EXPECT_EQ(ShortPath("/some path/x"), "/some path/x");
}

TEST(mmFile, SearchPath)
{
    const QString folder = freshFolder("search");
    WriteTextFile(folder + "only-here.txt", "x");
    qputenv("PATH", (folder + ":/usr/bin:/bin").toUtf8());
    EXPECT_EQ(FindOnSearchPath("only-here.txt"), folder + "only-here.txt");
    EXPECT_TRUE(IsOnSearchPath("sh"));
    EXPECT_FALSE(IsOnSearchPath("no-such-program-anywhere"));
    EXPECT_FALSE(IsOnSearchPath(""));
    EXPECT_FALSE(IsOnSearchPath("search"));           // a folder is not found
    EXPECT_EQ(FindOnSearchPath("/bin/sh"), "/bin/sh");
}

TEST(mmFile, CurrentFolderAndAbsolutePath)
{
    CurrentFolderGuard guard;
    const QString folder = freshFolder("cur dir");
    QDir().mkpath(folder + "sub");
    SetCurrentFolder(folder + "sub");
    const QString cur = folder + "sub/";
    EXPECT_EQ(CurrentFolderOf("C:\\"), cur);
    SetCurrentFolder("C:\\Windows");                 // no such folder: ignored
    SetCurrentFolder(folder + "missing");
    EXPECT_EQ(CurrentFolderOf(""), cur);
    struct Case {
        QString path;
        QString expected;
    };
    const Case cases[] = {
        {"", ""},
        {"file.txt", cur + "file.txt"},
        {"/abs/x", "/abs/x"},
        {"C:\\x\\y", "C:\\x\\y"},
        {"\\\\srv\\share", "\\\\srv\\share"},
        {".\\a\\b", cur + "a\\b"},
        {"..\\a\\b", folder + "a\\b"},
        {"..\\..\\a", folder + "..\\a"},              // one level only
        {"a\\b", cur + "a\\b"},
        {"./a/b", cur + "a/b"},
        {"../a", folder + "a"},
        {"a/b", cur + "a/b"},
        {"\\top", platform::MountPointOf(cur) + "top"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AbsolutePath(c.path), c.expected) << c.path.toStdString();
}

TEST(mmFile, UrlOfShortcut)
{
    const QString folder = freshFolder("links");
    struct Case {
        const char* name;
        QByteArray content;
        QString expected;
    };
    const Case cases[] = {
        {"a.url", "[InternetShortcut]\r\nURL=http://example.org/\r\n", "http://example.org/"},
        {"b.URL", "[Other]\nURL=wrong\n[internetshortcut]\n  url =  http://x.y/z?a=b  \n", "http://x.y/z?a=b"},
        {"c.url", "[InternetShortcut]\nIconIndex=0\n", ""},
        {"d.url", "[InternetShortcut]\nURL=\n", ""},
        {"e.url", "[InternetShortcut]\nURL=\"http://quoted/\"\n", "http://quoted/"},
        {"f.url", "[InternetShortcut]\nURL=http://" + QByteArray(3000, 'a') + "\n", "http://" + QString(2040, u'a')},
        {"g.txt", "[InternetShortcut]\nURL=http://not-a-shortcut/\n", ""},
    };
    for (const Case& c : cases) {
        writeBytes(folder + c.name, c.content);
        EXPECT_EQ(UrlOfShortcut(folder + c.name), c.expected) << c.name;
    }
    EXPECT_EQ(UrlOfShortcut(folder + "missing.url"), "");
}
