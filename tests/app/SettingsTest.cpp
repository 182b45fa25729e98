#include "app/AppSettings.h"
#include "app/fMain.h"
#include "app/mSettings.h"
#include "common/cRegistry.h"
#include "platform/registry/Registry.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

using namespace platform::registry;

namespace {

void put(HKEY hive, const QString& sub, const QString& name, const QVariant& value)
{
    cRegistry reg;
    mSettings::WriteValue(reg, hive, QString::fromLatin1(mSettings::RootKey) + sub, name,
                          value.typeId() == QMetaType::QString ? REG_SZ : REG_DWORD, value);
}

QVariant get(HKEY hive, const QString& sub, const QString& name)
{
    cRegistry reg;
    return mSettings::ReadValue(reg, hive, QString::fromLatin1(mSettings::RootKey) + sub, name, REG_DWORD,
                                QStringLiteral("<missing>"));
}

void completeCopy(HKEY hive, const QString& version, qint32 fontSize)
{
    put(hive, "", "Version", version);
    put(hive, "Config", "FontSize", fontSize);
    put(hive, "Panels", "StyleL", 3);
    put(hive, "Windows", "Width", 9000);
}

} // namespace

TEST(Settings, FreshUserGetsTheDefaults)
{
    AppSettings() = {};
    mSettings::LoadSettings();
    const AppSettingsRecord& s = AppSettings();
    EXPECT_EQ(s.StoredVersion, "");
    EXPECT_EQ(s.CurrentVersion, "Version 1.7.0.4");
    EXPECT_EQ(s.PanelForeColor, 0);
    EXPECT_EQ(s.PanelBackColor, 0xFFFFFF);
    EXPECT_EQ(s.FontName, mSettings::DefaultFontName());
    EXPECT_EQ(s.FontSize, 8);
    EXPECT_EQ(s.DisableWebView, 1);
    EXPECT_EQ(s.OpenOneClick, 0);
    EXPECT_EQ(s.Underline, 1);
    EXPECT_EQ(s.SplitFactor, 50);
    EXPECT_EQ(s.Width, 0);
    EXPECT_EQ(s.WindowState, 0);
}

TEST(Settings, MachineCopyStandsInForAMissingUserCopy)
{
    AppSettings() = {};
    completeCopy(HKEY_LOCAL_MACHINE, "Version 1.7.0.4", 12);
    mSettings::LoadSettings();
    EXPECT_EQ(AppSettings().StoredVersion, "Version 1.7.0.4");
    EXPECT_EQ(AppSettings().FontSize, 12);
    EXPECT_EQ(AppSettings().Style[0], 3);
}

TEST(Settings, PartialUserCopyIsOverwrittenButKeepsItsBounds)
{
    AppSettings() = {};
    put(HKEY_CURRENT_USER, "Config", "FontSize", 14);
    put(HKEY_CURRENT_USER, "Windows", "Left", 1500);
    put(HKEY_CURRENT_USER, "Windows", "Width", 12000);
    completeCopy(HKEY_LOCAL_MACHINE, "Version 1.6.0.0", 10);
    mSettings::LoadSettings();
    const AppSettingsRecord& s = AppSettings();
    EXPECT_EQ(s.FontSize, 10) << "the machine's copy overwrites field by field";
    EXPECT_EQ(s.Left, 1500) << "bounds the machine lacks survive";
    EXPECT_EQ(s.Width, 9000);
    EXPECT_EQ(s.StoredVersion, "Version 1.6.0.0");
}

TEST(Settings, StoredTextsAreTrimmedAndCutAtNul)
{
    AppSettings() = {};
    put(HKEY_CURRENT_USER, "Config", "FontName", QString("Arial") + QChar(0) + "garbage");
    put(HKEY_CURRENT_USER, "Panels", "FolderL", "  /tmp/x  ");
    mSettings::ReadSettings(HKEY_CURRENT_USER);
    EXPECT_EQ(AppSettings().FontName, "Arial");
    EXPECT_EQ(AppSettings().Folder[0], "/tmp/x");
}

