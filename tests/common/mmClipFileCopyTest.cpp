#include "common/ui/mmClipFileCopy.h"

#include "platform/core/FileName.h"
#include "tests/common/Printers.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

using namespace mmClipFileCopy;

namespace {

const QStringList names = {
    QStringLiteral("/home/user/plain.txt"),
    QStringLiteral("/home/user/with space/and %25 percent%"),
    QStringLiteral("/home/user/gr\u00fc\u00dfe/\u65e5\u672c\u8a9e.txt"),
    platform::DecodeFileName(QByteArray("/home/user/latin1 \xe9\xff.txt")),
    QStringLiteral("/home/user/#hash?query&amp;+plus"),
};

} // namespace

TEST(mmClipFileCopy, TheListComesBackWithEveryNameIntact)
{
    ASSERT_TRUE(PutFilesOnClipboard(names));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    const QByteArray uris = data->data("text/uri-list");
    EXPECT_EQ(uris.count("\r\n"), names.size()) << "one line per name, the last one ended too";
    EXPECT_TRUE(uris.endsWith("\r\n"));
    EXPECT_TRUE(data->data("x-special/gnome-copied-files").startsWith("copy\nfile:///home/user/plain.txt\n"));

    QStringList read;
    EXPECT_EQ(GetFilesFromClipboard(read), names.size());
    EXPECT_EQ(read, names);
    EXPECT_EQ(platform::EncodeFileName(read.at(3)), QByteArray("/home/user/latin1 \xe9\xff.txt"));
}

TEST(mmClipFileCopy, NoFileListReadsAsNone)
{
    QStringList read = {QStringLiteral("left as it was")};
    ASSERT_TRUE(PutFilesOnClipboard(names));
    ClearClipboard();
    EXPECT_EQ(GetFilesFromClipboard(read), 0);
    QGuiApplication::clipboard()->setText(QStringLiteral("/home/user/plain.txt"));
    EXPECT_EQ(GetFilesFromClipboard(read), 0) << "text is no file list";
    EXPECT_EQ(read, QStringList({"left as it was"}));
}
