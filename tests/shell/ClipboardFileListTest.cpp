#include "platform/shell/ClipboardFileList.h"
#include "platform/core/FileName.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

using platform::ClipboardFileList;

namespace {

const QStringList oddNames = {
    QStringLiteral("/tmp/plain"),
    QStringLiteral("/tmp/with space/and%percent"),
    QStringLiteral("/tmp/line\nbreak\r\nand return"),
    QStringLiteral("/tmp/gr\u00fc\u00dfe/\u65e5\u672c"),
    platform::DecodeFileName(QByteArray("/tmp/latin1 \xe9", 13)),
};

TEST(ClipboardFileList, BothFormatsCarryEveryName)
{
    std::unique_ptr<QMimeData> data(ClipboardFileList::toMimeData(oddNames, true));
    EXPECT_TRUE(data->data("x-special/gnome-copied-files").startsWith("cut\nfile:///tmp/plain\n"));
    EXPECT_TRUE(data->data("text/uri-list").endsWith("\r\n"));
    bool cut = false;
    EXPECT_EQ(ClipboardFileList::fromMimeData(data.get(), &cut), oddNames);
    EXPECT_TRUE(cut);
    // A program that offers only the URI list is read as well.
    QMimeData only;
    only.setData("text/uri-list", data->data("text/uri-list"));
    EXPECT_EQ(ClipboardFileList::fromMimeData(&only, &cut), oddNames);
    EXPECT_FALSE(cut);
    EXPECT_EQ(platform::EncodeFileName(ClipboardFileList::fromMimeData(&only).last()), QByteArray("/tmp/latin1 \xe9", 13));
}

TEST(ClipboardFileList, ForeignHostsAndOtherSchemesAreNotFiles)
{
    const struct {
        const char* uri;
        const char* path;
    } cases[] = {
        {"file:///a/b", "/a/b"},
        {"file://localhost/a%20b", "/a b"},
        {"file://elsewhere/a", ""},
        {"http://example.org/a", ""},
        {"file:relative", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClipboardFileList::pathOfUri(c.uri), QString::fromUtf8(c.path)) << c.uri;
}

TEST(ClipboardFileList, TheClipboardHandsTheListBack)
{
    QGuiApplication::clipboard()->setMimeData(ClipboardFileList::toMimeData(oddNames));
    EXPECT_EQ(ClipboardFileList::fromMimeData(QGuiApplication::clipboard()->mimeData()), oddNames);
}

} // namespace