TEST(Settings, MaximizedWindowIsStoredAsStateTwoThenZero)
{
    AppSettings() = {};
    AppSettings().CurrentVersion = mSettings::CurrentVersionText();
    AppSettings().SplitFactor = 37;
    fMain window;
    window.setGeometry(40, 30, 800, 600);
    window.show();
    window.showMaximized();
    QCoreApplication::processEvents();
    mSettings::SaveSettings(&window);
    EXPECT_EQ(get(HKEY_CURRENT_USER, "Windows", "WindowState"), 2);
    EXPECT_EQ(get(HKEY_LOCAL_MACHINE, "Windows", "WindowState"), 0);
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        EXPECT_EQ(get(hive, "Windows", "Width").toInt(), window.normalGeometry().width() * 15);
        EXPECT_EQ(get(hive, "Windows", "SplitFactor"), 37);
        EXPECT_EQ(get(hive, "", "Version"), "Version 1.7.0.4");
    }
    window.hide();
}

TEST(Settings, FolderOptionsAreTakenOverAndRestored)
{
    cRegistry reg;
    const QString explorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
    const QByteArray shellState("\x24\x00\x00\x00\x20\x20\x00\x00", 8);
    mSettings::WriteValue(reg, HKEY_CURRENT_USER, explorer, "ShellState", REG_BINARY, shellState);
    mSettings::WriteValue(reg, HKEY_CURRENT_USER, explorer, "IconUnderline", REG_BINARY, QByteArray("\x03", 1));

    mSettings::ReadFolderOptions();
    mSettings::ApplyFolderOptions(1, 2, 1);
    const QByteArray applied = mSettings::ReadValue(reg, HKEY_CURRENT_USER, explorer, "ShellState", REG_BINARY, {}).toByteArray();
    ASSERT_EQ(applied.size(), 8);
    EXPECT_EQ(applied[4] & 0x20, 0) << "single click opens";
    EXPECT_EQ(applied[5] & 0x20, 0) << "web view off";
    EXPECT_EQ(mSettings::ReadValue(reg, HKEY_CURRENT_USER, explorer, "IconUnderline", REG_BINARY, {}).toByteArray(),
              QByteArray("\x02", 1));
    EXPECT_EQ(mSettings::ReadValue(reg, HKEY_CURRENT_USER, explorer + "Advanced", "WebView", REG_DWORD, 9), 0);
    EXPECT_EQ(mSettings::ReadValue(reg, HKEY_CURRENT_USER, explorer + "Advanced", "ClassicViewState", REG_DWORD, 9), 1);

    mSettings::RestoreFolderOptions();
    EXPECT_EQ(mSettings::ReadValue(reg, HKEY_CURRENT_USER, explorer, "ShellState", REG_BINARY, {}).toByteArray(), shellState);
    EXPECT_EQ(mSettings::ReadValue(reg, HKEY_CURRENT_USER, explorer, "IconUnderline", REG_BINARY, {}).toByteArray(),
              QByteArray("\x03", 1));
    EXPECT_EQ(mSettings::ReadValue(reg, HKEY_CURRENT_USER, explorer + "Advanced", "WebView", REG_DWORD, 9), -1)
        << "a value missing at start is written back as -1";
}

TEST(Settings, ShortShellStateIsLeftAlone)
{
    cRegistry reg;
    const QString explorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
    mSettings::WriteValue(reg, HKEY_CURRENT_USER, explorer, "ShellState", REG_BINARY, QByteArray("\x24\x00", 2));
    mSettings::ReadFolderOptions();
    mSettings::ApplyFolderOptions(0, 1, 0);
    EXPECT_EQ(mSettings::ReadValue(reg, HKEY_CURRENT_USER, explorer, "ShellState", REG_BINARY, {}).toByteArray(),
              QByteArray("\x24\x00", 2));
}
