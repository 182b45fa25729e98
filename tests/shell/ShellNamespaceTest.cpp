#include "platform/shell/FileTypes.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/shell/ShellTypes.h"
#include "platform/shell/SystemImageIndex.h"
#include "tests/shell/ShellTestSupport.h"

#include <QStandardPaths>

#include <QMimeDatabase>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace platform;
using namespace duopane::test;

namespace {

constexpr quint32 All = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN;

class ShellNamespaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = bytesOf(dir.path());
        ::mkdir(root + "/Folder", 0755);
        ::mkdir(root + "/Folder/Deep", 0755);
        ::mkdir(root + "/.hidden", 0755);
        writeBytes(root + "/notes.txt", "text");
        writeBytes(root + "/.profile", "x");
        ::symlink("Folder", root + "/link");
    }

    QStringList namesOf(const ItemIdList& folder, quint32 flags)
    {
        QStringList names;
        for (const ItemIdList& child : ShellNamespace::enumerate(folder, flags))
            names.append(ShellNamespace::displayName(ItemIdList::join(folder, child), SHGDN_INFOLDER));
        names.sort();
        return names;
    }

    QTemporaryDir dir;
    QByteArray root;
};

TEST_F(ShellNamespaceTest, DesktopHoldsTheVirtualFoldersFirst)
{
    QStringList names;
    for (const ItemIdList& child : ShellNamespace::enumerate(ItemIdList::desktop(), SHCONTF_FOLDERS))
        names.append(ShellNamespace::displayName(child, SHGDN_INFOLDER));
    ASSERT_GE(names.size(), 5);
    EXPECT_EQ(names.mid(0, 5), QStringList({"Home", "Computer", "Network", "Trash", "Control Panel"}));
    EXPECT_EQ(ShellNamespace::hierarchyText(ItemIdList::desktop()), QStringLiteral("Desktop\\"));
    EXPECT_EQ(ShellNamespace::specialFolder(CSIDL_DESKTOP), ItemIdList::desktop());
    EXPECT_EQ(ShellNamespace::displayName(ShellNamespace::specialFolder(CSIDL_DRIVES), 0), QStringLiteral("Computer"));
    EXPECT_EQ(ShellNamespace::parse(ShellNamespace::ComputerParsingName), ShellNamespace::specialFolder(CSIDL_DRIVES));
    EXPECT_TRUE(ShellNamespace::path(ShellNamespace::specialFolder(CSIDL_DRIVES)).isEmpty());
    EXPECT_TRUE(ShellNamespace::specialFolder(99).isNull());
}

TEST_F(ShellNamespaceTest, ComputerListsTheRootVolumeFirst)
{
    const ItemIdList computer = ShellNamespace::specialFolder(CSIDL_DRIVES);
    const QList<ItemIdList> volumes = ShellNamespace::enumerate(computer, SHCONTF_FOLDERS);
    ASSERT_FALSE(volumes.isEmpty());
    const ItemIdList first = ItemIdList::join(computer, volumes.first());
    EXPECT_EQ(ShellNamespace::path(first), QStringLiteral("/"));
    EXPECT_EQ(ShellNamespace::displayName(first, SHGDN_INFOLDER), QStringLiteral("File System (/)"));
    const quint32 attr = ShellNamespace::attributes(first);
    EXPECT_TRUE(attr & SFGAO_FOLDER);
    EXPECT_TRUE(attr & SFGAO_FILESYSTEM);
    EXPECT_TRUE(attr & SFGAO_HASSUBFOLDER);
}

