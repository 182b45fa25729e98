#include "app/mStartup.h"

#include "app/AppSettings.h"
#include "app/fAboutDuopn.h"
#include "app/fMain.h"
#include "app/mSettings.h"
#include "common/boxara/Boxara.h"
#include "common/mmFile.h"
#include "platform/core/SystemFolders.h"
#include "platform/core/DoEvents.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPointer>
#include <QStandardPaths>
#include <QUrl>

namespace mStartup {
namespace {

QString s_tempFolder;

QString prepared(const QString& folder)
{
    QDir().mkpath(folder); // a folder that cannot be made is skipped; later steps cope
    return folder;
}

void importLaunchers(const QString& folder)
{
    const QDir source(folder);
    for (const QString& name : source.entryList({QStringLiteral("*.desktop")}, QDir::Files | QDir::Hidden)) {
        const QString target = LinkFolder() + name;
        QFile::remove(target);
        QFile::copy(source.filePath(name), target);
    }
}

void askForLatestVersion()
{
    const int answer = Boxara::instance().Show(QString::fromLatin1(VersionQuestion), QStringLiteral("Duopane"),
                                               QStringLiteral("&Yes"), QStringLiteral("&No"));
    if (answer == 0)
        QDesktopServices::openUrl(QUrl(QString::fromLatin1(fAboutDuopn::HomePage)));
}

} // namespace

bool IsFirstRun()
{
    const AppSettingsRecord& s = AppSettings();
    return s.StoredVersion != s.CurrentVersion;
}

QString LinkFolder()
{
    return platform::PrivateLinkFolder();
}

QString TempFolder()
{
    // the short form when there is one; the first start uses the long form it asked for
    if (s_tempFolder.isEmpty())
        s_tempFolder = mmFile::ShortPath(platform::PrivateScratchFolder());
    return s_tempFolder;
}

void EmptyTempFolder()
{
    QDir folder(TempFolder());
    if (!folder.exists())
        return;
    const auto entries = folder.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        // links are removed themselves, never followed
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
        else
            QFile::remove(entry.filePath());
    }
}

void ShortcutImport()
{
    importLaunchers(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    importLaunchers(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation));
}

void UnloadAllWindows(QWidget* except)
{
    static bool running = false;
    if (running)
        return;
    running = true;
    QList<QPointer<QWidget>> open;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != except && w->isVisible())
            open.prepend(w);
    for (const QPointer<QWidget>& w : open)
        if (w)
            w->close();
    running = false;
}

void Start()
{
    AppSettingsRecord& s = AppSettings();
    mSettings::LoadSettings();
    mSettings::ReadFolderOptions();
    mSettings::ApplyFolderOptions(s.OpenOneClick, s.Underline, s.DisableWebView);

    auto* splash = new fAboutDuopn;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->ShowAsSplash();

    prepared(LinkFolder());
    prepared(TempFolder());
    const bool firstRun = IsFirstRun();
    if (firstRun)
        ShortcutImport();

    splash->setWindowTitle(QStringLiteral("Loading Duopane... Wait a second..."));
    auto* window = new fMain;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    platform::DoEvents();

    splash->setWindowTitle(QStringLiteral("Checking network status..."));
    splash->setWindowTitle(QStringLiteral("Enumerating registry file extension details..."));
    splash->close();
    platform::DoEvents();
    if (!firstRun)
        return;
    ShortcutImport();
    askForLatestVersion();
}

} // namespace mStartup
