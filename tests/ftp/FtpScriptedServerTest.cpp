// The engine against a scripted server: replies real servers rarely send.
#include "tests/ftp/FtpTestClient.h"
#include "tests/ftp/ScriptedFtpServer.h"
#include "tests/support/ScriptedPrompt.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace duopane::test;
using platform::QuestionKind;

TEST(FtpScripted, MultiLineGreetingSucceedsOnItsLastLineOnly)
{
    ScriptedFtpServer server;
    server.setGreeting("220-Welcome to the archive\r\n220-Second line of welcome\r\n220 Ready\r\n", 3);
    FtpTestClient client(server.port());
    ASSERT_TRUE(client.logOn());
    EXPECT_TRUE(client.host.logged(FtpLogColour::Black, "220-Welcome to the archive"));
    EXPECT_TRUE(client.host.logged(FtpLogColour::Black, "220-Second line"));
    EXPECT_EQ(client.session.Command().StartFolder, "/");
    EXPECT_TRUE(client.host.logged(FtpLogColour::Blue, "PASS ******"));
    EXPECT_FALSE(client.host.logText().contains("secret"));
}

TEST(FtpScripted, GreetingWithoutItsLastLineMakesTheWaitQuestion)
{
    ScriptedFtpServer server;
    server.setGreeting("220-Welcome\r\n220-and nothing more\r\n");
    FtpTestClient client(server.port());
    ftpSettings().WaitTime = 1;
    prompt().expect(QuestionKind::MessageBox, "Wait too long (1 seconds) !", 1);
    EXPECT_FALSE(client.session.LogOn());
    EXPECT_TRUE(prompt().allAnswered());
    EXPECT_TRUE(client.session.Command().LastCommand().isEmpty());
    EXPECT_EQ(client.host.waitStatus.last(), QString());
}

TEST(FtpScripted, SilentServerAskedTwiceThenNo)
{
    ScriptedFtpServer server;
    server.on("NOOP", [](const QString&) {});
    FtpTestClient client(server.port());
    ASSERT_TRUE(client.logOn());
    ftpSettings().WaitTime = 1;
    prompt().expect(QuestionKind::MessageBox, "Do you want to wait the server response ?", 0);
    prompt().expect(QuestionKind::MessageBox, "Do you want to wait the server response ?", 1);
    EXPECT_FALSE(client.session.SendKeepAlive());
    EXPECT_TRUE(prompt().allAnswered());
    EXPECT_EQ(client.session.Command().State(), CommandState::Failed);
    EXPECT_FALSE(client.session.IsBusy());
    EXPECT_TRUE(client.host.waitStatus.contains("NOOP: 1 seconds"));
    EXPECT_EQ(client.host.waitStatus.last(), QString());
}

TEST(FtpScripted, RefusedChangeOfFolderFailsAndIsLoggedInRed)
{
    ScriptedFtpServer server;
    server.on("CWD", [&](const QString&) { server.reply("550 No such directory.\r\n"); });
    FtpTestClient client(server.port());
    ASSERT_TRUE(client.logOn());
    EXPECT_FALSE(client.session.ChangeFolder("/missing/"));
    EXPECT_EQ(client.session.Command().State(), CommandState::Failed);
    EXPECT_TRUE(client.host.logged(FtpLogColour::Red, "550 No such directory."));
    EXPECT_EQ(server.received.last(), "CWD /missing");
}

TEST(FtpScripted, WindowsLayoutListing)
{
    ScriptedFtpServer server;
    server.listing = "01-15-03  10:30AM       <DIR>          pub\r\n"
                     "01-15-03  10:31AM                 1234 a  b.txt\r\n"
                     "02-01-04  01:05PM           5368709120 big.iso\r\n";
    FtpTestClient client(server.port());
    ASSERT_TRUE(client.logOn());
    const cFTPList* list = client.list("/");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->FileNumb(), 3);
    EXPECT_TRUE(list->IsFolder(0));
    EXPECT_EQ(list->Path(0), "/pub/");
    EXPECT_EQ(list->FileName(1), "a b.txt");
    EXPECT_EQ(list->FileSize(2), "5,368,709,120");
    // Cached: a second listing of the folder sends no LIST.
    const int lists = server.received.filter("LIST").size();
    EXPECT_NE(client.list("/"), nullptr);
    EXPECT_EQ(server.received.filter("LIST").size(), lists);
}

