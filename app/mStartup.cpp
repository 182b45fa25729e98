#include "app/mStartup.h"

#include "app/AppSettings.h"
#include "app/fAboutDuopn.h"
#include "app/fMain.h"
#include "app/mSettings.h"
#include "common/boxara/Boxara.h"
#include "common/mmFile.h"
#include "common/mmFileOper.h"
#include "platform/core/DoEvents.h"
#include "platform/core/SystemFolders.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/shell/ShellTypes.h"
#include "platform/ui/shell/ShellDialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QPointer>
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
    // for good, silently, without a question; the folder itself stays
    mmFileOper::ShellDelete(nullptr, TempFolder(), QStringLiteral("*.*"), false);
}

void ShortcutImport()
{
    // Desktop, then the Start menu; the common Start menu (the system's whole application list)
    // would drown the user menu and is left out.
    for (const int csidl : {platform::CSIDL_DESKTOP, platform::CSIDL_STARTMENU}) {
        const QString folder = platform::ShellNamespace::path(platform::ShellNamespace::specialFolder(csidl));
        if (!folder.isEmpty())
            importLaunchers(folder);
    }
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
    // the shell's own windows for every file operation from here on
    platform::installShellDialogs();
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