TEST_F(ShellNamespaceTest, PathsParseIntoListsAndBack)
{
    const ItemIdList deep = ShellNamespace::parse(dir.path() + "/Folder/Deep");
    ASSERT_FALSE(deep.isNull());
    EXPECT_EQ(ShellNamespace::path(deep), dir.path() + "/Folder/Deep");
    EXPECT_EQ(ShellNamespace::displayName(deep, SHGDN_INFOLDER), QStringLiteral("Deep"));
    EXPECT_EQ(ShellNamespace::displayName(deep, SHGDN_FORPARSING), dir.path() + "/Folder/Deep");
    EXPECT_TRUE(ShellNamespace::parse(dir.path() + "/missing").isNull());
    EXPECT_TRUE(ShellNamespace::parse(QStringLiteral("relative/path")).isNull());
    // The hierarchy text of a path is the one of its list, which the folder tree selects by.
    const QString hier = ShellNamespace::hierarchyText(deep);
    EXPECT_TRUE(hier.startsWith(QStringLiteral("Desktop\\Computer\\"))) << hier.toStdString();
    EXPECT_TRUE(hier.endsWith(QStringLiteral("\\Folder\\Deep\\"))) << hier.toStdString();
    EXPECT_EQ(ShellNamespace::hierarchyTextOfPath(dir.path() + "/Folder/Deep") + "\\", hier);
    EXPECT_EQ(ShellNamespace::hierarchyTextOfPath(dir.path() + "/missing"), QString());
    EXPECT_EQ(ShellNamespace::hierarchyTextOfPath(dir.path() + "/notes.txt"), QString());
    EXPECT_EQ(ShellNamespace::hierarchyTextOfPath(QStringLiteral("\\\\server\\share")), QString());
}

