// The engine against a real FTP server (pyftpdlib) on loopback, in passive and active mode.
#include "tests/ftp/FtpTestClient.h"
#include "tests/ftp/PyFtpServer.h"
#include "tests/support/ScriptedPrompt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using namespace duopane::test;
using platform::QuestionKind;

namespace {

QByteArray pattern(qsizetype size, int seed)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 31 + seed) % 251);
    return bytes;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class FtpServer : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { ASSERT_TRUE(server.isRunning()) << "pyftpdlib did not start"; }
    bool passive() const { return GetParam(); }

    PyFtpServer server;
};

} // namespace

TEST_P(FtpServer, LogsOnAndListsUnixLayout)
{
    server.writeFile("pub/readme.txt", "hello");
    server.writeFile("top.bin", pattern(1234, 1));
    FtpTestClient client(server.port(), passive());
    ASSERT_TRUE(client.logOn());
    EXPECT_EQ(client.session.Command().StartFolder, "/");
    EXPECT_TRUE(client.host.logged(FtpLogColour::Black, "215 UNIX"));
    EXPECT_TRUE(client.host.logged(FtpLogColour::Blue, "PASS ******"));
    const cFTPList* list = client.list("/");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->FileNumb(), 2);
    const int pub = client.indexOf(*list, "pub");
    const int top = client.indexOf(*list, "top.bin");
    ASSERT_GE(pub, 0);
    ASSERT_GE(top, 0);
    EXPECT_TRUE(list->IsFolder(pub));
    EXPECT_EQ(list->FileSize(top), "1,234");
    EXPECT_EQ(list->FileAttr(top).size(), 10);
    const cFTPList* sub = client.list("/pub/");
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->FileName(0), "readme.txt");
    // Listing another folder leaves the server's current folder alone.
    EXPECT_EQ(client.session.Command().CurrentFolder, "/");
}

TEST_P(FtpServer, MakesRenamesAndDeletesFolders)
{
    server.writeFile("tree/a.txt", "a");
    server.writeFile("tree/sub/b.txt", "b");
    server.writeFile("tree/sub/deeper/c.txt", "c");
    server.writeFile("old name.txt", "x");
    FtpTestClient client(server.port(), passive());
    ASSERT_TRUE(client.logOn());

    prompt().expect(QuestionKind::InputBox, "New folder:", 1, QStringLiteral("made here"));
    EXPECT_TRUE(client.session.MakeFolder());
    EXPECT_TRUE(QFileInfo(server.root() + "made here").isDir());

    prompt().expect(QuestionKind::InputBox, "Type new name:", [](const platform::Question& q) {
        EXPECT_EQ(q.details.value("default").toString(), "old name.txt");
        return platform::Answer{1, QStringLiteral("new name.txt")};
    });
    EXPECT_TRUE(client.session.RenameItem("old name.txt"));
    EXPECT_TRUE(QFile::exists(server.root() + "new name.txt"));
    EXPECT_FALSE(QFile::exists(server.root() + "old name.txt"));

    const cFTPList* list = client.list("/");
    ASSERT_NE(list, nullptr);
    prompt().expect(QuestionKind::MessageBox, "Delete selected 1 files and folders ? ", 0);
    EXPECT_TRUE(client.session.DeleteItems({client.indexOf(*list, "tree")}));
    EXPECT_FALSE(QFileInfo::exists(server.root() + "tree"));
    EXPECT_TRUE(prompt().allAnswered());
}

TEST_P(FtpServer, ClosingTheQuestionsChangesNothing)
{
    server.writeFile("keep.txt", "k");
    FtpTestClient client(server.port(), passive());
    ASSERT_TRUE(client.logOn());
    prompt().expect(QuestionKind::InputBox, "Type new name:", 2);
    EXPECT_FALSE(client.session.RenameItem("keep.txt"));
    EXPECT_EQ(client.session.Command().State(), CommandState::Cancelled);
    const cFTPList* list = client.list("/");
    ASSERT_NE(list, nullptr);
    prompt().expect(QuestionKind::MessageBox, "Delete selected", -1);
    EXPECT_FALSE(client.session.DeleteItems({0}));
    EXPECT_TRUE(QFile::exists(server.root() + "keep.txt"));
    EXPECT_TRUE(prompt().allAnswered());
}

