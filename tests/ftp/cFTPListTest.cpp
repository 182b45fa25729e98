// The listing parser against lines as servers send them.
#include "ftp/engine/cFTPList.h"

#include <QDate>
#include <QLocale>

#include <gtest/gtest.h>

namespace {

cFTPList parse(const QString& text, const QString& folder = QStringLiteral("/"))
{
    cFTPList list;
    QString listing = text;
    list.SetFTPFileList(listing);
    list.SetFolder(folder);
    return list;
}

QString shortDateTime(const QDateTime& when)
{
    const QLocale locale = QLocale::system();
    return locale.toString(when.date(), QLocale::ShortFormat) + ' ' + locale.toString(when.time(), QLocale::ShortFormat);
}

} // namespace

TEST(cFTPList, EntriesOfEachLayout)
{
    const struct {
        const char* line;
        const char* name;
        const char* size;
        const char* attr;
        bool folder;
    } cases[] = {
        {"01-15-03  10:30AM       <DIR>          pub", "pub", "", "", true},
        {"01-15-03  10:31AM                 1234 a  b.txt", "a b.txt", "1,234", "", false},
        {"drwxr-xr-x   2 owner    group         512 Jan 15 10:30 pub", "pub", "", "drwxr-xr-x", true},
        {"-rw-r--r--   1 owner    1234 Jan 15  2003 readme", "readme", "1,234", "-rw-r--r--", false},
        {"-rw-r--r--   1 owner    group   1500000 Jan 15  2003 big", "big", "1,500,000", "-rw-r--r--", false},
        {"-rw-r--r--   1 o g 6442450944 Mar  1 2021 six-gig.iso", "six-gig.iso", "6,442,450,944", "-rw-r--r--", false},
    };
    for (const auto& c : cases) {
        const cFTPList list = parse(QString::fromLatin1(c.line));
        ASSERT_EQ(list.FileNumb(), 1) << c.line;
        EXPECT_EQ(list.FileName(0), c.name) << c.line;
        EXPECT_EQ(list.FileSize(0), c.size) << c.line;
        EXPECT_EQ(list.FileAttr(0), c.attr) << c.line;
        EXPECT_EQ(list.IsFolder(0), c.folder) << c.line;
        EXPECT_FALSE(list.IsLink(0)) << c.line;
    }
}

TEST(cFTPList, DatesBecomeTheUsersShortDateAndTime)
{
    const cFTPList windows = parse("01-15-03  10:30PM       <DIR>          pub");
    EXPECT_EQ(windows.FileDate(0), shortDateTime(QDateTime(QDate(2003, 1, 15), QTime(22, 30))));
    const cFTPList withYear = parse("-rw-r--r-- 1 owner 1234 Jan 15 2003 readme");
    EXPECT_EQ(withYear.FileDate(0), shortDateTime(QDateTime(QDate(2003, 1, 15), QTime(0, 0))));
    // Without a year the date falls in the current year.
    const cFTPList withTime = parse("-rw-r--r-- 1 owner group 1 Jan 15 10:30 a");
    EXPECT_EQ(withTime.FileDate(0), shortDateTime(QDateTime(QDate(QDate::currentDate().year(), 1, 15), QTime(10, 30))));
}

TEST(cFTPList, TotalLineDotNamesAndShortLinesAreSkipped)
{
    const QString text =
        "total 12\r\n"
        "drwxr-xr-x 2 o g 512 Jan 15 10:30 .\r\n"
        "drwxr-xr-x 2 o g 512 Jan 15 10:30 ..\r\n"
        "-rw-r--r-- 1 o g 5 Jan 15 10:30 .hidden\r\n"
        "-rw-r--r-- 1 o g 5 Jan 15 10:30 shown\r\n"
        "garbage line\r\n"
        "\r\n"
        "-rw-r--r-- 1 o g 7 Jan 16 10:30 second\r\n";
    const cFTPList list = parse(text);
    ASSERT_EQ(list.FileNumb(), 2);
    EXPECT_EQ(list.FileName(0), "shown");
    EXPECT_EQ(list.FileName(1), "second");
    EXPECT_EQ(parse(text.mid(text.indexOf("drwx"))).FileNumb(), 2);
}

TEST(cFTPList, FirstLineWithADateFixesTheLayout)
{
    const cFTPList list = parse("no date here at all in this line ok\r\n"
                                "-rw-r--r-- 1 owner 1234 Jan 15 2003 readme\r\n"
                                "-rw-r--r-- 1 owner 99 Feb 1 2004 other file\r\n");
    ASSERT_EQ(list.FileNumb(), 2);
    EXPECT_EQ(list.FileName(1), "other file");
    EXPECT_EQ(list.FileSize(1), "99");
}

