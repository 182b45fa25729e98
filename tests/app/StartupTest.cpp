#include "app/AppSettings.h"
#include "app/fMain.h"
#include "app/mStartup.h"
#include "platform/registry/HiveText.h"
#include "platform/registry/Registry.h"
#include "platform/shell/FileOpProgress.h"
#include "tests/support/ScriptedPrompt.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

using duopane::test::prompt;
using platform::QuestionKind;

namespace {

fMain* mainWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<fMain*>(w); window && window->isVisible())
            return window;
    return nullptr;
}

void startAndClose()
{
    AppSettings() = {};
    mStartup::Start();
    fMain* window = mainWindow();
    ASSERT_TRUE(window);
    window->close();
    QCoreApplication::processEvents();
}

platform::registry::HiveData userHive()
{
    QFile file(platform::registry::hivePath(platform::registry::HKEY_CURRENT_USER));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const auto parsed = platform::registry::parseHiveText(file.readAll(), "HKEY_CURRENT_USER");
    EXPECT_EQ(parsed.damagedLine, 0);
    return parsed.data;
}

} // namespace

TEST(Startup, FirstRunAsksOnceAndShutdownStoresEverySetting)
{
    prompt().expect(QuestionKind::MessageBox, "Check latest version of Duopane ?", 1);
    startAndClose();
    EXPECT_TRUE(prompt().allAnswered());
    EXPECT_EQ(prompt().asked().at(0).buttons.mid(0, 2), QStringList({"&Yes", "&No"}));
    EXPECT_EQ(prompt().asked().at(0).title, "Duopane");

    const auto hive = userHive();
    const QString root = "SOFTWARE\\Duopane 1.7";
    const auto* version = hive.value(root, "Version");
    ASSERT_TRUE(version);
    EXPECT_EQ(version->data, QByteArray("Version 1.7.0.4") + '\0');
    const QMap<QString, QStringList> layout = {
        {"Config", {"PanelForeColor", "PanelBackColor", "FontName", "FontSize", "DisableWebView", "OpenOneClick", "Underline"}},
        {"Panels", {"StyleL", "StyleR", "FolderL", "FolderR"}},
        {"Windows", {"SplitFactor", "WindowState", "Left", "Top", "Width", "Height"}},
    };
    for (auto it = layout.cbegin(); it != layout.cend(); ++it)
        for (const QString& name : it.value())
            EXPECT_TRUE(hive.value(root + "\\" + it.key(), name)) << qPrintable(it.key() + "\\" + name);

    prompt().clear();
    startAndClose();
    EXPECT_TRUE(prompt().asked().isEmpty()) << "a second start is not a first run";
}

TEST(Startup, StartWithoutCleanShutdownIsAFirstRunAgain)
{
    prompt().expect(QuestionKind::MessageBox, "Check latest version", 1);
    AppSettings() = {};
    mStartup::Start();
    fMain* first = mainWindow();
    ASSERT_TRUE(first);
    first->hide(); // the process "dies": nothing is saved
    first->deleteLater();

    prompt().expect(QuestionKind::MessageBox, "Check latest version", 1);
    startAndClose();
    EXPECT_TRUE(prompt().allAnswered());
}

TEST(Startup, ShutdownEmptiesTheTemporaryFolderWithoutFollowingLinks)
{
    prompt().expect(QuestionKind::MessageBox, "Check latest version", 1);
    AppSettings() = {};
    mStartup::Start();
    const QString temp = mStartup::TempFolder();
    const QString outside = QDir::tempPath() + "/outside-keep";
    QDir().mkpath(outside);
    QFile keep(outside + "/precious.txt");
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.write("keep me");
    keep.close();
    QDir().mkpath(temp + "sub/deeper");
    QFile scratch(temp + "sub/deeper/scratch name\nwith newline");
    ASSERT_TRUE(scratch.open(QIODevice::WriteOnly));
    scratch.close();
    ASSERT_TRUE(QFile::link(outside, temp + "link-out"));

    mainWindow()->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(QDir(temp).exists());
    EXPECT_TRUE(QDir(temp).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
    EXPECT_TRUE(QFile::exists(outside + "/precious.txt"));
}

TEST(Startup, FileOperationsGetTheShellsWindows)
{
    platform::FileOpUi::setProgressFactory({});
    ASSERT_FALSE(platform::FileOpUi::makeProgress());
    prompt().expect(QuestionKind::MessageBox, "Check latest version", 1);
    startAndClose();
    EXPECT_TRUE(platform::FileOpUi::makeProgress()) << "the progress window of every later operation";
}

TEST(Startup, FirstRunImportsDesktopAndMenuLaunchers)
{
    const QString desktop = QDir::homePath() + "/Desktop";
    const QString menu = qEnvironmentVariable("XDG_DATA_HOME") + "/applications";
    for (const QString& folder : {desktop, menu}) {
        QDir().mkpath(folder);
        QFile launcher(folder + (folder == menu ? "/menu entry.desktop" : "/editor.desktop"));
        ASSERT_TRUE(launcher.open(QIODevice::WriteOnly));
        launcher.write("[Desktop Entry]\nType=Application\nName=Editor\nExec=true\n");
    }
    QFile other(desktop + "/notes.txt");
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();

    prompt().expect(QuestionKind::MessageBox, "Check latest version", 1);
    startAndClose();
    EXPECT_TRUE(QFile::exists(mStartup::LinkFolder() + "editor.desktop"));
    EXPECT_TRUE(QFile::exists(mStartup::LinkFolder() + "menu entry.desktop"));
    EXPECT_FALSE(QFile::exists(mStartup::LinkFolder() + "notes.txt"));
}
