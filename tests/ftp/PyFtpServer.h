#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace duopane::test {

// A real FTP server (pyftpdlib) on loopback with a fresh root folder, for as long as it lives.
class PyFtpServer {
public:
    explicit PyFtpServer(int throttleBytesPerSecond = 0);
    ~PyFtpServer();

    bool isRunning() const { return m_port != 0; }
    quint16 port() const { return m_port; }
    // The server's root folder on disk ("/" on the server), with a trailing "/".
    QString root() const { return m_root.path() + QLatin1Char('/'); }
    static QString user() { return QStringLiteral("tester"); }
    static QString password() { return QStringLiteral("secret"); }
    // Writes a file below the root, making its folders.
    void writeFile(const QString& relative, const QByteArray& content) const;

private:
    QTemporaryDir m_root;
    QProcess m_process;
    quint16 m_port = 0;
};

} // namespace duopane::test