TEST(cFTPList, LinksAndTheirPaths)
{
    cFTPList root = parse("lrwxrwxrwx 1 o g 7 Jan 15 10:30 pub -> usr/pub", "/");
    ASSERT_EQ(root.FileNumb(), 1);
    EXPECT_EQ(root.FileName(0), "pub");
    EXPECT_EQ(root.FileLink(0), "usr/pub");
    EXPECT_TRUE(root.IsLink(0));
    EXPECT_FALSE(root.IsFolder(0));
    EXPECT_EQ(root.Path(0), "/pub");
    root.SetIsFolder(0, true);
    EXPECT_EQ(root.Path(0), "/usr/pub/");

    cFTPList nested = parse("lrwxrwxrwx 1 o g 7 Jan 15 10:30 up -> ../x -> y", "/a/b/");
    EXPECT_EQ(nested.FileLink(0), "../x");
    nested.SetIsFolder(0, true);
    EXPECT_EQ(nested.Path(0), "/a/x/");

    cFTPList absolute = parse("lrwxrwxrwx 1 o g 7 Jan 15 10:30 abs -> /usr/x", "/pub/");
    absolute.SetIsFolder(0, true);
    EXPECT_EQ(absolute.Path(0), "/usr/x/");
}

TEST(cFTPList, PathsOfFilesAndFolders)
{
    const cFTPList list = parse("drwxr-xr-x 2 o g 512 Jan 15 10:30 sub\r\n-rw-r--r-- 1 o g 5 Jan 15 10:30 f.txt", "/pub/");
    EXPECT_EQ(list.Path(0), "/pub/sub/");
    EXPECT_EQ(list.Path(1), "/pub/f.txt");
}

TEST(cFTPList, BareLineFeedsAreNotLineEnds)
{
    const cFTPList list = parse("-rw-r--r-- 1 o g 5 Jan 15 10:30 one\n-rw-r--r-- 1 o g 5 Jan 15 10:30 two\n");
    EXPECT_EQ(list.FileNumb(), 1);
}

TEST(cFTPList, TheListingTextIsHandedOverAndIndexesOutsideAreEmpty)
{
    cFTPList list;
    QString text = "-rw-r--r-- 1 o g 5 Jan 15 10:30 one\r\n";
    list.SetFTPFileList(text);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_EQ(list.FileName(5), QString());
    EXPECT_EQ(list.FileName(-1), QString());
    list.SetFileName(0, "renamed");
    EXPECT_EQ(list.FileName(0), "renamed");
    list.SetFileName(3, "ignored");
    EXPECT_EQ(list.FileNumb(), 1);
}

TEST(cFTPList, BytesFromTheServerGiveTheSameEntriesAsText)
{
    const QString text = QString::fromUtf8("total 3\r\n"
                                           "lrwxrwxrwx 1 o g 7 Jan 15 10:30 über  uns -> ../ziel  ordner\r\n"
                                           "-rw-r--r-- 1 o g 0000012 Jan 15 2003 名前.txt\r\n"
                                           "-rw-r--r-- 1 o g 12x Feb  30 2003 odd   size \r\n");
    QByteArray bytes = text.toUtf8();
    cFTPList fromBytes;
    fromBytes.SetFTPFileList(bytes);
    EXPECT_TRUE(bytes.isEmpty());
    const cFTPList fromText = parse(text);
    ASSERT_EQ(fromBytes.FileNumb(), 3);
    ASSERT_EQ(fromText.FileNumb(), 3);
    for (int i = 0; i < 3; ++i) {
        const TFILE a = fromBytes.Entry(i);
        const TFILE b = fromText.Entry(i);
        EXPECT_EQ(a.FileName, b.FileName);
        EXPECT_EQ(a.FileSize, b.FileSize);
        EXPECT_EQ(a.FileDate, b.FileDate);
        EXPECT_EQ(a.FileLink, b.FileLink);
        EXPECT_EQ(a.FileAttr, b.FileAttr);
    }
    EXPECT_EQ(fromBytes.FileName(0), QString::fromUtf8("über uns"));
    EXPECT_EQ(fromBytes.FileLink(0), "../ziel ordner");
    EXPECT_EQ(fromBytes.FileAttr(0), "lrwxrwxrwx");
    EXPECT_EQ(fromBytes.FileName(1), QString::fromUtf8("名前.txt"));
    EXPECT_EQ(fromBytes.FileSize(1), "12");
    // The first line fixed the layout, so a line whose size and date cannot be read keeps its texts.
    EXPECT_EQ(fromBytes.FileSize(2), "12x");
    EXPECT_EQ(fromBytes.FileDate(2), "Feb 30 2003");
    EXPECT_EQ(fromBytes.FileName(2), "odd size ");
}