TEST_P(FtpServer, DownloadsAndUploadsFilesAndTrees)
{
    server.writeFile("pub/one.bin", pattern(25397, 1));
    server.writeFile("pub/sub/two.bin", pattern(300000, 2));
    server.writeFile("pub/sub/empty.txt", "");
    FtpTestClient client(server.port(), passive());
    ASSERT_TRUE(client.logOn());
    QTemporaryDir local;
    const QString target = local.path() + "/down/";
    QDir().mkpath(target);
    ASSERT_TRUE(client.session.Transfers().DownloadTransferList(target, {"/pub/"}));
    EXPECT_EQ(readAll(target + "pub/one.bin"), pattern(25397, 1));
    EXPECT_EQ(readAll(target + "pub/sub/two.bin"), pattern(300000, 2));
    EXPECT_TRUE(client.host.logged(FtpLogColour::Magenta, "Downloading 'empty.txt' is aborted since it has 0 size."));
    EXPECT_TRUE(client.host.logged(FtpLogColour::Magenta, "Downloading 'two.bin' is successful."));

    const QString source = local.path() + "/up/";
    // Read from disk forty chunks at a time: this one spans three such reads and ends in one byte.
    constexpr int more = 25396 * 81 + 1;
    QDir().mkpath(source + "tree/inner");
    for (const auto& [name, size] : {std::pair{"tree/exact.bin", 25396}, {"tree/inner/more.bin", more}, {"single.bin", 10}}) {
        QFile file(source + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(pattern(size, size % 7));
    }
    ASSERT_TRUE(client.session.Transfers().UploadLocalPaths({source + "tree", source + "single.bin"}));
    EXPECT_EQ(readAll(server.root() + "tree/exact.bin"), pattern(25396, 25396 % 7));
    EXPECT_EQ(readAll(server.root() + "tree/inner/more.bin"), pattern(more, more % 7));
    EXPECT_EQ(readAll(server.root() + "single.bin"), pattern(10, 10 % 7));
    EXPECT_TRUE(client.host.logged(FtpLogColour::Magenta, "Uploading 'more.bin' is successful."));
}

TEST_P(FtpServer, OpensARemoteFileThroughTheTemporaryFolder)
{
    server.writeFile("notes.txt", "remote notes");
    FtpTestClient client(server.port(), passive());
    ASSERT_TRUE(client.logOn());
    QTemporaryDir temp;
    ftpSettings().FtpTempFolder = temp.path() + "/";
    const QString path = client.session.Transfers().FetchForOpening("notes.txt", 12);
    EXPECT_EQ(path, temp.path() + "/notes.txt");
    EXPECT_EQ(readAll(path), "remote notes");
    EXPECT_EQ(client.host.captions.value(0), "Downloading...");
}

INSTANTIATE_TEST_SUITE_P(Modes, FtpServer, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Passive" : "Active"; });

TEST(FtpServerLarge, SparseFiveGigabyteFileDownloadsWithItsSize)
{
    PyFtpServer server;
    ASSERT_TRUE(server.isRunning());
    const qint64 size = 5LL * 1024 * 1024 * 1024 + 3;
    {
        const QByteArray path = (server.root() + "huge.img").toLocal8Bit();
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, size), 0);
        ASSERT_EQ(::pwrite(fd, "end", 3, size - 3), 3);
        ::close(fd);
    }
    FtpTestClient client(server.port(), true);
    ASSERT_TRUE(client.logOn());
    const cFTPList* list = client.list("/");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->FileSize(0), "5,368,709,123");
    QTemporaryDir local;
    ASSERT_TRUE(client.session.Transfers().DownloadBatch(local.path(), {"huge.img?" + list->FileSize(0)}));
    EXPECT_EQ(QFileInfo(local.path() + "/huge.img").size(), size);
    EXPECT_EQ(client.host.last.totalValue, double(size));
    QFile file(local.path() + "/huge.img");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    file.seek(size - 3);
    EXPECT_EQ(file.read(3), "end");
}

TEST(FtpServerThrottled, CancelDuringTheThirdOfFiveFiles)
{
    // 400 KB a second: each 300 KB file takes the better part of a second.
    PyFtpServer server(400 * 1024);
    ASSERT_TRUE(server.isRunning());
    QStringList batch;
    for (int i = 1; i <= 5; ++i) {
        server.writeFile(QStringLiteral("f%1.bin").arg(i), pattern(1200 * 1024, i));
        batch.append(QStringLiteral("f%1.bin?%2").arg(i).arg(1200 * 1024));
    }
    FtpTestClient client(server.port(), true);
    ASSERT_TRUE(client.logOn());
    client.host.onStatus = [&](const QString& text) {
        if (text == "Downloading 'f3.bin'...")
            client.host.canceled = true;
    };
    QTemporaryDir local;
    EXPECT_FALSE(client.session.Transfers().DownloadBatch(local.path(), batch));
    EXPECT_EQ(readAll(local.path() + "/f1.bin"), pattern(1200 * 1024, 1));
    EXPECT_EQ(readAll(local.path() + "/f2.bin"), pattern(1200 * 1024, 2));
    EXPECT_TRUE(QFile::exists(local.path() + "/f3.bin"));
    EXPECT_LT(QFileInfo(local.path() + "/f3.bin").size(), 1200 * 1024);
    EXPECT_FALSE(QFile::exists(local.path() + "/f4.bin"));
    EXPECT_TRUE(client.host.logged(FtpLogColour::Red, "Downloading file(s) is aborted by user."));
}