TEST(FtpScripted, DataConnectionDroppedMidFileIsAFailedDownload)
{
    ScriptedFtpServer server;
    server.on("RETR", [&](const QString&) {
        server.reply("150 Opening BINARY mode data connection (100000 bytes).\r\n");
        server.sendData(QByteArray(40000, 'x'));
        server.reply("426 Connection closed; transfer aborted.\r\n");
    });
    FtpTestClient client(server.port());
    ASSERT_TRUE(client.logOn());
    QTemporaryDir target;
    // Every item was tried, so the batch itself completes; the file is the failure.
    EXPECT_TRUE(client.session.Transfers().DownloadBatch(target.path(), {"half.bin?100,000"}));
    EXPECT_TRUE(client.host.logged(FtpLogColour::Red, "Downloading 'half.bin' is failed."));
    EXPECT_FALSE(client.host.logged(FtpLogColour::Magenta, "is successful"));
}

TEST(FtpScripted, ListingNamesNeverLeadOutOfTheChosenFolder)
{
    ScriptedFtpServer server;
    const QByteArray hostile = "-rw-r--r-- 1 o g 5 Jan 15 10:30 ../../escape1\r\n"
                     "-rw-r--r-- 1 o g 5 Jan 15 10:30 x/../../../escape2\r\n"
                     "-rw-r--r-- 1 o g 5 Jan 15 10:30 ..\\..\\escape3\r\n"
                     "lrwxrwxrwx 1 o g 5 Jan 15 10:30 up -> ../..\r\n"
                     "lrwxrwxrwx 1 o g 5 Jan 15 10:30 etc -> /etc\r\n"
                     "-rw-r--r-- 1 o g 5 Jan 15 10:30 good.txt\r\n";
    server.on("LIST", [&](const QString& folder) {
        server.reply("150 Here it comes\r\n");
        if (folder == "/pub")
            server.sendData(hostile);
        else
            server.sendData(folder.isEmpty() ? "drwxr-xr-x 2 o g 512 Jan 15 10:30 pub\r\n" : "");
        server.reply("226 Done\r\n");
    });
    server.on("RETR", [&](const QString&) {
        server.reply("150 Opening (5 bytes)\r\n");
        server.sendData("hello");
        server.reply("226 Done\r\n");
    });
    FtpTestClient client(server.port());
    ASSERT_TRUE(client.logOn());
    QTemporaryDir sandbox;
    const QString target = sandbox.path() + "/inner/chosen/";
    QDir().mkpath(target);
    ASSERT_NE(client.list("/"), nullptr);
    EXPECT_TRUE(client.session.Transfers().DownloadTransferList(target, {"/pub/"}));
    EXPECT_TRUE(QFile::exists(target + "pub/good.txt"));
    QStringList outside;
    QDirIterator it(sandbox.path(), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!path.startsWith(target))
            outside.append(path);
    }
    EXPECT_TRUE(outside.isEmpty()) << outside.join(", ").toStdString();
    EXPECT_TRUE(client.host.logged(FtpLogColour::Red, "outside the folder"));
}

TEST(FtpScripted, UnboundedReplyLineIsCutAndTheSessionGoesOn)
{
    ScriptedFtpServer server;
    server.on("SYST", [&](const QString&) {
        server.reply("215 " + QByteArray(4 * 1024 * 1024, 'A'));
        server.reply("\r\n");
    });
    FtpTestClient client(server.port());
    ASSERT_TRUE(client.logOn());
    qsizetype longest = 0;
    for (const auto& line : client.host.log)
        longest = std::max(longest, line.second.size());
    EXPECT_LE(longest, 8200);
    EXPECT_EQ(client.session.Command().StartFolder, "/");
}

TEST(FtpScripted, UnboundedListingLineIsCut)
{
    ScriptedFtpServer server;
    server.listing = "-rw-r--r-- 1 o g 5 Jan 15 10:30 " + QByteArray(3 * 1024 * 1024, 'n') + "\r\n"
                     + "-rw-r--r-- 1 o g 5 Jan 15 10:30 after\r\n";
    FtpTestClient client(server.port());
    ASSERT_TRUE(client.logOn());
    const cFTPList* list = client.list("/");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->FileNumb(), 2);
    EXPECT_LE(list->FileName(0).size(), 8192);
    EXPECT_EQ(list->FileName(1), "after");
}
