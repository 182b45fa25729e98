#pragma once

#include <QString>

class QWidget;

// The FTP client the main program creates once: settings in, the FTP window and the site
// manager out. Only strings, numbers and the parent window cross into the library.
class cBrivoFTP {
public:
    cBrivoFTP();
    ~cBrivoFTP();
    cBrivoFTP(const cBrivoFTP&) = delete;
    cBrivoFTP& operator=(const cBrivoFTP&) = delete;

    bool IsBusy() const;
    QString SetFont(const QString& sFontName, quint32 hFont);
    void Configure();
    void FTPConnect();
    void FTPConnectEx(const QString& sURL, QWidget* fParent = nullptr);
    void SetTempDir(QString& sTempDir);

private:
    bool m_unloading = false;
};
