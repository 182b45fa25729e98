#include "ftp/cBrivoFTP.h"

#include "common/mmFile.h"
#include "ftp/engine/FtpSettings.h"
#include "ftp/engine/mFTPMain.h"
#include "ftp/fFTPMain.h"
#include "ftp/fFTPSites.h"

#include <QDir>
#include <QFile>
#include <QWidget>

cBrivoFTP::cBrivoFTP()
{
    FtpSettings& settings = ftpSettings();
    settings.WaitTime = 30;
    settings.RemotePort = 21;
    settings.FtpTempFolder = mmFile::AddTrailingSeparator(QDir::tempPath());
}

cBrivoFTP::~cBrivoFTP()
{
    // Every window of the library goes with the object; once, even if closing re-enters.
    if (m_unloading)
        return;
    m_unloading = true;
    fFTPMain::UnloadAll();
}

bool cBrivoFTP::IsBusy() const
{
    return ftpSettings().WindowOpen;
}

QString cBrivoFTP::SetFont(const QString& sFontName, quint32 hFont)
{
    ftpSettings().FontName = sFontName;
    ftpSettings().FontHandle = hFont;
    return {};
}

void cBrivoFTP::Configure()
{
    fFTPSites sites;
    sites.SetConnectVisible(false);
    sites.ShowModal();
    sites.SetConnectVisible(true);
}

void cBrivoFTP::FTPConnect()
{
    ftpSettings().WindowOpen = true;
    fFTPMain::Open(nullptr)->show();
}

void cBrivoFTP::FTPConnectEx(const QString& sURL, QWidget* fParent)
{
    fFTPMain* window = fFTPMain::Open(fParent);
    if (fParent) {
        window->resize(fParent->width() * 6 / 10, fParent->height() * 6 / 10);
        window->move((fParent->width() - window->width()) / 2, (fParent->height() - window->height()) / 2);
    }
    ftpSettings().WindowOpen = true;
    window->show();
    if (sURL.isEmpty())
        return;
    const mFTPMain::FtpUrl url = mFTPMain::ParseFtpUrl(sURL);
    FtpSettings& settings = ftpSettings();
    settings.Host = url.host;
    settings.UserName = url.userName;
    settings.Password = url.password;
    settings.RemoteFolder = url.remoteFolder;
    window->FTP_Connect(true);
}

void cBrivoFTP::SetTempDir(QString& sTempDir)
{
    const QString folder = mmFile::AddTrailingSeparator(mmFile::ShortPath(sTempDir));
    ftpSettings().FtpTempFolder = folder;
    // Hidden and read-only have no meaning for a Linux folder; making it is all that is left.
    QDir().mkpath(folder);
}