TEST_F(ShellNamespaceTest, EnumerationFollowsTheFlags)
{
    const ItemIdList folder = ShellNamespace::parse(dir.path());
    const struct {
        quint32 flags;
        QStringList names;
    } cases[] = {
        {SHCONTF_FOLDERS, {"Folder", "link"}},
        {SHCONTF_NONFOLDERS, {"notes.txt"}},
        {SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN, {".hidden", "Folder", "link"}},
        {All, {".hidden", ".profile", "Folder", "link", "notes.txt"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(namesOf(folder, c.flags), c.names) << c.flags;
    bool ok = true;
    ShellNamespace::enumerate(ShellNamespace::listForPath(root + "/missing"), All, &ok);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(ShellNamespace::canEnumerate(ShellNamespace::listForPath(root + "/missing")));
    EXPECT_TRUE(ShellNamespace::canEnumerate(folder));
}

TEST_F(ShellNamespaceTest, ChildByNameIgnoresLetterCase)
{
    const ItemIdList folder = ShellNamespace::parse(dir.path());
    const ItemIdList child = ShellNamespace::childByName(folder, QStringLiteral("fOLDER"));
    ASSERT_FALSE(child.isNull());
    EXPECT_EQ(child.last().data, QByteArray("Folder"));
    EXPECT_TRUE(ShellNamespace::childByName(folder, QStringLiteral("nothing")).isNull());
}

TEST_F(ShellNamespaceTest, AttributesDescribeTheItem)
{
    ::chmod(root + "/Folder/Deep", 0555);
    const struct {
        const char* name;
        quint32 set;
        quint32 clear;
    } cases[] = {
        {"Folder", SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_HASSUBFOLDER | SFGAO_CANRENAME, SFGAO_LINK | SFGAO_HIDDEN},
        {"Folder/Deep", SFGAO_FOLDER, SFGAO_HASSUBFOLDER},
        {"notes.txt", SFGAO_STREAM | SFGAO_FILESYSTEM | SFGAO_CANDELETE, SFGAO_FOLDER},
        {".profile", SFGAO_HIDDEN, SFGAO_FOLDER},
        {"link", SFGAO_LINK | SFGAO_FOLDER, SFGAO_HIDDEN},
    };
    for (const auto& c : cases) {
        const quint32 attr = ShellNamespace::attributes(ShellNamespace::listForPath(root + '/' + c.name));
        EXPECT_EQ(attr & c.set, c.set) << c.name;
        EXPECT_EQ(attr & c.clear, 0u) << c.name;
    }
    if (::getuid() != 0) {
        EXPECT_TRUE(ShellNamespace::attributes(ShellNamespace::listForPath(root + "/Folder/Deep")) & SFGAO_READONLY);
    }
    EXPECT_EQ(ShellNamespace::attributes(ShellNamespace::listForPath(root + "/Folder"), SFGAO_FOLDER), quint32(SFGAO_FOLDER));
}

TEST_F(ShellNamespaceTest, ChildrenSortAsTheShellDoes)
{
    const ItemIdList folder = ShellNamespace::parse(dir.path());
    const auto entry = [](const char* name) { return ItemIdList::fromItem(ItemKind::Entry, name); };
    EXPECT_LT(ShellNamespace::compare(folder, entry("apple"), entry("Banana")), 0);
    EXPECT_GT(ShellNamespace::compare(folder, entry("banana"), entry("Apple")), 0);
    EXPECT_LT(ShellNamespace::compare(ItemIdList::desktop(), ItemIdList::fromItem(ItemKind::Home, {}),
                                      ItemIdList::fromItem(ItemKind::Computer, {})), 0);
}

TEST_F(ShellNamespaceTest, TypeNamesAndIconsComeFromTheMimeDatabase)
{
    writeBytes(root + "/other.txt", "more");
    writeBytes(root + "/data.qqzz", "?");
    writeBytes(root + "/plainname", "");
    const struct {
        const char* name;
        const char* type;
    } cases[] = {
        {"notes.txt", "Plain text document"},
        {"data.qqzz", "QQZZ File"},
        {"plainname", "File"},
        {"Folder", "File folder"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileTypes::typeName(ShellNamespace::listForPath(root + '/' + c.name)), QString::fromLatin1(c.type)) << c.name;
    EXPECT_EQ(FileTypes::typeNameOfPath(QStringLiteral("/nowhere/letter.txt"), true), QStringLiteral("Plain text document"));
    // Names without an extension that the database still knows by their whole name.
    for (const char* name : {"Makefile", "README", "readme-first", "notes~", "ChangeLog"}) {
        writeBytes(root + '/' + name, "");
        QString expected = QMimeDatabase().mimeTypeForFile(QString::fromLatin1(name), QMimeDatabase::MatchExtension).comment();
        expected[0] = expected[0].toUpper();
        EXPECT_EQ(FileTypes::typeName(ShellNamespace::listForPath(root + '/' + name)), expected) << name;
    }
    // Two files of one type share one picture of the system list.
    const int a = FileTypes::iconIndex(ShellNamespace::listForPath(root + "/notes.txt"));
    EXPECT_EQ(a, FileTypes::iconIndex(ShellNamespace::listForPath(root + "/other.txt")));
    EXPECT_EQ(SystemImageIndex::iconName(a), QStringLiteral("text-plain"));
    EXPECT_EQ(FileTypes::iconIndex(ShellNamespace::listForPath(root + "/Folder")), int(SystemImageIndex::Folder));
    EXPECT_EQ(FileTypes::iconIndex(ShellNamespace::listForPath(root + "/Folder"), true), int(SystemImageIndex::FolderOpen));
    EXPECT_EQ(FileTypes::iconIndex(ShellNamespace::specialFolder(CSIDL_DRIVES)), int(SystemImageIndex::Computer));
    // The user's own folders keep their icons.
    EXPECT_EQ(FileTypes::iconIndexOfPath(QDir::homePath(), false, false), int(SystemImageIndex::Home));
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    QDir().mkpath(music);
    EXPECT_EQ(SystemImageIndex::iconName(FileTypes::iconIndexOfPath(music, false, false)), QStringLiteral("folder-music"));
}

TEST_F(ShellNamespaceTest, AMountedVolumeAppearsUnderComputer)
{
    TmpfsMount mount;
    DUOPANE_NEED_TMPFS(mount);
    const ItemIdList computer = ShellNamespace::specialFolder(CSIDL_DRIVES);
    const QByteArray mountPoint = bytesOf(mount.path());
    bool found = false;
    for (const ItemIdList& volume : ShellNamespace::enumerate(computer, SHCONTF_FOLDERS))
        found = found || volume.last().data == mountPoint;
    EXPECT_TRUE(found);
    ::mkdir(mountPoint + "/inside", 0755);
    const ItemIdList inside = ShellNamespace::parse(mount.path() + "/inside");
    ASSERT_EQ(inside.count(), 3);
    EXPECT_EQ(inside.item(1).data, mountPoint);
    EXPECT_EQ(ShellNamespace::displayName(inside.parent(), SHGDN_INFOLDER), QStringLiteral("%1 (%2)").arg(QFileInfo(mount.path()).fileName(), mount.path()));
}

} // namespace
