#include "app/fMain.h"

#include "app/AppSettings.h"
#include "app/mSettings.h"
#include "app/mStartup.h"
#include "platform/core/DoEvents.h"
#include "platform/ui/FontTable.h"

#include "ui_fMain.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

constexpr double twipsPerPixel = 15.0;

int pixels(qint32 twips)
{
    return int(twips / twipsPerPixel);
}

} // namespace

fMain::fMain(QWidget* parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::fMain>())
{
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/duopane/duopane.png")));
    tmrCheckMail.setObjectName(QStringLiteral("tmrCheckMail"));
    tmrCheckMail.setInterval(60000);
    setAttribute(Qt::WA_QuitOnClose, true);
}

fMain::~fMain() = default;

qint32 fMain::PanelStyle(int index) const
{
    return AppSettings().Style[index];
}

QString fMain::PanelFolderToSave(int index) const
{
    const QString& folder = m_panelFolder[index];
    return QFileInfo(folder).isDir() ? folder : QString();
}

void fMain::showEvent(QShowEvent* event)
{
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    QMainWindow::showEvent(event);
    // bench/startup.sh times the way from exec to this line
    static const bool probe = qEnvironmentVariableIsSet("DUOPANE_STARTUP_PROBE");
    if (probe) {
        std::fputs("duopane: main window shown\n", stdout);
        std::fflush(stdout);
    }
}

void fMain::Form_Load()
{
    const AppSettingsRecord& s = AppSettings();
    platform::DoEvents();
    // A window saved in the normal state opens at the system's default place and size.
    if (s.WindowState != 0 && s.Width > 0 && s.Height > 0)
        setGeometry(pixels(s.Left), pixels(s.Top), pixels(s.Width), pixels(s.Height));
    if (s.WindowState == 2)
        setWindowState(windowState() | Qt::WindowMaximized);
    // Each panel starts in its saved folder, or in the home folder when that is gone.
    for (int i = 0; i < 2; ++i)
        m_panelFolder[i] = QFileInfo(s.Folder[i]).isDir() ? s.Folder[i] : QDir::homePath() + u'/';
}

void fMain::closeEvent(QCloseEvent* event)
{
    if (!m_shutDown) {
        m_shutDown = true;
        shutdown();
    }
    event->accept();
}

void fMain::shutdown()
{
    AppSettingsRecord& s = AppSettings();
    tmrCheckMail.stop();
    mSettings::SaveSettings(this);
    mSettings::RestoreFolderOptions();
    hide();
    for (quint32* font : {&s.hFontSmall, &s.hFontLarge}) {
        if (*font) {
            platform::DeleteFontHandle(*font);
            *font = 0;
        }
    }
    mStartup::EmptyTempFolder();
    mStartup::UnloadAllWindows(this);
}
